#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class IniFile;

// The port name that selects the radio simulated inside the program, in the settings file and
// wherever a front end names the port.
inline constexpr std::string_view SIMULATED_PORT_NAME = "simulated";

// The program settings kept in "KQ70.ini": the port, the window size, the optional grid
// columns, the band and LCD type the last run ended with, and the recent-file list.
// Out-of-range values are normalised on load, never reported.
// The settings file's name, in the program folder.
inline constexpr const char* SETTINGS_FILE_NAME = "KQ70.ini";

struct AppSettings {
    static constexpr int ITEM_COUNT = 17;
    static constexpr std::size_t RECENT_FILE_COUNT = 4;
    static constexpr int MIN_CX = 700;
    static constexpr int MIN_CY = 570;
    static constexpr int DEFAULT_END_BAND = 13;

    int portType = 0;     // 0 serial port, 1 the USB programming cable
    int comPort = 1;      // 1–255
    int baudRate = 9600;  // 9600, 19200 or 38400
    std::string portName; // device path; empty means /dev/ttyS<comPort-1>
    // A download reads back what it wrote before it marks the radio complete ("VERIFY"). Only
    // 0 switches it off: a damaged value keeps the safe choice.
    bool verifyDownload = true;
    std::array<int, ITEM_COUNT> items{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int cx = MIN_CX;
    int cy = MIN_CY;
    int endBand = DEFAULT_END_BAND;
    int endLcdType = 0;
    std::vector<std::string> recentFiles; // most recent first, at most RECENT_FILE_COUNT

    static int normalisePortType(int value);
    static int normaliseComPort(int value);
    static int normaliseBaudRate(int value);

    void load(const IniFile& ini);
    // Start-up writes the normalised port type and COM port back at once.
    [[nodiscard]] bool writeNormalisedPort(IniFile& ini) const;
    // Exit writes the column items.
    [[nodiscard]] bool writeItems(IniFile& ini) const;
    // The main window's destruction writes the port, the window size and the end status.
    [[nodiscard]] bool writeFrameValues(IniFile& ini, int band, int lcdType) const;
    [[nodiscard]] bool writeRecentFiles(IniFile& ini) const;
    // The Configure dialog's OK writes the verify choice.
    [[nodiscard]] bool writeVerifyDownload(IniFile& ini) const;

    // Puts `path` at the head of the recent-file list, once.
    void addRecentFile(const std::string& path);

    // True when the radio jobs talk to the simulated radio.
    bool usesSimulatedRadio() const { return portName == SIMULATED_PORT_NAME; }
    // The port the radio commands use as the whole window names it: the device path
    // ("/dev/ttyS0" for port 1 when no path is set) with " (PGC-30)" for the interface
    // cable, or the simulated radio.
    std::string portText() const;
};

} // namespace kq70
