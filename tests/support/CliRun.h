#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kq70::test {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

// Runs kq70-cli's entry point in this process: `home` (when given) goes in front as its
// --home, `input` is what it reads.
CliRun runCliWith(std::vector<std::string> args, const std::string& home = {},
                  const std::string& input = {}, bool interactive = false);

// The names in `folder` that start with `prefix`, sorted; none when it cannot be read.
std::vector<std::string> filesIn(const std::string& folder, std::string_view prefix = {});

} // namespace kq70::test
