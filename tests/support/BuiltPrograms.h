#pragma once

#include <string>

namespace kq70::test {

// The build names the programs it made relative to the test program's own folder, so a
// compiled test is the same in every checkout and a compiler cache filled from one checkout
// serves the next. This makes such a path whole, from where the running program lies.
std::string besideThisProgram(const char* relative);

#ifdef KQ70_CLI_RELATIVE
inline const std::string& cliProgram() {
    static const std::string path = besideThisProgram(KQ70_CLI_RELATIVE);
    return path;
}
#endif

#ifdef KQ70_RADIOSIM_RELATIVE
inline const std::string& radioSimProgram() {
    static const std::string path = besideThisProgram(KQ70_RADIOSIM_RELATIVE);
    return path;
}
#endif

#ifdef KQ70_GUI_RELATIVE
inline const std::string& guiProgram() {
    static const std::string path = besideThisProgram(KQ70_GUI_RELATIVE);
    return path;
}
#endif

} // namespace kq70::test
