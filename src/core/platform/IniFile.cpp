#include "platform/IniFile.h"

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

// Settings files are byte strings; no Unicode conversion.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <climits>

namespace kq70 {

namespace {

// Case-insensitive section and key names, no multi-keys, no multi-line values.
using Ini = CSimpleIniA;

constexpr std::size_t MAX_SETTINGS_FILE_SIZE = 1 << 20;

enum class LoadResult { Loaded, Missing, Unreadable };

// Lines the parser would misread (a section header without its closing bracket, a line
// that is neither a key, a header nor a comment) travel through it as keys of this prefix
// with the line's bytes in hex, and come out of a write as they went in. The parser would
// otherwise run such a header into the next line and make the file grow on every write.
constexpr std::string_view VERBATIM_KEY_PREFIX = "\x01kq70-verbatim-";

bool isMalformed(std::string_view line) {
    if (line.starts_with(VERBATIM_KEY_PREFIX)) {
        return true; // such a line in the file itself must come back as it was, too
    }
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == ';' || line[first] == '#') {
        return false;
    }
    if (line[first] == '[') {
        // No closing bracket, or no name between the brackets.
        const std::size_t close = line.find(']', first);
        return close == std::string_view::npos || close == first + 1;
    }
    return line.find('=') == std::string_view::npos;
}

std::string toHex(std::string_view bytes) {
    static constexpr char DIGITS[] = "0123456789abcdef";
    std::string hex;
    for (const unsigned char c : bytes) {
        hex.push_back(DIGITS[c >> 4]);
        hex.push_back(DIGITS[c & 0x0F]);
    }
    return hex;
}

std::string fromHex(std::string_view hex) {
    const auto nibble = [](char c) { return c >= 'a' ? c - 'a' + 10 : c - '0'; };
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(nibble(hex[i]) * 16 + nibble(hex[i + 1])));
    }
    return bytes;
}

// Lines end where the parser ends them: at CR LF, LF or a lone CR.
template <typename Visit> void forEachLine(std::string_view text, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        visit(text.substr(start, stop - start));
        start = stop + (text.substr(stop, 2) == "\r\n" ? 2 : 1);
    }
}

std::string protectMalformedLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    int number = 0;
    forEachLine(text, [&](std::string_view line) {
        if (isMalformed(line)) {
            out.append(VERBATIM_KEY_PREFIX);
            out.append(std::to_string(number++) + "=" + toHex(line));
        } else {
            out.append(line);
        }
        out.push_back('\n');
    });
    return out;
}

std::string restoreMalformedLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    forEachLine(text, [&](std::string_view line) {
        if (line.starts_with(VERBATIM_KEY_PREFIX)) {
            const std::size_t equals = line.find('=');
            out.append(fromHex(equals == std::string_view::npos ? std::string_view()
                                                                : line.substr(equals + 1)));
        } else {
            out.append(line);
        }
        out.push_back('\n');
    });
    return out;
}

// A file saved by an editor that marks UTF-8 starts with these bytes; the parser would take
// them for part of the first section's name.
constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";

// Reads the file ourselves so that only a regular file of sane size reaches the parser; a
// FIFO, a folder or a device in its place is unreadable, never waited on, parsed or
// overwritten. `bom` tells whether the file began with a byte-order mark.
LoadResult load(Ini& ini, const std::string& path, bool* bom = nullptr) {
    ini.SetUnicode(false);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    ini.SetSpaces(false);
    std::string text;
    switch (readRegularFile(path, MAX_SETTINGS_FILE_SIZE, text)) {
    case FileReadStatus::Ok:
        break;
    case FileReadStatus::Missing:
        return LoadResult::Missing;
    default:
        return LoadResult::Unreadable;
    }
    const bool marked = text.starts_with(UTF8_BOM);
    if (bom != nullptr) {
        *bom = marked;
    }
    const std::string_view body =
        marked ? std::string_view(text).substr(UTF8_BOM.size()) : std::string_view(text);
    return ini.LoadData(protectMalformedLines(body)) >= 0 ? LoadResult::Loaded
                                                          : LoadResult::Unreadable;
}

} // namespace

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    Ini ini;
    if (load(ini, m_path) != LoadResult::Loaded) {
        return std::string(defaultValue);
    }
    const char* value =
        ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
    return value != nullptr ? std::string(value) : std::string(defaultValue);
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
    Ini ini;
    return load(ini, m_path) == LoadResult::Loaded &&
           ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr) != nullptr;
}

bool IniFile::parseLeadingInt(std::string_view text, int& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t firstDigit = i;
    long long magnitude = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (magnitude <= INT_MAX) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
        ++i;
    }
    if (i == firstDigit) {
        return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    value = static_cast<int>(signedValue > INT_MAX   ? INT_MAX
                             : signedValue < INT_MIN ? INT_MIN
                                                     : signedValue);
    return true;
}

int IniFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    int value = 0;
    return parseLeadingInt(readString(section, key, ""), value) ? value : defaultValue;
}

int IniFile::readIntFromText(std::string_view text, std::string_view section, std::string_view key,
                             int defaultValue) {
    Ini ini;
    ini.SetUnicode(false);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    if (text.starts_with(UTF8_BOM)) {
        text.remove_prefix(UTF8_BOM.size());
    }
    if (ini.LoadData(text.data(), text.size()) < 0) {
        return defaultValue;
    }
    const char* value =
        ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
    int parsed = 0;
    return value != nullptr && parseLeadingInt(value, parsed) ? parsed : defaultValue;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const IniEntry entry{std::string(section), std::string(key), std::string(value)};
    return writeEntries(std::span<const IniEntry>(&entry, 1));
}

bool IniFile::writeEntries(std::span<const IniEntry> entries) {
    Ini ini;
    bool bom = false;
    // A missing file starts empty; one that exists but cannot be read is never overwritten.
    if (load(ini, m_path, &bom) == LoadResult::Unreadable) {
        return false;
    }
    bool changed = false;
    for (const IniEntry& entry : entries) {
        const char* old = ini.GetValue(entry.section.c_str(), entry.key.c_str(), nullptr);
        if (old != nullptr && entry.value == old) {
            continue;
        }
        changed = true;
        if (ini.SetValue(entry.section.c_str(), entry.key.c_str(), entry.value.c_str()) < 0) {
            return false;
        }
    }
    // The file already says all this: nothing to write, and nothing that could fail (a
    // read-only settings file stays untouched and is no error).
    if (!changed) {
        return true;
    }
    std::string saved;
    if (ini.Save(saved) < 0) {
        return false;
    }
    const std::string text =
        (bom ? std::string(UTF8_BOM) : std::string()) + restoreMalformedLines(saved);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    return writeFileAtomically(m_path, bytes) == AtomicWriteResult::Ok;
}

bool IniFile::writeInt(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

} // namespace kq70
