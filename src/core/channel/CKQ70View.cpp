#include "channel/CKQ70View.h"

#include "channel/ChannelCellInput.h"
#include "channel/ChannelGridLayout.h"
#include "channel/ChooserLists.h"
#include "channel/FrequencyCodec.h"
#include "channel/HChannelRecord.h"
#include "channel/ToneTables.h"
#include "image/RadioImage.h"
#include "log/HLogPrint.h"
#include "params/HHardwareParams.h"
#include "params/HScanParams.h"
#include "ui/HelpTopics.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace kq70 {

namespace {

constexpr std::int32_t FIRST_CTCSS = 670;
constexpr std::int32_t FIRST_DCS = 19; // 023
constexpr int TAG_LENGTH = 8;
constexpr int FREQUENCY_EDIT_LENGTH = 9;
constexpr std::int64_t PMR_LOW_HZ = 446000000;
constexpr std::int64_t PMR_HIGH_HZ = 446100000;
constexpr double HIGHEST_MHZ = 999.0;
constexpr int FIRMWARE_WITH_GROUPS = 110;
constexpr int RADIO_CHANNEL_WITH_GROUPS = 4;
constexpr int PRODUCT_TYPE_QM724 = 6;

int toneMode(ToneKind kind) {
    return kind == ToneKind::Dcs ? TONE_DCS : TONE_CTCSS;
}

ToneKind toneKind(int mode) {
    return mode == TONE_DCS ? ToneKind::Dcs : ToneKind::Ctcss;
}

std::optional<int> parseInt(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string s(text.substr(first));
    char* end = nullptr;
    const long value = std::strtol(s.c_str(), &end, 10);
    if (end == s.c_str() || *end != '\0' || value < -1000000 || value > 1000000) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace

CKQ70View::CKQ70View(HGridControl& grid, UserPrompt& prompt, ChannelChoosers& choosers,
                     const AccessMode& accessMode, AppSettings& settings)
    : m_grid(grid), m_prompt(prompt), m_choosers(choosers), m_accessMode(accessMode),
      m_settings(settings) {}

// --- document binding --------------------------------------------------------------------

void CKQ70View::OnUpdate(RadioImage& image) {
    m_image = &image;
    KQ70_LOG(LOG_D1, 0, "OnInitialUpdate()\tm_pMainMemory = [%X]",
             static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(image.data())));
    Rebuild();
    SetupGrid();
    m_group = 0;
    // The load-time store normalises the records; the user hears of it only when it changed
    // a byte of the image.
    const RadioImage before = image;
    OnSaveData();
    if (!(image == before)) {
        MarkModified();
    }
    Refresh();
}

void CKQ70View::OnUpdateData(bool resetGroup) {
    if (m_image == nullptr) {
        return;
    }
    Rebuild();
    if (resetGroup) {
        m_group = 0;
    }
    Refresh();
}

void CKQ70View::OnSaveData() {
    if (m_image != nullptr) {
        m_data.store(*m_image);
    }
}

void CKQ70View::Rebuild() {
    m_data.extract(*m_image);
    m_hardware.extract(*m_image);
    m_misc.extract(*m_image);
    m_marketing.extract(*m_image);
}

void CKQ70View::SetupGrid() {
    m_grid.setColumnCount(CHANNEL_COLUMN_COUNT);
    m_grid.setFixedColumns(ChannelGridLayout::FIXED_COLUMNS);
    if (m_grid.rowCount() < ChannelGridLayout::HEADER_ROWS) {
        m_grid.setRowCount(ChannelGridLayout::HEADER_ROWS);
    }
    m_grid.setFixedRows(ChannelGridLayout::HEADER_ROWS);
    for (int column = 0; column < CHANNEL_COLUMN_COUNT; ++column) {
        m_grid.setTextMatrix(0, column, std::string(ChannelGridLayout::headerTop(column)));
        m_grid.setTextMatrix(1, column, std::string(ChannelGridLayout::headerBottom(column)));
    }
    m_grid.setMergeRow(0, true);
    m_grid.setMergeRow(1, true);
}

void CKQ70View::Refresh() {
    if (m_image == nullptr) {
        return;
    }
    m_grid.setRedraw(false);
    if (!m_data.isGroupUsed(m_group)) {
        m_group = m_data.nextUsedGroup(m_group);
    }
    m_grid.setRowCount(ChannelGridLayout::HEADER_ROWS + m_data.groupChannelCount(m_group));
    for (int column = 0; column < CHANNEL_COLUMN_COUNT; ++column) {
        const std::string list = ChannelGridLayout::comboList(column);
        if (!list.empty() || column == COL_POWER) {
            m_grid.setColumnComboList(column, list);
        }
    }
    for (int row = ChannelGridLayout::FIRST_DATA_ROW; row < m_grid.rowCount(); ++row) {
        FillRow(row);
    }
    StoreIfRepaired();
    ApplyVisibility();
    m_grid.setTopRow(ChannelGridLayout::FIRST_DATA_ROW);
    m_grid.setRow(ChannelGridLayout::FIRST_DATA_ROW);
    m_grid.setColumn(0);
    m_channel = ChannelOfRow(ChannelGridLayout::FIRST_DATA_ROW);
    m_grid.setRedraw(true);
}

void CKQ70View::ApplyVisibility() {
    auto& items = m_settings.items;
    if (m_hardware.get(HW_LCD_TYPE) == 0) {
        items[ChannelGridLayout::ITEM_TAG] = 0;
    }
    items[ChannelGridLayout::ITEM_ENCR] = GetEncryptionUnit() ? 1 : 0;
    for (int column = 1; column < CHANNEL_COLUMN_COUNT; ++column) {
        m_grid.setColumnHidden(column, ColumnHidden(column));
    }
    m_grid.setColumnHidden(COL_CHANNEL, false);
}

bool CKQ70View::ColumnHidden(int column) const {
    if (column == COL_CHANNEL) {
        return false;
    }
    if (column == COL_ENCODE || column == COL_POWER_SAVE_TX ||
        (column == COL_TX_FREQUENCY && GetUserMode())) {
        return true;
    }
    const int item = ChannelGridLayout::itemOfColumn(column);
    return ChannelGridLayout::alwaysHiddenItem(item) ||
           m_settings.items[static_cast<std::size_t>(item)] == 0;
}

// --- cells ---------------------------------------------------------------------------------

CellTextContext CKQ70View::GetTextContext() const {
    return {.accessMode = GetAccessMode(),
            .pmrBand = m_hardware.get(HW_FREQUENCY_BAND) == ChannelCellTexts::PMR_BAND};
}

int CKQ70View::ChannelOfRow(int row) const {
    const int index = row - ChannelGridLayout::FIRST_DATA_ROW;
    if (index < 0 || index >= m_data.groupChannelCount(m_group)) {
        return -1;
    }
    return m_data.groupFirstChannel(m_group) + index;
}

int CKQ70View::RowOfChannel(int channel) const {
    const int index = channel - m_data.groupFirstChannel(m_group);
    if (index < 0 || index >= m_data.groupChannelCount(m_group)) {
        return -1;
    }
    return ChannelGridLayout::FIRST_DATA_ROW + index;
}

void CKQ70View::FillRow(int row) {
    const int channel = ChannelOfRow(row);
    if (channel < 0) {
        return;
    }
    m_repaired = RepairShownValues(channel) || m_repaired;
    for (int column = 0; column < CHANNEL_COLUMN_COUNT; ++column) {
        FillCell(row, column);
    }
}

void CKQ70View::FillCell(int row, int column) {
    const int channel = ChannelOfRow(row);
    if (channel < 0) {
        return;
    }
    const bool programmed = m_data.isInUse(channel);
    const bool enabled = programmed || column == COL_DIAL_SCAN;
    if (ChannelCellTexts::isCheckColumn(column)) {
        m_grid.setCheckCell(row, column, enabled,
                            ChannelCellTexts::ticked(m_data, channel, column));
    } else {
        m_grid.setTextMatrix(row, column,
                             ChannelCellTexts::cellText(m_data, channel, column, GetTextContext()));
    }
    const int keepRow = m_grid.row();
    const int keepColumn = m_grid.column();
    m_grid.setRow(row);
    m_grid.setColumn(column);
    m_grid.setCellBackColour(enabled ? m_grid.foreColour()
                                     : ChannelGridLayout::UNPROGRAMMED_BACK_COLOUR);
    m_grid.setRow(keepRow);
    m_grid.setColumn(keepColumn);
}

// What a cell shows is written back into the record: a frequency that is no PMR channel
// becomes channel 1 on a PMR446 radio in the user modes, an unlisted decode tone the tone it
// snaps to.
bool CKQ70View::RepairShownValues(int channel) {
    bool repaired = false;
    if (ChannelCellTexts::showsPmrChannels(GetTextContext())) {
        const std::int64_t first = ChannelCellTexts::pmrFrequency(1);
        if (!ChannelCellTexts::pmrChannelOf(m_data.getValue(channel, rxFrequency))) {
            m_data.setValue(channel, rxFrequency, static_cast<std::int32_t>(first));
            repaired = true;
        }
        if (m_data.getValue(channel, txInhibit) == 0 &&
            !ChannelCellTexts::pmrChannelOf(m_data.getValue(channel, txFrequency))) {
            m_data.setValue(channel, txFrequency, static_cast<std::int32_t>(first));
            repaired = true;
        }
    }
    const int mode = m_data.getValue(channel, rxToneMode);
    if (mode == TONE_CTCSS || mode == TONE_DCS) {
        const std::int32_t code = m_data.getValue(channel, rxToneCode);
        const std::int32_t snapped = snapTone(toneKind(mode), code);
        if (snapped != code) {
            m_data.setValue(channel, rxToneCode, snapped);
            repaired = true;
        }
    }
    return repaired;
}

void CKQ70View::StoreIfRepaired() {
    if (!m_repaired || m_image == nullptr) {
        return;
    }
    m_repaired = false;
    const RadioImage before = *m_image;
    m_data.store(*m_image);
    if (!(*m_image == before)) {
        MarkModified();
    }
}

void CKQ70View::MarkModified() {
    if (m_modified) {
        m_modified();
    }
}

void CKQ70View::RefreshAfter(int row, int column) {
    switch (column) {
    case COL_CHANNEL:
    case COL_PRIORITY:
        FillRow(row);
        break;
    case COL_RX_FREQUENCY:
        for (const int c : {COL_RX_FREQUENCY, COL_TX_FREQUENCY, COL_CLOCK_SHIFT}) {
            FillCell(row, c);
        }
        break;
    case COL_DECODE:
        for (const int c : {COL_DECODE, COL_ENCODE, COL_ARTS}) {
            FillCell(row, c);
        }
        break;
    case COL_ENCODE:
        for (const int c : {COL_ENCODE, COL_ARTS}) {
            FillCell(row, c);
        }
        break;
    case COL_SIGNAL_TYPE: // the number is reset and type 1 clears ANI
        for (const int c : {COL_SIGNAL_TYPE, COL_SIGNAL_NUMBER, COL_ANI}) {
            FillCell(row, c);
        }
        break;
    default:
        FillCell(row, column);
        break;
    }
}

// --- information strip ---------------------------------------------------------------------

int CKQ70View::GetRadioChannelValue() const {
    return m_hardware.get(HW_RADIO_CHANNEL);
}

void CKQ70View::SelectGroup(int group) {
    if (group >= 0 && group < HGroupTable::GROUP_COUNT) {
        m_group = group;
        Refresh();
    }
}

CKQ70View::InfoStrip CKQ70View::GetInfoStrip() const {
    InfoStrip strip;
    strip.serialNumber.text =
        HMarketingParams::serialNumberText(m_marketing.get(HMarketingParams::SERIAL_NUMBER));
    const int band = m_hardware.get(HW_FREQUENCY_BAND);
    if (band >= 0 && static_cast<std::size_t>(band) < text::FREQUENCY_BAND_NAMES.size()) {
        strip.bandName.text =
            std::string(text::FREQUENCY_BAND_NAMES[static_cast<std::size_t>(band)]);
    }
    const int firmware = m_marketing.firmwareVersion();
    strip.firmwareVersion.text =
        strprintf(std::string(text::FIRMWARE_VERSION_FORMAT).c_str(), firmware / 100.0);
    strip.port.text = m_settings.portText();
    strip.printer.text = m_printerName;
    if (m_hardware.get(HW_PRODUCT_TYPE) == PRODUCT_TYPE_QM724) {
        strip.productType.text = std::string(text::PRODUCT_TYPE_QM724);
    }
    strip.channelCount.text =
        strprintf(std::string(text::CHANNEL_COUNT_FORMAT).c_str(), m_data.capacity());
    strip.channelsLeft.text =
        strprintf(std::string(text::CHANNELS_LEFT_FORMAT).c_str(), m_data.channelsLeft());
    for (int g = 0; g < HGroupTable::GROUP_COUNT; ++g) {
        if (m_data.isGroupUsed(g)) {
            strip.groups.push_back(
                {strprintf(std::string(text::GROUP_ENTRY_FORMAT).c_str(), g + 1), g});
        }
    }
    strip.selectedGroup = m_group;

    const int radioChannel = GetRadioChannelValue();
    strip.groupSelectorEnabled = radioChannel >= RADIO_CHANNEL_WITH_GROUPS;
    const bool groupsShown = (GetAccessMode() != 0 || firmware >= FIRMWARE_WITH_GROUPS) &&
                             radioChannel >= RADIO_CHANNEL_WITH_GROUPS;
    strip.channelCount.shown = !groupsShown;
    strip.groupSelectorShown = groupsShown;
    strip.channelsLeft.shown = groupsShown && radioChannel == RADIO_CHANNEL_256;
    return strip;
}

std::string CKQ70View::GetStatusText() const {
    return std::string(GetRadioChannelValue() >= RADIO_CHANNEL_WITH_GROUPS
                           ? text::STATUS_HELP_WITH_GROUPS
                           : text::STATUS_HELP);
}

// --- keys and mouse ------------------------------------------------------------------------

CKQ70View::KeyOutcome CKQ70View::OnEnter() {
    const int row = m_grid.row();
    const int column = m_grid.column();
    if (column == COL_TAG || column == COL_LOCK_OUT ||
        (ChannelGridLayout::frequencyColumn(column) && !GetUserMode())) {
        m_grid.setEditState(0);
        return KeyOutcome::GridEdits;
    }
    if (ChannelGridLayout::frequencyColumn(column) || column == COL_DECODE ||
        column == COL_ENCODE) {
        CellAction(CellInput::Enter, row, column);
        return KeyOutcome::Handled;
    }
    return KeyOutcome::GridEdits;
}

CKQ70View::KeyOutcome CKQ70View::OnSpace() {
    const int column = m_grid.column();
    if (ChannelGridLayout::frequencyColumn(column) && !GetUserMode()) {
        m_grid.setEditState(0);
        return KeyOutcome::GridEdits;
    }
    CellAction(CellInput::Space, m_grid.row(), column);
    return KeyOutcome::Handled;
}

CKQ70View::KeyOutcome CKQ70View::OnDoubleClick() {
    const int row = m_grid.mouseRow();
    if (row < m_grid.fixedRows()) {
        return KeyOutcome::Handled;
    }
    KQ70_LOG(LOG_ER, 0, "%s", "dblclick");
    const int column = m_grid.column();
    if (ChannelGridLayout::frequencyColumn(column) && !GetUserMode()) {
        m_grid.setEditState(0);
        return KeyOutcome::GridEdits;
    }
    CellAction(CellInput::Click, row, column);
    return KeyOutcome::Handled;
}

void CKQ70View::OnF2() {
    m_group = m_data.nextUsedGroup(m_group);
    Refresh();
}

void CKQ70View::OnF3() {
    const int row = m_grid.row();
    const int channel = ChannelOfRow(row);
    if (m_grid.column() != COL_DECODE || channel < 0 || !m_data.isInUse(channel)) {
        return;
    }
    if (DcsComplement(channel)) {
        FillCell(row, COL_DECODE);
        FillCell(row, COL_ENCODE);
        MarkModified();
    }
}

int CKQ70View::GetHelpTopic() const {
    return HELP_TOPIC_BASE + m_grid.column();
}

std::string_view CKQ70View::helpSection(int topic) {
    switch (topic - HELP_TOPIC_BASE) {
    case COL_CHANNEL:
        return help::GRID_CHANNEL;
    case COL_RX_FREQUENCY:
    case COL_TX_FREQUENCY:
        return help::GRID_FREQUENCY;
    case COL_DECODE:
    case COL_ENCODE:
    case COL_ARTS:
        return help::GRID_TONES;
    case COL_POWER_SAVE_RX:
    case COL_POWER_SAVE_TX:
    case COL_SCAN:
    case COL_DIAL_SCAN:
    case COL_TOT:
    case COL_LOCK_OUT:
        return help::GRID_CHECKS;
    case COL_SQUELCH:
        return help::GRID_SQUELCH;
    case COL_ENCRYPTION:
        return help::GRID_ENCRYPTION;
    default:
        return help::GRID;
    }
}

CKQ70View::FrameRequest CKQ70View::OnShiftF10() const {
    return GetAccessMode() == 0 ? FrameRequest::AdjustmentUnlock : FrameRequest::None;
}

void CKQ70View::rowColumnChange() {
    const int row = m_grid.row();
    if (row < m_grid.fixedRows() || row >= m_grid.rowCount()) {
        return;
    }
    if (const auto number = parseInt(m_grid.textMatrix(row, COL_CHANNEL))) {
        m_channel = *number - 1;
    }
}

// --- items ---------------------------------------------------------------------------------

void CKQ70View::ToggleItem(int item) {
    if (item < 0 || item >= ChannelGridLayout::ITEM_COUNT) {
        return;
    }
    int& flag = m_settings.items[static_cast<std::size_t>(item)];
    flag = flag != 0 ? 0 : 1;
    ApplyVisibility();
}

bool CKQ70View::ItemChecked(int item) const {
    // An item the fixed rules always hide is never shown, whatever its flag says.
    return item >= 0 && item < ChannelGridLayout::ITEM_COUNT &&
           !ChannelGridLayout::alwaysHiddenItem(item) &&
           m_settings.items[static_cast<std::size_t>(item)] != 0;
}

bool CKQ70View::ItemCommandEnabled(int item) const {
    if (item < 0 || item >= ChannelGridLayout::ITEM_COUNT ||
        ChannelGridLayout::alwaysHiddenItem(item)) {
        return false;
    }
    return item != ChannelGridLayout::ITEM_ENCR || GetEncryptionUnit();
}

void CKQ70View::SetItems(const std::array<int, 17>& items) {
    // The flags of always-hidden items stay as the settings file has them.
    for (int item = 0; item < ChannelGridLayout::ITEM_COUNT; ++item) {
        if (!ChannelGridLayout::alwaysHiddenItem(item)) {
            m_settings.items[static_cast<std::size_t>(item)] =
                items[static_cast<std::size_t>(item)];
        }
    }
    ApplyVisibility();
    Refresh();
}

// --- cell actions --------------------------------------------------------------------------

bool CKQ70View::CellAction(CellInput input, int row, int column) {
    const int channel = ChannelOfRow(row);
    if (channel < 0 ||
        (!m_data.isInUse(channel) && column != COL_CHANNEL && column != COL_DIAL_SCAN)) {
        return false;
    }
    const ChannelValues before = ValuesOf(channel);
    bool changed = false;
    switch (column) {
    case COL_CHANNEL:
        changed = ToggleInUse(channel);
        break;
    case COL_PRIORITY:
        changed = TogglePriority(channel, row);
        break;
    case COL_BANDWIDTH:
        m_data.setValue(channel, bandwidth, (m_data.getValue(channel, bandwidth) + 1) % 3);
        changed = true;
        break;
    case COL_RX_FREQUENCY:
    case COL_TX_FREQUENCY:
        changed = GetUserMode() && ChooseFrequency(channel, column == COL_RX_FREQUENCY);
        break;
    case COL_DECODE:
        changed = DecodeToneAction(input, channel);
        break;
    case COL_ENCODE:
        changed = EncodeToneAction(input, channel);
        break;
    case COL_POWER_SAVE_RX:
        changed = Flip(channel, powerSaveRx);
        break;
    case COL_POWER_SAVE_TX:
        changed = Flip(channel, powerSaveTx);
        break;
    case COL_POWER:
        changed = Flip(channel, txPowerLow);
        break;
    case COL_SCAN:
        changed = Flip(channel, scan);
        break;
    case COL_DIAL_SCAN:
        changed = Flip(channel, dialScan);
        break;
    case COL_TOT:
        changed = Flip(channel, tot);
        break;
    case COL_ANI:
        changed = m_data.getValue(channel, signalType) != 1 && Flip(channel, ani);
        break;
    case COL_ENCRYPTION:
        changed = CycleEncryption(channel);
        break;
    case COL_LOCK_OUT:
        m_data.setValue(channel, lockOut, m_data.getValue(channel, lockOut) == 0 ? 1 : 0);
        changed = true;
        break;
    case COL_SIGNAL_TYPE:
        changed = CycleSignalType(channel);
        break;
    case COL_SIGNAL_NUMBER:
        changed = ChooseSignalNumber(channel);
        break;
    case COL_CLOCK_SHIFT:
        changed = Flip(channel, clockShift);
        break;
    case COL_ARTS:
        changed = ArtsAllowed(channel) && Flip(channel, arts);
        break;
    default:
        break;
    }
    // A chooser closed on the value the channel already had changes nothing.
    if (changed && OnlyChangesItsChannel(column) && ValuesOf(channel) == before) {
        changed = false;
    }
    if (changed) {
        RefreshAfter(row, column);
        MarkModified();
    }
    return changed;
}

CKQ70View::ChannelValues CKQ70View::ValuesOf(int channel) const {
    ChannelValues values{};
    for (int index = 0; index < CHANNEL_VALUE_COUNT; ++index) {
        values[static_cast<std::size_t>(index)] = m_data.getValue(channel, index);
    }
    return values;
}

bool CKQ70View::OnlyChangesItsChannel(int column) {
    return column == COL_RX_FREQUENCY || column == COL_TX_FREQUENCY || column == COL_DECODE ||
           column == COL_ENCODE || column == COL_SIGNAL_NUMBER;
}

bool CKQ70View::Flip(int channel, int index) {
    m_data.setValue(channel, index, m_data.getValue(channel, index) != 0 ? 0 : 1);
    return true;
}

// The first channel is always programmed. A channel that was the scan's priority channel
// leaves no priority behind: the channel byte is cleared and Priority Check set to Disable,
// so the scan page finds only values it can show.
bool CKQ70View::ToggleInUse(int channel) {
    if (channel == 0 || m_image == nullptr) {
        return false;
    }
    m_data.setValue(channel, inUse, m_data.isInUse(channel) ? 0 : 1);
    const bool wasPriority = m_data.getGlobal(GLOBAL_PRIORITY_CHANNEL) == channel;
    if (wasPriority) {
        m_data.clearPriority();
    }
    m_data.store(*m_image);
    if (wasPriority) {
        HScanParams scanParams;
        scanParams.extract(*m_image);
        scanParams.set(SCAN_PRIORITY_CH, 0);
        scanParams.set(SCAN_PRIORITY_CHECK, 0);
        scanParams.store(*m_image);
    }
    return true;
}

bool CKQ70View::TogglePriority(int channel, int row) {
    const int group = m_data.groupOfChannel(channel);
    const int previous = m_data.priorityChannelOfGroup(group);
    if (previous == channel) {
        m_data.clearPriority();
    } else {
        m_data.setPriority(channel);
    }
    const int previousRow = RowOfChannel(previous);
    if (previousRow >= 0 && previousRow != row) {
        FillRow(previousRow);
    }
    return true;
}

bool CKQ70View::ChooseFrequency(int channel, bool both) {
    const int index = both ? rxFrequency : txFrequency;
    const int preset = ChannelCellTexts::pmrChannelOf(m_data.getValue(channel, index)).value_or(1);
    const auto chosen = m_choosers.choosePmrChannel(preset);
    if (!chosen || *chosen < 1 || *chosen > ChannelCellTexts::PMR_CHANNEL_COUNT) {
        return false;
    }
    const auto hz = static_cast<std::int32_t>(ChannelCellTexts::pmrFrequency(*chosen));
    if (both) {
        m_data.setValue(channel, rxFrequency, hz);
    }
    m_data.setValue(channel, txFrequency, hz);
    return true;
}

bool CKQ70View::DecodeToneAction(CellInput input, int channel) {
    const int mode = m_data.getValue(channel, rxToneMode);
    if (input == CellInput::Space) {
        // On gives CTCSS 67.0 Hz; any tone, DCS included, goes off.
        const bool on = mode == TONE_OFF;
        m_data.setValue(channel, rxToneMode, on ? TONE_CTCSS : TONE_OFF);
        m_data.setValue(channel, rxToneCode, on ? FIRST_CTCSS : 0);
        m_data.setValue(channel, rxDcsInverted, 0);
        m_data.setValue(channel, rxDcsBoth, 0);
        m_data.setValue(channel, txDcsInverted, 0);
    } else {
        if (mode == TONE_OFF) {
            return false;
        }
        const auto chosen =
            m_choosers.chooseTone({toneKind(mode), m_data.getValue(channel, rxToneCode)});
        if (!chosen || !isListedTone(chosen->kind, chosen->code)) {
            return false;
        }
        m_data.setValue(channel, rxToneMode, toneMode(chosen->kind));
        m_data.setValue(channel, rxToneCode, chosen->code);
    }
    m_data.setValue(channel, txToneMode, m_data.getValue(channel, rxToneMode));
    m_data.setValue(channel, txToneCode, m_data.getValue(channel, rxToneCode));
    ApplyArtsRule(channel);
    return true;
}

bool CKQ70View::EncodeToneAction(CellInput input, int channel) {
    const int mode = m_data.getValue(channel, txToneMode);
    if (input == CellInput::Space) {
        const int next = (mode + 1) % 3;
        const std::int32_t code = next == TONE_CTCSS ? FIRST_CTCSS
                                  : next == TONE_DCS ? FIRST_DCS
                                                     : 0;
        m_data.setValue(channel, txToneMode, next);
        m_data.setValue(channel, txToneCode, code);
        m_data.setValue(channel, txDcsInverted, 0);
    } else {
        if (mode == TONE_OFF) {
            return false;
        }
        const auto chosen =
            m_choosers.chooseTone({toneKind(mode), m_data.getValue(channel, txToneCode)});
        if (!chosen || !isListedTone(chosen->kind, chosen->code)) {
            return false;
        }
        // The mode follows the chosen kind, so a DCS code is never kept as a CTCSS tone.
        m_data.setValue(channel, txToneMode, toneMode(chosen->kind));
        m_data.setValue(channel, txToneCode, chosen->code);
    }
    ApplyArtsRule(channel);
    return true;
}

bool CKQ70View::ArtsAllowed(int channel) const {
    const bool rxDcs = m_data.getValue(channel, rxToneMode) == TONE_DCS;
    const bool txDcs = m_data.getValue(channel, txToneMode) == TONE_DCS;
    switch (m_misc.get(HMiscParams::ARTS_MODE)) {
    case HMiscParams::ARTS_MODE_TRX:
        return rxDcs && txDcs;
    case HMiscParams::ARTS_MODE_TX:
        return txDcs;
    case HMiscParams::ARTS_MODE_RX:
        return rxDcs;
    default:
        return false;
    }
}

void CKQ70View::ApplyArtsRule(int channel) {
    if (!ArtsAllowed(channel)) {
        m_data.setValue(channel, arts, 0);
    }
}

bool CKQ70View::CycleEncryption(int channel) {
    int next = (m_data.getValue(channel, encryption) + 1) % 4;
    if (GetOptionUnit() == OPTION_UNIT_ENCRYPTION && next != 1) {
        next = OPTION_UNIT_ENCRYPTION;
    }
    m_data.setValue(channel, encryption, next);
    return true;
}

bool CKQ70View::CycleSignalType(int channel) {
    const int unit = GetOptionUnit();
    int type = m_data.getValue(channel, signalType);
    do {
        type = (type + 1) % 4;
    } while ((type == PAGING_TYPE && unit != 1 && unit != 3) || (type == OPTION_TYPE && unit != 4));
    m_data.setValue(channel, signalType, type);
    m_data.setValue(channel, signalDisplayNumber, 0);
    if (type == 1) {
        m_data.setValue(channel, ani, 0);
    }
    return true;
}

bool CKQ70View::ChooseSignalNumber(int channel) {
    const int type = m_data.getValue(channel, signalType);
    if (type == 0) {
        return false;
    }
    const auto chosen =
        m_choosers.chooseSignalNumber(type, m_data.getValue(channel, signalDisplayNumber));
    if (!chosen || *chosen < 1 || *chosen > ChooserLists::highestSignalNumber(type)) {
        return false;
    }
    m_data.setValue(channel, signalDisplayNumber, *chosen);
    return true;
}

bool CKQ70View::DcsComplement(int channel) {
    if (m_data.getValue(channel, rxToneMode) != TONE_DCS) {
        return false;
    }
    if (m_data.getValue(channel, rxDcsInverted) != 0) {
        m_data.setValue(channel, rxDcsInverted, 0);
        m_data.setValue(channel, rxDcsBoth, 1);
        m_data.setValue(channel, txDcsInverted, 1);
    } else if (m_data.getValue(channel, rxDcsBoth) != 0) {
        m_data.setValue(channel, rxDcsBoth, 0);
        m_data.setValue(channel, txDcsInverted, 1);
    } else {
        m_data.setValue(channel, rxDcsInverted, 1);
        m_data.setValue(channel, txDcsInverted, 0);
    }
    if (m_data.getValue(channel, txToneMode) == TONE_DCS) {
        m_data.setValue(channel, txDcsInverted,
                        m_data.getValue(channel, txDcsInverted) != 0 ? 0 : 1);
    }
    return true;
}

// --- in-cell editing -----------------------------------------------------------------------

bool CKQ70View::beforeEdit(int row, int column) {
    const int channel = ChannelOfRow(row);
    if (channel < 0 || !m_data.isInUse(channel)) {
        return false;
    }
    switch (column) {
    case COL_TAG:
    case COL_DECODE:
    case COL_ENCODE:
        m_grid.setEditMaxLength(TAG_LENGTH);
        return true;
    case COL_RX_FREQUENCY:
    case COL_TX_FREQUENCY:
        m_grid.setEditMaxLength(FREQUENCY_EDIT_LENGTH);
        return true;
    case COL_BANDWIDTH:
    case COL_SQUELCH:
        return true;
    default:
        return false;
    }
}

int CKQ70View::keyPressEdit(int /*row*/, int column, int key) {
    return ChannelCellInput::filteredKey(column, key);
}

std::optional<std::string_view> CKQ70View::PendingEditProblem(int column, const std::string& text) {
    // Only a frequency can be typed as something that is none: the other cells' keys and
    // lists give values only.
    if (ChannelGridLayout::frequencyColumn(column) && !ChannelCellInput::parseDecimal(text)) {
        return text::FREQUENCY_EDIT_NOT_A_NUMBER;
    }
    return std::nullopt;
}

bool CKQ70View::CommitPendingEdit() {
    if (!m_grid.editing()) {
        return true;
    }
    if (const auto problem = PendingEditProblem(m_grid.column(), m_grid.editText())) {
        m_prompt.messageBox(*problem, text::FREQUENCY_CAPTION, MessageButtons::Ok,
                            MessageIcon::Exclamation);
        return false;
    }
    m_grid.commitEdit();
    return true;
}

void CKQ70View::CommitValidPendingEdit() {
    if (m_grid.editing() && !PendingEditProblem(m_grid.column(), m_grid.editText())) {
        m_grid.commitEdit();
    }
}

bool CKQ70View::validateEdit(int row, int column, const std::string& text) {
    const int channel = ChannelOfRow(row);
    if (channel < 0) {
        return false;
    }
    if (column < COL_TAG || column > COL_ENCODE) {
        return true;
    }
    if (!ParseInto(channel, column, text)) {
        return false;
    }
    if (ChannelGridLayout::frequencyColumn(column)) {
        const int index = column == COL_RX_FREQUENCY ? rxFrequency : txFrequency;
        m_grid.setTextMatrix(row, column,
                             ChannelCellTexts::frequencyText(m_data.getValue(channel, index)));
    }
    MarkModified();
    return true;
}

void CKQ70View::afterEdit(int row, int column) {
    const int channel = ChannelOfRow(row);
    if (channel < 0) {
        return;
    }
    if (column >= COL_TAG && column <= COL_ENCODE) {
        FillRow(row);
        return;
    }
    const auto chosen = parseInt(m_grid.comboData(column));
    struct Target {
        int index;
        int highest;
    };
    std::optional<Target> target;
    switch (column) {
    case COL_BANDWIDTH:
        target = Target{bandwidth, 2};
        break;
    case COL_SQUELCH:
        target = Target{squelchLevel, 15};
        break;
    case COL_ENCRYPTION:
        target = Target{encryption, 3};
        break;
    case COL_LOCK_OUT:
        target = Target{lockOut, 1};
        break;
    default:
        break;
    }
    if (target && chosen && *chosen >= 0 && *chosen <= target->highest) {
        m_data.setValue(channel, target->index, *chosen);
        MarkModified();
    }
    FillCell(row, column);
}

std::optional<std::int64_t> CKQ70View::CheckedFrequency(const std::string& text) {
    const auto parsed = ChannelCellInput::parseDecimal(text);
    if (!parsed) {
        return std::nullopt;
    }
    const double mhz = *parsed >= 1000.0 ? HIGHEST_MHZ : *parsed;
    std::int64_t hz = std::llround(mhz * 1e6);
    const bool service = !GetUserMode();
    const auto warn = [this] {
        m_prompt.messageBox(text::OUT_OF_FREQUENCY_RANGE, text::FREQUENCY_CAPTION,
                            MessageButtons::Ok, MessageIcon::Exclamation);
    };
    if (hz < STORE_MIN_HZ) {
        warn();
        hz = service ? STORE_MIN_HZ : ChannelCellTexts::pmrFrequency(1);
    } else if (hz > STORE_MAX_HZ) {
        warn();
        hz = service ? STORE_MAX_HZ
                     : ChannelCellTexts::pmrFrequency(ChannelCellTexts::PMR_CHANNEL_COUNT);
    } else if (hz < PMR_LOW_HZ || hz > PMR_HIGH_HZ) {
        warn();
    }
    return hz;
}

bool CKQ70View::ParseInto(int channel, int column, const std::string& text) {
    if (ChannelGridLayout::frequencyColumn(column)) {
        const auto hz = CheckedFrequency(text);
        return hz && SetFromText(channel, column, ChannelCellTexts::frequencyText(*hz));
    }
    return SetFromText(channel, column, text);
}

// A checked text into the channel: frequencies already within what the cell allows.
bool CKQ70View::SetFromText(int channel, int column, const std::string& text) {
    if (!storeText(channel, column, text)) {
        return false;
    }
    matchHiddenSide(channel, column);
    return true;
}

bool CKQ70View::storeText(int channel, int column, const std::string& text) {
    switch (column) {
    case COL_TAG:
        m_data.setTag(channel, ChannelCellInput::paddedTag(text));
        return true;
    case COL_RX_FREQUENCY:
    case COL_TX_FREQUENCY: {
        const auto mhz = ChannelCellInput::parseDecimal(
            std::string_view(text).substr(std::min(text.size(), text.find_first_not_of(' '))));
        if (!mhz) {
            return false;
        }
        m_data.setValue(channel, column == COL_RX_FREQUENCY ? rxFrequency : txFrequency,
                        static_cast<std::int32_t>(std::llround(*mhz * 1e6)));
        return true;
    }
    case COL_DECODE: {
        const auto tone = ChannelCellInput::parseTone(text);
        if (!tone) {
            return false;
        }
        m_data.setValue(channel, rxToneMode, tone->mode);
        m_data.setValue(channel, rxToneCode, tone->code);
        m_data.setValue(channel, rxDcsInverted, tone->polarity == 'I' ? 1 : 0);
        m_data.setValue(channel, rxDcsBoth, tone->polarity == 'B' ? 1 : 0);
        ApplyArtsRule(channel);
        return true;
    }
    case COL_ENCODE: {
        const auto tone = ChannelCellInput::parseTone(text);
        if (!tone) {
            return false;
        }
        m_data.setValue(channel, txToneMode, tone->mode);
        m_data.setValue(channel, txToneCode, tone->code);
        m_data.setValue(channel, txDcsInverted, tone->polarity == 'I' ? 1 : 0);
        ApplyArtsRule(channel);
        return true;
    }
    default:
        return false;
    }
}

void CKQ70View::matchHiddenSide(int channel, int column) {
    switch (column) {
    case COL_RX_FREQUENCY:
    case COL_TX_FREQUENCY: {
        const bool rx = column == COL_RX_FREQUENCY;
        if (ColumnHidden(rx ? COL_TX_FREQUENCY : COL_RX_FREQUENCY)) {
            m_data.setValue(channel, rx ? txFrequency : rxFrequency,
                            m_data.getValue(channel, rx ? rxFrequency : txFrequency));
        }
        break;
    }
    case COL_DECODE:
        if (ColumnHidden(COL_ENCODE)) {
            m_data.setValue(channel, txToneMode, m_data.getValue(channel, rxToneMode));
            m_data.setValue(channel, txToneCode, m_data.getValue(channel, rxToneCode));
            // Encode has no "both": only an inverted decode inverts the encode.
            m_data.setValue(channel, txDcsInverted, m_data.getValue(channel, rxDcsInverted));
            ApplyArtsRule(channel);
        }
        break;
    default:
        break;
    }
}

// --- copy and paste ------------------------------------------------------------------------

std::string CKQ70View::Copy() {
    const HGridControl::Selection selection = m_grid.getSelection();
    const std::string text = m_grid.clip();
    m_copyRow = selection.firstRow;
    m_copyColumn = selection.firstColumn;
    m_copyToneKind = 0;
    m_copyToneNumber = 0;
    if (m_copyColumn == COL_DECODE) {
        m_copyToneKind = text.find("D-") != std::string::npos ? 'D' : 'C';
        const std::size_t number = text.find("No.");
        if (number != std::string::npos) {
            m_copyToneNumber = std::atoi(text.c_str() + number + 3);
        }
    }
    return text;
}

// "3" for one row, "3-5" for a block of rows; empty when no row holds a channel.
std::string CKQ70View::ChannelRange(int firstRow, int lastRow) const {
    const int first = ChannelOfRow(firstRow);
    const int last = ChannelOfRow(lastRow);
    if (first < 0) {
        return {};
    }
    return last > first ? std::to_string(first + 1) + "-" + std::to_string(last + 1)
                        : std::to_string(first + 1);
}

bool CKQ70View::Paste(const std::string& text) {
    const HGridControl::Selection selection = m_grid.getSelection();
    const int column = selection.firstColumn;
    if (column < COL_TAG || column > COL_ENCODE || ChannelCellInput::firstCell(text).empty()) {
        return false;
    }
    if (column == COL_RX_FREQUENCY) {
        std::string question =
            substitute1(std::string(text::COPY_CHANNEL_DATA), ChannelRange(m_copyRow, m_copyRow));
        const std::size_t at = question.find("%2");
        if (at != std::string::npos) {
            question.replace(at, 2, ChannelRange(selection.firstRow, selection.lastRow));
        }
        if (m_prompt.messageBox(question, {}, MessageButtons::YesNo, MessageIcon::Question) !=
            MessageAnswer::Yes) {
            return false;
        }
    }
    std::string kept = ChannelCellInput::pasteText(column, text);
    if (ChannelGridLayout::frequencyColumn(column)) {
        // Checked once for the whole selection: one message, one result for every row.
        const auto hz = CheckedFrequency(kept);
        if (!hz) {
            return false;
        }
        kept = ChannelCellTexts::frequencyText(*hz);
        kept.erase(0, kept.find_first_not_of(' '));
    }
    bool changed = false;
    for (int row = selection.firstRow; row <= selection.lastRow; ++row) {
        const int channel = ChannelOfRow(row);
        if (channel < 0 || !m_data.isInUse(channel)) {
            continue;
        }
        if (SetFromText(channel, column, kept)) {
            FillRow(row);
            changed = true;
        }
    }
    if (changed) {
        MarkModified();
    }
    return changed;
}

} // namespace kq70
