#pragma once

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kq70::test {

// A program in a child process with one of its output streams (STDOUT_FILENO or
// STDERR_FILENO), or both (BOTH_STREAMS), on a pipe and its input from /dev/null; killed if a
// test gives up.
class ChildProcess {
public:
    static constexpr int BOTH_STREAMS = -1;

    ChildProcess(const std::string& program, std::vector<std::string> arguments,
                 int capturedStream);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void signal(int number) const;
    // The exit status after `number` (0 = none sent), -1 when it did not exit normally.
    int finish(int number);
    // Appends everything on the captured stream to `text` until it ends; false when it has
    // not ended after `timeoutMs` (a program that hangs).
    bool readToEnd(std::string& text, int timeoutMs);
    // Reads lines into `text` until `wanted` accepts one; false after `timeoutMs` without a
    // line or at the end of the stream.
    bool waitForLine(std::string& text, const std::function<bool(const std::string&)>& wanted,
                     int timeoutMs);

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

// kq70-radiosim with its standard output on the pipe.
class RadioSimProcess : public ChildProcess {
public:
    explicit RadioSimProcess(std::vector<std::string> arguments);

    // The first line the tool prints, waiting at most `timeoutMs`.
    std::string firstLine(int timeoutMs);
};

} // namespace kq70::test
