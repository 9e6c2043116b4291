#pragma once

#include "ProgramDoc.h"

namespace CLI {
class App;
} // namespace CLI

namespace kq70 {

// The manual of each program: its options from its own definitions, the prose around them
// from here.
ProgramDoc cliProgramDoc(const CLI::App& app);
ProgramDoc radiosimProgramDoc(const CLI::App& app);
ProgramDoc desktopProgramDoc();

} // namespace kq70
