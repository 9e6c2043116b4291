#include "platform/SerialPortEnumerator.h"

#include "platform/SerialDevice.h"
#include "ui/AsciiText.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace kq70 {

namespace fs = std::filesystem;

namespace {

// "ttyS10" → ("ttyS", 10) so that numbered ports sort as people count.
std::tuple<std::string, unsigned long, std::string> naturalKey(const std::string& name) {
    std::size_t digits = name.size();
    while (digits > 0 && isAsciiDigit(name[digits - 1])) {
        --digits;
    }
    const std::string tail = name.substr(digits);
    if (tail.empty() || tail.size() > 9) {
        return {name, 0, name};
    }
    unsigned long number = 0;
    std::from_chars(tail.data(), tail.data() + tail.size(), number);
    return {name.substr(0, digits), number, name};
}

} // namespace

SerialPortEnumerator::SerialPortEnumerator(std::string sysClassTty, std::string deviceFolder)
    : m_sysClassTty(std::move(sysClassTty)), m_deviceFolder(std::move(deviceFolder)) {}

std::vector<SerialPortInfo> SerialPortEnumerator::ports() const {
    std::vector<SerialPortInfo> result;
    std::error_code error;
    fs::directory_iterator it(m_sysClassTty, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (isSerialPort(name)) {
            result.push_back({name, m_deviceFolder + "/" + name, kindOf(name)});
        }
    }
    std::sort(result.begin(), result.end(),
              [](const auto& a, const auto& b) { return naturalKey(a.name) < naturalKey(b.name); });
    return result;
}

std::vector<SerialPortInfo> SerialPortEnumerator::stableNames() const {
    std::vector<SerialPortInfo> result;
    const fs::path folder = fs::path(m_deviceFolder) / "serial" / "by-id";
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code broken;
        const fs::path target = fs::canonical(it->path(), broken);
        if (broken) {
            continue;
        }
        const std::string tty = target.filename().string();
        result.push_back({tty, (folder / it->path().filename()).string(), kindOf(tty)});
    }
    std::sort(result.begin(), result.end(),
              [](const auto& a, const auto& b) { return a.devicePath < b.devicePath; });
    return result;
}

bool SerialPortEnumerator::isSerialPort(const std::string& ttyName) const {
    const fs::path entry = fs::path(m_sysClassTty) / ttyName;
    std::error_code error;
    if (!fs::exists(entry / "device", error)) {
        return false; // consoles, pseudo-terminals and the like
    }
    // Legacy UARTs are listed whether a chip answers or not; type 0 means none does.
    std::ifstream type(entry / "type");
    int uartType = -1;
    if (type >> uartType && uartType == 0) {
        return false;
    }
    return true;
}

int SerialPortEnumerator::kindOf(const std::string& ttyName) const {
    std::error_code error;
    const fs::path device = fs::canonical(fs::path(m_sysClassTty) / ttyName / "device", error);
    if (error) {
        return PORT_KIND_RS232;
    }
    for (const auto& part : device) {
        if (part.string().rfind("usb", 0) == 0) {
            return PORT_KIND_USB_CABLE;
        }
    }
    return PORT_KIND_RS232;
}

} // namespace kq70
