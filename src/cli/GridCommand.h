#pragma once

#include "CliAccessMode.h"
#include "CliContext.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace kq70 {

// `kq70-cli grid FILE`: what the channel view shows of a data file for an access mode and a
// group, as an aligned table with the information strip and the status line, or as JSON.
// Nothing is written; when showing the file would change its image, the error stream says so.
class GridCommand {
public:
    using Context = CliContext;

    void add(CLI::App& app);
    bool parsed() const;
    int run(const Context& context) const;

private:
    CLI::App* m_command = nullptr;
    std::string m_path;
    AccessModeOptions m_mode;
    std::optional<int> m_group;
    bool m_json = false;
};

} // namespace kq70
