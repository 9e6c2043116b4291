#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kq70 {

struct IniEntry {
    std::string section;
    std::string key;
    std::string value;
};

// A profile (INI) file with the semantics the program's settings rely on: section and key
// names compare without regard to case, values are trimmed, a missing file or key gives the
// caller's default, and an integer is read from the value's leading decimal digits ("12abc"
// is 12, "abc" gives the default). Every read looks at the file as it is on disk now, and
// writing one key rewrites the file safely with every other line kept (a malformed line
// too, byte for byte).
class IniFile {
public:
    explicit IniFile(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

    // False when the file could not be written; the old file is then unchanged.
    [[nodiscard]] bool writeString(std::string_view section, std::string_view key,
                                   std::string_view value);
    [[nodiscard]] bool writeInt(std::string_view section, std::string_view key, int value);
    // Several keys in one rewrite of the file.
    [[nodiscard]] bool writeEntries(std::span<const IniEntry> entries);

    // readInt over the text of a profile file held in memory (a built-in file, say).
    static int readIntFromText(std::string_view text, std::string_view section,
                               std::string_view key, int defaultValue);

    // The leading-digits rule on its own: an optional sign, then decimal digits.
    static bool parseLeadingInt(std::string_view text, int& value);

private:
    std::string m_path;
};

} // namespace kq70
