#pragma once

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "channel/CKQ70View.h"
#include "channel/ChannelChoosers.h"
#include "ui/HGridControl.h"

#include <memory>
#include <optional>
#include <string>

namespace kq70 {

class RadioImage;
class UserPrompt;

// The channel view an import edits channels through, as a user would: keys and clicks on a
// channel's cell, in-cell edits, drop-down choices and the choosers, answered with the value
// the file asks for. Every rule of the grid (what a key does, what a chooser sets on both
// sides, what an edit keeps) is the view's own; this class only finds the cell.
class CsvChannelEditor {
public:
    CsvChannelEditor(RadioImage& image, int accessMode, UserPrompt& prompt);
    ~CsvChannelEditor();
    CsvChannelEditor(const CsvChannelEditor&) = delete;
    CsvChannelEditor& operator=(const CsvChannelEditor&) = delete;

    const HChannelData& data() const { return m_view->GetChannelData(); }
    CellTextContext textContext() const { return m_view->GetTextContext(); }
    // The cell's text as the grid shows it (check marks as the listing writes them, v or -).
    std::string cellText(int channel, int column) const;

    // The image gets the grid's data before a page or dialog reads it (when the grid changed
    // anything since: storing what was read changes nothing), and the grid is rebuilt from
    // the image after one stored.
    void commit();
    void reload();
    // Shows every group once: what a row shows is written back as the view does it (a
    // frequency that is no PMR channel, an unlisted decode tone).
    void showEveryGroup();

    // Space on the channel's cell (toggles, cycles, tone on and off).
    bool space(int channel, int column);
    // Enter on a frequency or tone cell, with the chooser answering `pmrChannel` or `tone`.
    bool choosePmrChannel(int channel, int column, int pmrChannel);
    bool chooseTone(int channel, int column, ChannelChoosers::Tone tone);
    // F3 on the decode tone.
    void dcsComplement(int channel);
    // An in-cell edit ending with `text`; false when the view refused it.
    bool edit(int channel, int column, const std::string& text);
    // The drop-down entry with item data `itemData`.
    bool choose(int channel, int column, int itemData);

private:
    class Grid;
    class Choosers;

    // Puts the grid on the channel's cell, showing its group; false when no row shows it.
    bool goTo(int channel, int column);

    std::unique_ptr<Grid> m_grid;
    std::unique_ptr<Choosers> m_choosers;
    AppSettings m_settings;
    AccessMode m_accessMode; // the import's, fixed for its run
    std::unique_ptr<CKQ70View> m_view;
    bool m_changed = false;
};

} // namespace kq70
