#include "platform/SerialPortAccess.h"

#include "ui/FrameTexts.h"

#include <cerrno>
#include <grp.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kq70 {

std::string formatPortPermissionHint(const std::string& device, const std::string& group) {
    std::string hint(text::PORT_PERMISSION_HINT);
    const auto replaceAll = [&hint](std::string_view placeholder, const std::string& value) {
        for (auto at = hint.find(placeholder); at != std::string::npos;
             at = hint.find(placeholder, at + value.size())) {
            hint.replace(at, placeholder.size(), value);
        }
    };
    replaceAll("%1", device);
    replaceAll("%2", group);
    return hint;
}

std::string portPermissionHint(const std::string& devicePath) {
    struct stat info {};
    if (devicePath.empty() || ::stat(devicePath.c_str(), &info) != 0 ||
        ::access(devicePath.c_str(), R_OK | W_OK) == 0 || errno != EACCES) {
        return {};
    }
    std::string group = std::to_string(info.st_gid);
    std::vector<char> buffer(4096);
    struct group entry {};
    struct group* found = nullptr;
    if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr) {
        group = found->gr_name;
    }
    return formatPortPermissionHint(devicePath, group);
}

} // namespace kq70
