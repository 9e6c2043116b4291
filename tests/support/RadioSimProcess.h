#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace kq70::test {

// kq70-radiosim in a child process, its standard output on a pipe; killed if a test gives up.
class RadioSimProcess {
public:
    explicit RadioSimProcess(std::vector<std::string> arguments);
    ~RadioSimProcess();
    RadioSimProcess(const RadioSimProcess&) = delete;
    RadioSimProcess& operator=(const RadioSimProcess&) = delete;

    // The first line the tool prints, waiting at most `timeoutMs`.
    std::string firstLine(int timeoutMs);
    // The exit status after `signal` (0 = none sent), -1 when it did not exit normally.
    int finish(int signal);

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

} // namespace kq70::test
