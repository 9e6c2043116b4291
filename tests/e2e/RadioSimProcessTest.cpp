// kq70-radiosim as a user runs it: a separate process on a pseudo-terminal.

#include "doc/RadioImage.h"
#include "link/HCommRequest.h"
#include "link/HKqCommonCommunication.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SystemClock.h"
#include "support/RecordingProgress.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace kq70 {
namespace {

// The tool in a child process, its standard output on a pipe; killed if a test gives up.
class RadioSimProcess {
public:
    explicit RadioSimProcess(std::vector<std::string> arguments) {
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

    ~RadioSimProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        if (m_out >= 0) {
            ::close(m_out);
        }
    }

    // The first line the tool prints, waiting at most `timeoutMs`.
    std::string firstLine(int timeoutMs) {
        std::string line;
        char c = 0;
        pollfd pfd{m_out, POLLIN, 0};
        while (::poll(&pfd, 1, timeoutMs) == 1 && ::read(m_out, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    // The exit status after `signal` (0 = none sent), -1 when it did not exit normally.
    int finish(int signal) {
        if (signal != 0) {
            ::kill(m_pid, signal);
        }
        int status = 0;
        const pid_t done = ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
};

TEST(RadioSimProcessTest, ServesAHandshakeAndEndsOnSigterm) {
    RadioSimProcess sim({});
    const std::string path = sim.firstLine(10000);
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;

    SystemClock clock;
    PosixSerialDevice device(clock);
    LastPortKind lastKind;
    HSerialPort port(device, lastKind);
    test::RecordingProgress progress;
    HKqCommonCommunication comm(port, progress, clock);
    HCommRequest request(0);
    request.m_portName = path;
    auto buffer = std::make_unique<RadioImage>();

    ASSERT_TRUE(comm.OpenPortForJob(request));
    ASSERT_TRUE(comm.SetCloneMode(request, false));
    ASSERT_TRUE(comm.ReadBlock(AREA_EEPROM, 2, 0, *buffer, request));
    EXPECT_EQ(buffer->be16(PRODUCT_CODE_OFFSET), 0xC083);
    port.Close();

    EXPECT_EQ(sim.finish(SIGTERM), 0);
}

TEST(RadioSimProcessTest, RefusesAnUnknownFault) {
    RadioSimProcess sim({"--fault", "loud@3"});
    EXPECT_EQ(sim.finish(0), 2);
}

} // namespace
} // namespace kq70
