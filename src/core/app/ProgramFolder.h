#pragma once

#include <optional>
#include <string>

namespace kq70 {

// Where the program keeps its settings, logs and templates, by precedence: the --home option,
// then $KQ70_HOME, then the executable's folder when it is writable (portable use), then
// $XDG_DATA_HOME/kq70, then ~/.local/share/kq70.
struct ProgramFolderInputs {
    std::optional<std::string> homeOption;
    std::optional<std::string> kq70Home;
    std::optional<std::string> executableFolder; // only when it is writable
    std::optional<std::string> xdgDataHome;
    std::optional<std::string> home;
};

std::string resolveProgramFolder(const ProgramFolderInputs& inputs);

// The inputs as this process sees them.
ProgramFolderInputs programFolderInputsFromEnvironment(std::optional<std::string> homeOption);

// Creates the folder and its parents when missing; false when it cannot be made.
bool ensureFolder(const std::string& folder);

// `folder` joined with `name` by one slash.
std::string joinPath(const std::string& folder, const std::string& name);

} // namespace kq70
