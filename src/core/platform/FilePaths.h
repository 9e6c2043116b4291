#pragma once

#include <optional>
#include <string>

namespace kq70 {

// Small questions about paths that the program writes to.

// The file a write to `path` ends at: a symbolic link is followed to its target, also when
// the target does not exist yet (the write then creates it). Nothing for a loop of links.
std::optional<std::string> resolveWriteTarget(const std::string& path);

// True when both paths exist and name the same file (links followed).
bool isSameFile(const std::string& a, const std::string& b);

// True when the file exists and has its read-only attribute: the owner's write bit is clear,
// or this user may not write it.
bool isReadOnlyFile(const std::string& path);

// "<folder>/<prefix>-<UTC date and time><extension>", with "-2", "-3"... added when a file of
// that name exists: a place for data that must not be lost and has nowhere else to go.
std::string uniqueTimestampedPath(const std::string& folder, const std::string& prefix,
                                  const std::string& extension);

} // namespace kq70
