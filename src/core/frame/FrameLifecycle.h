#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kq70 {

class CKQ70Doc;
class IniFile;
class UserPrompt;
struct AppSettings;

// The main window's life: its caption, its size at creation, whether it may close, and what
// it leaves in the settings file when it goes.
class FrameLifecycle {
public:
    struct Size {
        int width = 0;
        int height = 0;
    };

    // The window size the settings ask for, never below the minimum, and never larger than
    // the screen area `available` (a side of 0: not known) so the whole window can be seen.
    static Size InitialSize(const AppSettings& settings, Size available);

    // The document as the caption names it: the file's name without its folder, or "<none>".
    static std::string DocumentName(const CKQ70Doc& doc);
    // The mode's title without the blanks that padded it in the old caption bar.
    static std::string ModeTitle(int accessMode);

    // The port the radio commands use: the device, or the simulated radio.
    static std::string PortInUse(const AppSettings& settings);
    // The status bar's port pane.
    static std::string PortStatus(const AppSettings& settings);
    // The lines of the window's information strip: the data file, the radio, the port.
    static std::vector<std::string> InformationLines(const CKQ70Doc& doc,
                                                     const AppSettings& settings);

    // Closing asks to save first; while a print job runs the close is refused with a message,
    // since the job still reads the document.
    static bool CanClose(bool printing, UserPrompt& prompt,
                         const std::function<bool()>& saveModified);

    // What the window writes when it goes: the port, its size and the radio the document holds.
    static bool OnDestroy(AppSettings& settings, IniFile& settingsFile, const CKQ70Doc& doc,
                          Size size);
};

} // namespace kq70
