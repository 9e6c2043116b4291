#include "support/RadioSimProcess.h"
#include "support/BuiltPrograms.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kq70::test {

ChildProcess::ChildProcess(const std::string& program, std::vector<std::string> arguments,
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
    const bool both = capturedStream == BOTH_STREAMS;
    posix_spawn_file_actions_adddup2(&actions, out[1], both ? STDOUT_FILENO : capturedStream);
    if (both) {
        posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (capturedStream != STDOUT_FILENO && !both) {
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

bool ChildProcess::readToEnd(std::string& text, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd pfd{m_out, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&pfd, 1, static_cast<int>(left.count())) != 1) {
            return false;
        }
        const ssize_t n = ::read(m_out, buffer, sizeof buffer);
        if (n <= 0) {
            return true;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

bool ChildProcess::waitForLine(std::string& text,
                               const std::function<bool(const std::string&)>& wanted,
                               int timeoutMs) {
    std::string line;
    char c = 0;
    pollfd pfd{m_out, POLLIN, 0};
    while (::poll(&pfd, 1, timeoutMs) == 1 && ::read(m_out, &c, 1) == 1) {
        text += c;
        if (c != '\n') {
            line += c;
        } else if (wanted(line)) {
            return true;
        } else {
            line.clear();
        }
    }
    return false;
}

RadioSimProcess::RadioSimProcess(std::vector<std::string> arguments)
    : ChildProcess(radioSimProgram(), std::move(arguments), STDOUT_FILENO) {}

std::string RadioSimProcess::firstLine(int timeoutMs) {
    std::string line;
    waitForLine(
        line, [](const std::string&) { return true; }, timeoutMs);
    return line.ends_with('\n') ? line.substr(0, line.size() - 1) : line;
}

} // namespace kq70::test
