#pragma once

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "channel/ChannelCellTexts.h"
#include "channel/ChannelChoosers.h"
#include "channel/HChannelData.h"
#include "params/HHardwareParams.h"
#include "params/HMarketingParams.h"
#include "params/HMiscParams.h"
#include "ui/HGridControl.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kq70 {

class RadioImage;
class UserPrompt;

// The channel view's logic: it fills an HGridControl with the channels of the current group,
// decides what every key, click and in-cell edit does to the channel data, and writes the data
// back into the image on request. A front end paints the grid and the information strip and
// forwards input to the entry points below; nothing here draws.
class CKQ70View : public HGridEvents {
public:
    // One text of the information strip and whether it is shown.
    struct StripText {
        std::string text;
        bool shown = true;
    };
    struct GroupEntry {
        std::string text;
        int group = 0;
    };
    struct InfoStrip {
        StripText serialNumber;
        StripText bandName;
        StripText firmwareVersion;
        StripText port;
        StripText printer;
        StripText productType;
        StripText channelCount;
        StripText channelsLeft;
        std::vector<GroupEntry> groups; // the group selector's entries
        int selectedGroup = 0;
        bool groupSelectorShown = false;
        bool groupSelectorEnabled = false;
    };

    // What a key asks of the front end.
    enum class KeyOutcome {
        Handled,   // the view acted (or deliberately did nothing); the grid must not see it
        GridEdits, // let the grid start its in-cell editor
    };
    enum class FrameRequest { None, RawImageEditor, AdjustmentUnlock };
    enum class CellInput { Click, Enter, Space };

    static constexpr int HELP_TOPIC_BASE = 0x20000 + 2001 * 32;

    // The settings give the port of the strip and the column flags ITEM1–ITEM17, which the
    // view keeps up to date there.
    CKQ70View(HGridControl& grid, UserPrompt& prompt, ChannelChoosers& choosers,
              const AccessMode& accessMode, AppSettings& settings);

    // Called whenever the view changes the data or the image.
    void SetModifiedHandler(std::function<void()> handler) { m_modified = std::move(handler); }
    void SetPrinterName(std::string name) { m_printerName = std::move(name); }

    // Document binding: the document's image changed (open, new, upload).
    void OnUpdate(RadioImage& image);
    // Reload request from a page or the frame; resetGroup selects group 0.
    void OnUpdateData(bool resetGroup);
    // Writes the channel data into the image (the view edits nothing else).
    void OnSaveData();
    void Refresh();
    void ApplyVisibility();

    // Group selector.
    void SelectGroup(int group);
    int GetCurrentGroup() const { return m_group; }
    int GetCurrentChannel() const { return m_channel; }
    InfoStrip GetInfoStrip() const;
    std::string GetStatusText() const;

    // Keys and mouse, acting on the grid's current cell.
    KeyOutcome OnEnter();
    KeyOutcome OnSpace();
    // Ignored on a header row (the grid's mouse row).
    KeyOutcome OnDoubleClick();
    void OnF2();
    void OnF3();
    int GetHelpTopic() const;
    // The built-in help's section for a topic helpTopic gave.
    static std::string_view helpSection(int topic);
    FrameRequest OnShiftF9() const { return FrameRequest::RawImageEditor; }
    FrameRequest OnShiftF10() const;
    void rowColumnChange();

    // The View > Item menu.
    void ToggleItem(int item);
    bool ItemChecked(int item) const;
    bool ItemCommandEnabled(int item) const;
    // The "Visible" dialog's OK with its check boxes.
    void SetItems(const std::array<int, 17>& items);

    // Copy returns the text for the clipboard; paste applies clipboard text to the selection.
    std::string Copy();
    bool Paste(const std::string& text);
    char GetCopiedToneKind() const { return m_copyToneKind; }
    int GetCopiedToneNumber() const { return m_copyToneNumber; }

    // A command is about to read the document while the grid may still have a cell open:
    // its text goes into the channel as Enter would put it. Text that is no value of the
    // cell is refused with a message, and the cell stays open as it was; false then.
    bool CommitPendingEdit();
    // The same without a word, for a program that must end now: text that is no value of the
    // cell is left as it is.
    void CommitValidPendingEdit();
    // What is wrong with `text` as the new value of a cell; nothing when Enter may take it.
    static std::optional<std::string_view> PendingEditProblem(int column, const std::string& text);

    // In-cell editing.
    bool beforeEdit(int row, int column) override;
    int keyPressEdit(int row, int column, int key) override;
    bool validateEdit(int row, int column, const std::string& text) override;
    void afterEdit(int row, int column) override;

    const HChannelData& GetChannelData() const { return m_data; }
    const HGridControl& GetGrid() const { return m_grid; }
    int GetAccessMode() const { return m_accessMode.value(); }
    CellTextContext GetTextContext() const;
    // The channel index of a grid row; −1 for a header row or a row past the group.
    int ChannelOfRow(int row) const;
    int RowOfChannel(int channel) const;

private:
    void Rebuild();
    void SetupGrid();
    void FillRow(int row);
    void FillCell(int row, int column);
    void RefreshAfter(int row, int column);
    bool RepairShownValues(int channel);
    void StoreIfRepaired();
    void MarkModified();

    bool CellAction(CellInput input, int row, int column);
    bool ToggleInUse(int channel);
    bool TogglePriority(int channel, int row);
    bool ChooseFrequency(int channel, bool both);
    bool DecodeToneAction(CellInput input, int channel);
    bool EncodeToneAction(CellInput input, int channel);
    bool CycleEncryption(int channel);
    bool CycleSignalType(int channel);
    bool ChooseSignalNumber(int channel);
    bool Flip(int channel, int index);
    using ChannelValues = std::array<std::int32_t, CHANNEL_VALUE_COUNT>;
    ChannelValues ValuesOf(int channel) const;
    static bool OnlyChangesItsChannel(int column);
    bool ArtsAllowed(int channel) const;
    void ApplyArtsRule(int channel);
    bool DcsComplement(int channel);

    // The frequency check of an edited frequency: nothing when the text is no number.
    std::optional<std::int64_t> CheckedFrequency(const std::string& text);
    bool ParseInto(int channel, int column, const std::string& text);
    bool SetFromText(int channel, int column, const std::string& text);
    bool storeText(int channel, int column, const std::string& text);
    std::string ChannelRange(int firstRow, int lastRow) const;
    // The fixed rules and the item flags: whether `column` is hidden.
    bool ColumnHidden(int column) const;
    // A typed or pasted value of one side goes to the other side too when that side's column
    // is hidden: a split the user cannot see is never made.
    void matchHiddenSide(int channel, int column);

    bool GetUserMode() const { return GetAccessMode() == 0 || GetAccessMode() == 2; }
    int GetOptionUnit() const { return m_data.getGlobal(GLOBAL_OPTION_UNIT); }
    bool GetEncryptionUnit() const { return GetOptionUnit() != 0 && GetOptionUnit() != 4; }
    int GetRadioChannelValue() const;

    HGridControl& m_grid;
    UserPrompt& m_prompt;
    ChannelChoosers& m_choosers;
    const AccessMode& m_accessMode;
    AppSettings& m_settings;
    std::string m_printerName;
    std::function<void()> m_modified;

    RadioImage* m_image = nullptr;
    HChannelData m_data;
    HHardwareParams m_hardware;
    HMiscParams m_misc;
    HMarketingParams m_marketing;

    int m_group = 0;
    int m_channel = 0;
    bool m_repaired = false;
    int m_copyRow = -1;
    int m_copyColumn = -1;
    char m_copyToneKind = 0;
    int m_copyToneNumber = 0;
};

} // namespace kq70
