#include "platform/IniFile.h"

#include "platform/AtomicFile.h"

// Settings files are byte strings; no Unicode conversion.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace kq70 {

namespace {

// Case-insensitive section and key names, no multi-keys, no multi-line values.
using Ini = CSimpleIniA;

constexpr long long MAX_SETTINGS_FILE_SIZE = 1 << 20;

enum class LoadResult { Loaded, Missing, Unreadable };

// Reads the file ourselves so that only a regular file of sane size reaches the parser; a
// folder or a device in its place is unreadable, never parsed or overwritten.
LoadResult load(Ini& ini, const std::string& path) {
    ini.SetUnicode(false);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    ini.SetSpaces(false);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? LoadResult::Missing : LoadResult::Unreadable;
    }
    if (!S_ISREG(info.st_mode) || info.st_size > MAX_SETTINGS_FILE_SIZE) {
        return LoadResult::Unreadable;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return LoadResult::Unreadable;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return ini.LoadData(text) >= 0 ? LoadResult::Loaded : LoadResult::Unreadable;
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
    // A missing file starts empty; one that exists but cannot be read is never overwritten.
    if (load(ini, m_path) == LoadResult::Unreadable) {
        return false;
    }
    for (const IniEntry& entry : entries) {
        if (ini.SetValue(entry.section.c_str(), entry.key.c_str(), entry.value.c_str()) < 0) {
            return false;
        }
    }
    std::string text;
    if (ini.Save(text) < 0) {
        return false;
    }
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    return writeFileAtomically(m_path, bytes) == AtomicWriteResult::Ok;
}

bool IniFile::writeInt(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

} // namespace kq70
