#include "app/HWinIniReader.h"

#include "log/HLogPrint.h"
#include "platform/IniFile.h"
#include "ui/NumberParse.h"

#include <cstdint>

namespace kq70 {

namespace {

constexpr std::size_t MAX_VALUE_LENGTH = 512;

// The program's log texts are Shift-JIS byte strings: "…を読み出しました" (has been read) and
// "…値が読み取れませんでした。" (the value could not be read).
constexpr const char* READ_OK_FORMAT =
    "[FILE:%s][SEC:%s][KEY:%s]%s\x82\xf0\x93\xc7\x82\xdd\x8fo\x82\xb5\x82\xdc\x82\xb5\x82\xbd";
constexpr const char* READ_FAILED_FORMAT =
    "[FILE:%s][SEC:%s][KEY:%s]\x92l\x82\xaa\x93\xc7\x82\xdd\x8e\xe6\x82\xea\x82\xdc\x82\xb9\x82"
    "\xf1\x82\xc5\x82\xb5\x82\xbd\x81"
    "B";

} // namespace

HWinIniReader::HWinIniReader(std::string folder, HLogPrint& log, int channel)
    : m_log(log), m_channel(channel) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    m_path = folder + "KQ70Win.ini";
}

bool HWinIniReader::Read(std::string_view section, std::string_view key, std::string& value) {
    const std::string sectionText(section);
    const std::string keyText(key);
    value = IniFile(m_path).readString(section, key, "").substr(0, MAX_VALUE_LENGTH);
    if (!value.empty()) {
        m_log.print(LOG_D2, m_channel, __FILE__, __LINE__, READ_OK_FORMAT, m_path.c_str(),
                    sectionText.c_str(), keyText.c_str(), value.c_str());
        return true;
    }
    m_log.print(LOG_WR, m_channel, __FILE__, __LINE__, READ_FAILED_FORMAT, m_path.c_str(),
                sectionText.c_str(), keyText.c_str());
    m_missing.push_back(sectionText);
    m_missing.push_back(keyText);
    return false;
}

int HWinIniReader::GetIniInt(std::string_view section, std::string_view key, int minimum,
                             int maximum) {
    std::string text;
    if (!Read(section, key, text)) {
        return -1;
    }
    const std::int64_t parsed = parseIntegerPrefix(text).value_or(0);
    const int value = parsed > INT32_MAX   ? INT32_MAX
                      : parsed < INT32_MIN ? INT32_MIN
                                           : static_cast<int>(parsed);
    if (maximum != 0 && value > maximum) {
        return maximum;
    }
    if (minimum != 0 && minimum > value) {
        return minimum;
    }
    return value;
}

std::string HWinIniReader::GetIniString(std::string_view section, std::string_view key) {
    std::string text;
    if (!Read(section, key, text)) {
        m_readError = true;
        return {};
    }
    return text;
}

} // namespace kq70
