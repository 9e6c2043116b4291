#include "support/CliRun.h"

#include "CliApp.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace kq70::test {

CliRun runCliWith(std::vector<std::string> args, const std::string& home, const std::string& input,
                  bool interactive) {
    if (!home.empty()) {
        args.insert(args.begin(), {"--home", home});
    }
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int code = runCli(args, in, out, err, interactive);
    return {code, out.str(), err.str()};
}

std::vector<std::string> filesIn(const std::string& folder, std::string_view prefix) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with(prefix)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace kq70::test
