#pragma once

#include "CliAccessMode.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace kq70 {

class ImageComparison;

// `kq70-cli diff A.k70 B.k70 [--mode N] [--json]`: what differs between two data files as the
// pages and the channel grid show them. Exit codes as diff's: 0 equal, 1 different, 2 when a
// file cannot be read or the access mode is refused.
class DiffCommand {
public:
    explicit DiffCommand(CLI::App& app);
    DiffCommand(const DiffCommand&) = delete;
    DiffCommand& operator=(const DiffCommand&) = delete;

    bool parsed() const;
    int run(std::istream& in, std::ostream& out, std::ostream& err, bool interactive) const;

    // One section heading per run of entries, then "caption: "A" -> "B"" lines; the bytes
    // nobody sees last. Nothing at all when the images are equal.
    static void printText(const ImageComparison& comparison, std::ostream& out);
    static void printJson(const ImageComparison& comparison, const std::string& pathA,
                          const std::string& pathB, int mode, std::ostream& out);

private:
    CLI::App* m_diff = nullptr;
    std::string m_pathA;
    std::string m_pathB;
    AccessModeOptions m_mode;
    bool m_json = false;
};

} // namespace kq70
