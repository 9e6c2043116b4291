#pragma once

#include <initializer_list>
#include <iosfwd>
#include <string>

namespace kq70 {

// A command never writes its output over one of its own inputs: the input would be replaced
// by something else (a data file by its CSV export), or be read while it is being written.

// True when `output` names none of `inputs` (links followed); otherwise says so on `err`.
bool outputIsNoInput(const std::string& output, std::initializer_list<std::string> inputs,
                     std::ostream& err);
// The same for the standard output when `out` is it: `> file` or `>> file` onto an input.
bool standardOutputIsNoInput(const std::ostream& out, const std::string& input, std::ostream& err);

} // namespace kq70
