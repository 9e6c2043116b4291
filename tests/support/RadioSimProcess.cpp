#include "support/RadioSimProcess.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kq70::test {

RadioSimProcess::RadioSimProcess(std::vector<std::string> arguments) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return;
    }
    arguments.insert(arguments.begin(), KQ70_RADIOSIM_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        m_pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    m_out = out[0];
}

RadioSimProcess::~RadioSimProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0) {
        ::close(m_out);
    }
}

std::string RadioSimProcess::firstLine(int timeoutMs) {
    std::string line;
    char c = 0;
    pollfd pfd{m_out, POLLIN, 0};
    while (::poll(&pfd, 1, timeoutMs) == 1 && ::read(m_out, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

int RadioSimProcess::finish(int signal) {
    if (signal != 0) {
        ::kill(m_pid, signal);
    }
    int status = 0;
    const pid_t done = ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    return done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace kq70::test
