#pragma once

#include "TextGrid.h"
#include "app/AppSettings.h"
#include "channel/CKQ70View.h"

#include <cstddef>
#include <iosfwd>
#include <string>

namespace kq70 {

class RadioImage;
class UserPrompt;

// The channel view as the command line has it: a text grid, every chooser cancelled, the
// column settings of the program folder. Showing a data file in it is what the program does
// when it opens the file: the view's first refresh brings stored values the grid cannot show
// (frequencies off the step grid or outside the radio's range, ...) to the values it shows.
class CliChannelView {
public:
    CliChannelView(UserPrompt& prompt, const AccessMode& accessMode,
                   const std::string& programFolder);

    // Shows `image` as the view's first refresh does; the number of bytes that changed.
    std::size_t show(RadioImage& image);
    // The error stream's note when showing the file changed its image; nothing otherwise.
    static void reportChanges(std::ostream& err, const std::string& path, std::size_t changed);

    CKQ70View& view() { return m_view; }
    const TextGrid& grid() const { return m_grid; }

private:
    class NoChoosers : public ChannelChoosers {
    public:
        std::optional<int> choosePmrChannel(int /*preset*/) override { return std::nullopt; }
        std::optional<Tone> chooseTone(const Tone& /*current*/) override { return std::nullopt; }
        std::optional<int> chooseSignalNumber(int /*type*/, int /*preset*/) override {
            return std::nullopt;
        }
    };

    TextGrid m_grid;
    NoChoosers m_choosers;
    AppSettings m_settings;
    CKQ70View m_view;
};

} // namespace kq70
