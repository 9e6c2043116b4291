#pragma once

#include <iosfwd>
#include <string>

namespace kq70 {

// Where a command of the command line runs: the program folder and the streams.
struct CliContext {
    std::string programFolder;
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    bool interactive;
    // Progress redrawn in place (the error stream is a terminal).
    bool redrawProgress = false;
};

} // namespace kq70
