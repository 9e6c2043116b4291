#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kq70 {

// kq70-cli: runs one command and returns the process's exit code. Streams are parameters so
// tests can run commands in process.
int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool interactive);

} // namespace kq70
