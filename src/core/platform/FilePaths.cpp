#include "platform/FilePaths.h"

#include <array>
#include <climits>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {

namespace {

constexpr int MAX_LINK_HOPS = 40; // as the kernel allows

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

std::optional<std::string> resolveWriteTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < MAX_LINK_HOPS; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        std::array<char, PATH_MAX> target{};
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size() - 1);
        if (n <= 0) {
            return current;
        }
        std::string next(target.data(), static_cast<std::size_t>(n));
        current = next.front() == '/' ? next : folderOf(current) + "/" + next;
    }
    return std::nullopt;
}

bool isSameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool isReadOnlyFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    // access() covers files of other users; root passes it for everything, so for root the
    // owner's write bit alone decides.
    return (info.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0;
}

std::string uniqueTimestampedPath(const std::string& folder, const std::string& prefix,
                                  const std::string& extension) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &utc);
    const std::string base =
        folder + (folder.ends_with('/') ? "" : "/") + prefix + "-" + stamp.data();
    std::string path = base + extension;
    for (int n = 2; exists(path); ++n) {
        path = base + "-" + std::to_string(n) + extension;
    }
    return path;
}

} // namespace kq70
