#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class HLogPrint;

// Reads "KQ70Win.ini" from the current folder for a dialog, logging every read on the
// dialog's channel and collecting the section and key names that could not be read.
class HWinIniReader {
public:
    // `folder` is the process's current folder; `log` and `channel` are the dialog's.
    HWinIniReader(std::string folder, HLogPrint& log, int channel);

    // The value clamped to [minimum, maximum], where a bound of 0 means no bound; −1 when the
    // key cannot be read.
    int GetIniInt(std::string_view section, std::string_view key, int minimum, int maximum);
    // The text; empty when the key cannot be read, which also sets the read-error flag.
    std::string GetIniString(std::string_view section, std::string_view key);

    const std::string& GetPath() const { return m_path; }
    // Section and key of every failed read, in pairs, in the order they failed.
    const std::vector<std::string>& GetMissing() const { return m_missing; }
    bool GetReadError() const { return m_readError; }

private:
    bool Read(std::string_view section, std::string_view key, std::string& value);

    std::string m_path;
    HLogPrint& m_log;
    int m_channel;
    std::vector<std::string> m_missing;
    bool m_readError = false;
};

} // namespace kq70
