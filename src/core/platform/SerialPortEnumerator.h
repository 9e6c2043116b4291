#pragma once

#include <string>
#include <vector>

namespace kq70 {

// A serial port the system offers: "ttyUSB0", "/dev/ttyUSB0", PORT_KIND_USB_CABLE.
struct SerialPortInfo {
    std::string name;
    std::string devicePath;
    int kind = 0;
};

// Lists the serial ports from the kernel's tty class folder. Only ttys that sit on a device
// count (no consoles, no pseudo-terminals), and an on-board UART the kernel found no chip
// for is left out. A port whose device sits on USB is the USB interface cable.
class SerialPortEnumerator {
public:
    explicit SerialPortEnumerator(std::string sysClassTty = "/sys/class/tty",
                                  std::string deviceFolder = "/dev");

    // In natural order: ttyS2 before ttyS10.
    std::vector<SerialPortInfo> ports() const;
    // The stable names the system gives serial ports by their adapter
    // ("/dev/serial/by-id/usb-…"), which keep naming the same cable whatever ttyUSB number it
    // gets: each with the name and kind of the tty it points at, in name order. A link to
    // nothing (its cable unplugged) is left out.
    std::vector<SerialPortInfo> stableNames() const;

    // The kind of the tty called `ttyName`: PORT_KIND_USB_CABLE when its device is on USB,
    // else PORT_KIND_RS232 (a tty the folder does not list, such as a pseudo-terminal).
    int kindOf(const std::string& ttyName) const;

private:
    bool isSerialPort(const std::string& ttyName) const;

    std::string m_sysClassTty;
    std::string m_deviceFolder;
};

} // namespace kq70
