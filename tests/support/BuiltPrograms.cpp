#include "support/BuiltPrograms.h"

#include <climits>
#include <unistd.h>

namespace kq70::test {

std::string besideThisProgram(const char* relative) {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string folder = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : ".";
    folder.resize(folder.rfind('/') == std::string::npos ? 1 : folder.rfind('/'));
    return folder + "/" + relative;
}

} // namespace kq70::test
