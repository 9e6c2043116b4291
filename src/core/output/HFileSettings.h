#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kq70 {

// The options of a file writer, each a named string. Every writer carries "ErrorCode", which
// tells why the last operation failed: "None", "00" (the file could not be opened) or "01"
// (a write failed).
class HFileSettings {
public:
    static constexpr std::string_view ERROR_CODE = "ErrorCode";
    static constexpr std::string_view ERROR_NONE = "None";
    static constexpr std::string_view ERROR_OPEN = "00";
    static constexpr std::string_view ERROR_WRITE = "01";
    // The target has its read-only attribute; the writer has said so (message 49).
    static constexpr std::string_view ERROR_READ_ONLY = "02";

    HFileSettings();
    virtual ~HFileSettings() = default;
    HFileSettings(const HFileSettings&) = delete;
    HFileSettings& operator=(const HFileSettings&) = delete;

    // The option's value; empty for an option that was never set.
    std::string getSetting(std::string_view key) const;
    void setSetting(std::string_view key, std::string_view value);
    const std::map<std::string, std::string, std::less<>>& settings() const { return m_settings; }

    std::string errorCode() const { return getSetting(ERROR_CODE); }

private:
    std::map<std::string, std::string, std::less<>> m_settings;
};

} // namespace kq70
