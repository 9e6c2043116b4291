#include "support/RadioSimProcess.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kq70::test {

ChildProcess::ChildProcess(const char* program, std::vector<std::string> arguments,
                           int capturedStream) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return;
    }
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], capturedStream);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (capturedStream != STDOUT_FILENO) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        m_pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    m_out = out[0];
}

ChildProcess::~ChildProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0) {
        ::close(m_out);
    }
}

void ChildProcess::signal(int number) const {
    if (m_pid > 0) {
        ::kill(m_pid, number);
    }
}

int ChildProcess::finish(int number) {
    if (number != 0) {
        signal(number);
    }
    int status = 0;
    const pid_t done = ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    return done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

RadioSimProcess::RadioSimProcess(std::vector<std::string> arguments)
    : ChildProcess(KQ70_RADIOSIM_PATH, std::move(arguments), STDOUT_FILENO) {}

std::string RadioSimProcess::firstLine(int timeoutMs) {
    std::string line;
    char c = 0;
    pollfd pfd{output(), POLLIN, 0};
    while (::poll(&pfd, 1, timeoutMs) == 1 && ::read(output(), &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

} // namespace kq70::test
