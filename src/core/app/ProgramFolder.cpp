#include "app/ProgramFolder.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::string> writableExecutableFolder() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return std::nullopt;
    }
    std::string path(buffer, static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return std::nullopt;
    }
    path.resize(slash == 0 ? 1 : slash);
    if (::access(path.c_str(), W_OK) != 0) {
        return std::nullopt;
    }
    return path;
}

} // namespace

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

std::string resolveProgramFolder(const ProgramFolderInputs& inputs) {
    for (const auto* candidate : {&inputs.homeOption, &inputs.kq70Home, &inputs.executableFolder}) {
        if (*candidate && !(*candidate)->empty()) {
            return **candidate;
        }
    }
    if (inputs.xdgDataHome && !inputs.xdgDataHome->empty()) {
        return joinPath(*inputs.xdgDataHome, "kq70");
    }
    return joinPath(joinPath(inputs.home.value_or("."), ".local/share"), "kq70");
}

ProgramFolderInputs programFolderInputsFromEnvironment(std::optional<std::string> homeOption) {
    ProgramFolderInputs inputs;
    inputs.homeOption = std::move(homeOption);
    inputs.kq70Home = environment("KQ70_HOME");
    if (!inputs.homeOption && !inputs.kq70Home) {
        inputs.executableFolder = writableExecutableFolder();
    }
    inputs.xdgDataHome = environment("XDG_DATA_HOME");
    inputs.home = environment("HOME");
    return inputs;
}

bool ensureFolder(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode);
    }
    const std::size_t slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !ensureFolder(folder.substr(0, slash))) {
        return false;
    }
    return ::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST;
}

} // namespace kq70
