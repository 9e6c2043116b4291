// A user outside the serial device's group learns which group to join.
#include "support/BuiltPrograms.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kq70 {
namespace {

using test::TempFolder;

constexpr uid_t NOBODY = 65534;

// Runs kq70-cli as the user nobody; its exit code and what it wrote to stderr.
std::pair<int, std::string> runAsNobody(const std::vector<std::string>& arguments) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        return {-1, "pipe failed"};
    }
    const std::string& program = test::cliProgram(); // not made in the child
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], STDERR_FILENO);
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(devNull, STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        if (::setgroups(0, nullptr) == 0 && ::setgid(NOBODY) == 0 && ::setuid(NOBODY) == 0) {
            ::execv(program.c_str(), argv.data());
        }
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string err;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        err.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, err};
}

TEST(PortPermissionEndToEndTest, RefusedPortNamesTheGroupToJoin) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "runs kq70-cli as another user, which needs root";
    }
    const struct group* dialout = ::getgrnam("dialout");
    const gid_t gid = dialout != nullptr ? dialout->gr_gid : 0;
    const std::string groupName = dialout != nullptr ? "dialout" : "root";
    TempFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
    const std::string device = folder.file("ttyUSB7");
    TempFolder::writeText(device, "");
    ASSERT_EQ(::chown(device.c_str(), 0, gid), 0);
    ASSERT_EQ(::chmod(device.c_str(), 0660), 0);

    const auto [code, err] = runAsNobody(
        {"--home", folder.path(), "upload", "--port", device, folder.file("radio.k70")});
    EXPECT_EQ(code, 1) << err;
    EXPECT_NE(err.find("Port Open Error!"), std::string::npos) << err;
    EXPECT_NE(err.find("You may not use " + device + ": add your user to the group \"" + groupName +
                       "\""),
              std::string::npos)
        << err;
}

} // namespace
} // namespace kq70
