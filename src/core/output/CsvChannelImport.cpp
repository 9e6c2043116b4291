#include "output/CsvChannelImport.h"

#include "app/AccessMode.h"
#include "channel/ChannelCellInput.h"
#include "channel/ChannelCellTexts.h"
#include "channel/ChannelColumns.h"
#include "channel/ChannelValueChecks.h"
#include "channel/FrequencyCodec.h"
#include "channel/GroupLine.h"
#include "channel/HChannelRecord.h"
#include "image/RadioImage.h"
#include "output/ChannelListing.h"
#include "output/CsvChannelEditor.h"
#include "pages/HChannelAllocationDialog.h"
#include "ui/AsciiText.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace kq70 {

namespace {

constexpr int HIGHEST_SQUELCH = 15;
constexpr int ENCRYPTION_SETTINGS = 4;
constexpr int DCS_POLARITIES = 3;
constexpr std::string_view GROUP_PREFIX = "GROUP ";
constexpr std::string_view PMR_PREFIX = "CH";
constexpr std::size_t TAG_FIELD = 8;

// The grid column each exported column title stands for, by its position in the title list;
// a title that appears twice (the two frequencies) names the columns in order.
struct TitleColumn {
    std::size_t title;
    int column;
};
constexpr std::array<TitleColumn, 12> TITLE_COLUMNS = {{
    {0, COL_CHANNEL},
    {4, COL_RX_FREQUENCY},
    {5, COL_TX_FREQUENCY},
    {7, COL_DECODE},
    {8, COL_POWER_SAVE_RX},
    {11, COL_SCAN},
    {12, COL_DIAL_SCAN},
    {13, COL_TOT},
    {14, COL_SQUELCH},
    {16, COL_ENCRYPTION},
    {17, COL_LOCK_OUT},
    {21, COL_ARTS},
}};

// The order cells are set in: the tones before ARTS, which depends on them.
constexpr std::array<int, 11> APPLY_ORDER = {
    COL_RX_FREQUENCY, COL_TX_FREQUENCY, COL_DECODE,     COL_POWER_SAVE_RX, COL_SCAN, COL_DIAL_SCAN,
    COL_TOT,          COL_SQUELCH,      COL_ENCRYPTION, COL_LOCK_OUT,      COL_ARTS};

std::string_view titleText(std::size_t title) {
    return channelColumns()[title].csvTitle;
}

bool isKnownTitle(std::string_view text) {
    const auto columns = channelColumns();
    return std::any_of(columns.begin(), columns.end(),
                       [text](const ChannelColumnInfo& c) { return c.csvTitle == text; });
}

std::string rightTrimmed(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

// A whole number of digits only, within `highest`.
std::optional<int> wholeNumber(std::string_view text, int highest) {
    if (text.empty() || text.size() > 6 ||
        text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value <= highest ? std::optional<int>(value) : std::nullopt;
}

// The short forms a person types for a tone are made into the grid's own: "67.0" and
// "C67.0" into "C-67.0", "D023N" into "D-023N".
std::optional<ChannelCellInput::Tone> parseToneText(const std::string& text) {
    std::string tone = asciiUpperCase(text);
    const bool digitsOnly =
        !tone.empty() && tone.find_first_not_of("0123456789.") == std::string::npos;
    if (digitsOnly) {
        tone = "C-" + tone;
    } else if (tone.size() > 1 && (tone[0] == 'C' || tone[0] == 'D') &&
               std::isdigit(static_cast<unsigned char>(tone[1])) != 0) {
        tone = std::string(1, tone[0]) + "-" + tone.substr(1);
    }
    return ChannelCellInput::parseTone(tone);
}

char decodePolarity(const HChannelData& data, int channel) {
    if (data.getValue(channel, rxDcsInverted) != 0) {
        return 'I';
    }
    return data.getValue(channel, rxDcsBoth) != 0 ? 'B' : 'N';
}

bool sameTone(const ChannelCellInput::Tone& a, const ChannelCellInput::Tone& b) {
    if (a.mode != b.mode) {
        return false;
    }
    return a.mode == TONE_OFF ||
           (a.code == b.code && (a.mode != TONE_DCS || a.polarity == b.polarity));
}

std::string mhzText(std::int64_t hz) {
    return trimmed(ChannelCellTexts::frequencyText(hz));
}

} // namespace

CsvChannelImport::CsvChannelImport(CsvChannelEditor& editor, RadioImage& image, int accessMode,
                                   int bannerLine, std::vector<CsvImportError>& errors)
    : m_editor(editor), m_image(image), m_accessMode(accessMode), m_bannerLine(bannerLine),
      m_errors(errors) {
    m_hardware.extract(image);
    // The export's own header tells which columns this radio and access mode show.
    const ChannelListing listing(image, accessMode);
    m_usesGroups = listing.usesGroups();
    m_shownTitles = listing.csvHeader();
}

bool CsvChannelImport::userMode() const {
    return m_accessMode != ACCESS_MANUFACTURE && m_accessMode != ACCESS_E_MODE;
}

void CsvChannelImport::error(int line, std::string column, std::string reason) {
    m_errors.push_back({line, std::move(column), std::move(reason)});
}

// --- reading the rows ------------------------------------------------------------------------

void CsvChannelImport::addRow(const CsvRow& row) {
    const std::string first = trimmed(row.cell(0));
    bool oneCell = true;
    for (std::size_t k = 1; k < row.cells.size(); ++k) {
        oneCell = oneCell && trimmed(row.cells[k]).empty();
    }
    if (oneCell && first.starts_with(GROUP_PREFIX)) {
        readGroupLine(row);
        return;
    }
    for (const std::string& cell : row.cells) {
        if (trimmed(cell) == titleText(0)) {
            readHeader(row);
            return;
        }
    }
    readChannelRow(row);
}

void CsvChannelImport::readHeader(const CsvRow& row) {
    std::map<std::size_t, HeaderCell> header;
    std::map<std::string, std::size_t> seen;
    m_channelCell.reset();
    m_reportedNoHeader = false;
    for (std::size_t k = 0; k < row.cells.size(); ++k) {
        const std::string title = trimmed(row.cells[k]);
        if (title.empty()) {
            continue;
        }
        // The n-th column of a title is the n-th grid column of it, if the export has one.
        const std::size_t nth = seen[title]++;
        std::size_t found = 0;
        std::optional<int> column;
        for (const TitleColumn& tc : TITLE_COLUMNS) {
            if (titleText(tc.title) == title && found++ == nth) {
                column = tc.column;
            }
        }
        const auto shown =
            static_cast<std::size_t>(std::count(m_shownTitles.begin(), m_shownTitles.end(), title));
        if (!isKnownTitle(title)) {
            error(row.line, title, std::string(text::CSV_IMPORT_UNKNOWN_COLUMN));
        } else if (nth > 0 && nth >= found) {
            error(row.line, title, std::string(text::CSV_IMPORT_COLUMN_TWICE));
        } else if (!column || nth >= shown) {
            error(row.line, title, std::string(text::CSV_IMPORT_COLUMN_NOT_SHOWN));
        } else {
            header[k] = {*column, title};
            if (*column == COL_CHANNEL) {
                m_channelCell = k;
            }
        }
    }
    m_header = header;
}

void CsvChannelImport::readGroupLine(const CsvRow& row) {
    const std::string text = trimmed(row.cell(0));
    const std::string_view rest(std::string_view(text).substr(GROUP_PREFIX.size()));
    const std::size_t colon = rest.find(':');
    const auto number = wholeNumber(trimmed(rest.substr(0, colon)), 1000);
    // "GROUP n: " then the tag in eight places, a blank and the scan text; a line a
    // spreadsheet has squeezed is read up to its last blank.
    std::string_view field =
        colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    if (field.starts_with(' ')) {
        field.remove_prefix(1);
    }
    std::string tag;
    std::string scanText;
    if (field.size() > TAG_FIELD && field[TAG_FIELD] == ' ') {
        tag = std::string(field.substr(0, TAG_FIELD));
        scanText = trimmed(field.substr(TAG_FIELD + 1));
    }
    if (scanText != groupScanText(false) && scanText != groupScanText(true)) {
        const std::string squeezed = rightTrimmed(field);
        const std::size_t blank = squeezed.rfind(' ');
        tag = blank == std::string::npos ? std::string() : squeezed.substr(0, blank);
        scanText = blank == std::string::npos ? squeezed : squeezed.substr(blank + 1);
    }
    const bool scanKnown = scanText == groupScanText(false) || scanText == groupScanText(true);
    if (!number || *number < 1 || colon == std::string_view::npos || !scanKnown) {
        error(row.line, {}, strprintf(text::CSV_IMPORT_NOT_A_GROUP_LINE.data(), text.c_str()));
        return;
    }
    const int groups = m_editor.data().groupCount();
    if (!m_usesGroups) {
        error(row.line, {}, std::string(text::CSV_IMPORT_NO_GROUPS));
        return;
    }
    if (*number > groups) {
        error(row.line, {}, strprintf(text::CSV_IMPORT_NO_SUCH_GROUP.data(), groups, *number));
        return;
    }
    const int group = *number - 1;
    for (const GroupLine& other : m_groupLines) {
        if (other.group == group) {
            error(row.line, {},
                  strprintf(text::CSV_IMPORT_GROUP_TWICE.data(), *number, other.line));
            return;
        }
    }
    m_currentGroup = group;
    m_groupLines.push_back(
        {row.line, group, asciiUpperCase(rightTrimmed(tag)), scanText == groupScanText(true)});
}

void CsvChannelImport::readChannelRow(const CsvRow& row) {
    if (!m_header || !m_channelCell) {
        if (!m_header && !m_reportedNoHeader) {
            error(row.line, {}, std::string(text::CSV_IMPORT_NO_HEADER));
            m_reportedNoHeader = true;
        } else if (m_header && !m_reportedNoHeader) {
            error(row.line, {}, std::string(text::CSV_IMPORT_NO_CHANNEL_COLUMN));
            m_reportedNoHeader = true;
        }
        return;
    }
    const std::string number = trimmed(row.cell(*m_channelCell));
    const std::string title(titleText(0));
    const auto channel = wholeNumber(number, 100000);
    if (!channel || *channel < 1) {
        error(row.line, title, strprintf(text::CSV_IMPORT_NOT_A_CHANNEL.data(), number.c_str()));
        return;
    }
    const int capacity = m_editor.data().capacity();
    if (*channel > capacity) {
        error(row.line, title,
              strprintf(text::CSV_IMPORT_BEYOND_CAPACITY.data(), *channel, capacity));
        return;
    }
    const auto listed = m_lineOfChannel.find(*channel - 1);
    if (listed != m_lineOfChannel.end()) {
        error(row.line, title,
              strprintf(text::CSV_IMPORT_CHANNEL_TWICE.data(), *channel, listed->second));
        return;
    }
    ChannelLine line{row.line, *channel - 1, m_currentGroup, {}};
    // A cell past the row's end was dropped with the trailing empties: it sets nothing.
    for (const auto& [k, header] : *m_header) {
        if (header.column != COL_CHANNEL && k < row.cells.size()) {
            line.cells[header.column] = {row.cells[k], header.title};
        }
    }
    m_lineOfChannel[line.channel] = row.line;
    m_channels.push_back(std::move(line));
}

// --- applying ----------------------------------------------------------------------------------

std::vector<int> CsvChannelImport::apply(UnlistedChannels unlisted) {
    m_hardware.extract(m_image);
    applyGroups();
    programListedChannels();
    for (const ChannelLine& line : m_channels) {
        applyCells(line);
    }
    std::vector<int> left = unlistedChannels();
    if (unlisted == UnlistedChannels::Unprogram) {
        for (const int channel : left) {
            m_editor.space(channel - 1, COL_CHANNEL);
        }
    }
    return left;
}

std::vector<int> CsvChannelImport::unlistedChannels() const {
    const HChannelData& data = m_editor.data();
    std::vector<int> left;
    // The first channel is always programmed: the grid never switches it off.
    for (int channel = 1; channel < data.capacity(); ++channel) {
        if (data.isInUse(channel) && data.groupOfChannel(channel) >= 0 &&
            !m_lineOfChannel.contains(channel)) {
            left.push_back(channel + 1);
        }
    }
    return left;
}

void CsvChannelImport::programListedChannels() {
    const std::string title(titleText(0));
    for (const ChannelLine& line : m_channels) {
        const HChannelData& data = m_editor.data();
        if (data.groupOfChannel(line.channel) < 0) {
            error(line.line, title,
                  strprintf(text::CSV_IMPORT_IN_NO_GROUP.data(), line.channel + 1));
        } else if (!data.isInUse(line.channel)) {
            m_editor.space(line.channel, COL_CHANNEL);
            if (!m_editor.data().isInUse(line.channel)) {
                error(line.line, title, std::string(text::CSV_IMPORT_FIRST_CHANNEL));
            }
        }
    }
}

// --- groups ------------------------------------------------------------------------------------

// Each group owns the channels after those of the groups before it, so a channel listed under
// a group must come after every channel listed under an earlier group.
bool CsvChannelImport::groupsInOrder() {
    bool inOrder = true;
    for (const ChannelLine& line : m_channels) {
        for (const ChannelLine& other : m_channels) {
            if (line.group >= 0 && other.group >= 0 && other.group < line.group &&
                other.channel >= line.channel) {
                error(line.line, std::string(titleText(0)),
                      strprintf(text::CSV_IMPORT_GROUP_ORDER.data(), line.channel + 1,
                                line.group + 1));
                inOrder = false;
                break;
            }
        }
    }
    return inOrder;
}

// The counts closest to the present ones that put every listed channel into its group: a
// group's run ends after its last listed channel and before the first of a later group.
std::vector<int> CsvChannelImport::wantedCounts() const {
    const HChannelData& data = m_editor.data();
    const int groups = data.groupCount();
    std::vector<int> lowestEnd(static_cast<std::size_t>(groups), 0);
    std::vector<int> highestEnd(static_cast<std::size_t>(groups), data.capacity());
    for (const ChannelLine& line : m_channels) {
        if (line.group < 0) {
            continue;
        }
        for (int g = 0; g < groups; ++g) {
            auto& low = lowestEnd[static_cast<std::size_t>(g)];
            auto& high = highestEnd[static_cast<std::size_t>(g)];
            if (g == line.group) {
                low = std::max(low, line.channel + 1);
            } else if (g < line.group) {
                high = std::min(high, line.channel);
            }
        }
    }
    std::vector<int> counts;
    int start = 0;
    for (int g = 0; g < groups; ++g) {
        const int now = data.groupFirstChannel(g) + data.groupChannelCount(g);
        const int low = std::max(start, lowestEnd[static_cast<std::size_t>(g)]);
        const int high = std::max(low, highestEnd[static_cast<std::size_t>(g)]);
        const int end = std::clamp(now, low, high);
        counts.push_back(end - start);
        start = end;
    }
    return counts;
}

int CsvChannelImport::lineOfGroup(int group) const {
    for (const GroupLine& line : m_groupLines) {
        if (line.group == group) {
            return line.line;
        }
    }
    for (const ChannelLine& line : m_channels) {
        if (line.group == group) {
            return line.line;
        }
    }
    return m_bannerLine;
}

void CsvChannelImport::applyGroups() {
    if (!m_usesGroups || !groupsInOrder()) {
        return;
    }
    const HChannelData& data = m_editor.data();
    const std::vector<int> counts = wantedCounts();
    bool changes = false;
    for (std::size_t g = 0; g < counts.size(); ++g) {
        changes = changes || counts[g] != data.groupChannelCount(static_cast<int>(g));
    }
    for (const GroupLine& line : m_groupLines) {
        changes = changes ||
                  line.tag != asciiUpperCase(rightTrimmed(data.groups().tag(line.group))) ||
                  line.scan != data.groups().scanFlag(line.group);
    }
    if (!changes) {
        return;
    }
    m_editor.commit();
    HChannelAllocationDialog dialog(m_image, m_accessMode);
    dialog.OnInitDialog();
    // Groups that shrink first, so the channels they give up are left for those that grow.
    bool locked = false;
    for (const bool growing : {false, true}) {
        for (std::size_t k = 0; k < counts.size(); ++k) {
            const int group = static_cast<int>(k);
            const int now = dialog.GetChannelData().groupChannelCount(group);
            if (counts[k] == now || (counts[k] > now) != growing) {
                continue;
            }
            const int id = HChannelAllocationDialog::IDC_COUNT + group;
            if (!dialog.TypeText(id, std::to_string(counts[k]))) {
                if (!locked) {
                    error(lineOfGroup(group), {}, std::string(text::CSV_IMPORT_ALLOCATION_LOCKED));
                }
                locked = true;
                continue;
            }
            dialog.CountEditKillFocus(group);
            const int given = dialog.GetChannelData().groupChannelCount(group);
            if (given != counts[k]) {
                error(lineOfGroup(group), {},
                      strprintf(text::CSV_IMPORT_ALLOCATION_KEEPS.data(), group + 1, given,
                                counts[k]));
            }
        }
    }
    for (const GroupLine& line : m_groupLines) {
        const int tagId = HChannelAllocationDialog::IDC_TAG + line.group;
        if (line.tag != asciiUpperCase(rightTrimmed(dialog.GetShownValue(tagId))) &&
            (!dialog.TypeText(tagId, line.tag) ||
             asciiUpperCase(rightTrimmed(dialog.GetShownValue(tagId))) != line.tag)) {
            error(line.line, {},
                  strprintf(text::CSV_IMPORT_TAG_NOT_TYPABLE.data(), line.tag.c_str()));
        }
        const int scanId = HChannelAllocationDialog::IDC_SCAN + line.group;
        if (dialog.SelectedItemValue(scanId).value_or(0) != (line.scan ? 1 : 0) &&
            !dialog.SelectItemValue(scanId, line.scan ? 1 : 0)) {
            error(line.line, {}, std::string(text::CSV_IMPORT_GROUP_SCAN_LOCKED));
        }
    }
    dialog.OnOK();
    m_editor.reload();
}

// --- cells ---------------------------------------------------------------------------------------

void CsvChannelImport::applyCells(const ChannelLine& line) {
    const HChannelData& data = m_editor.data();
    if (!data.isInUse(line.channel) || data.groupOfChannel(line.channel) < 0) {
        return; // reported when it was to be programmed
    }
    for (const int column : APPLY_ORDER) {
        const auto cell = line.cells.find(column);
        if (cell != line.cells.end() &&
            trimmed(cell->second.text) != trimmed(m_editor.cellText(line.channel, column))) {
            applyCell(line, column, cell->second);
        }
    }
}

void CsvChannelImport::applyCell(const ChannelLine& line, int column, const Cell& cell) {
    switch (column) {
    case COL_RX_FREQUENCY:
    case COL_TX_FREQUENCY:
        applyFrequency(line, column, cell);
        break;
    case COL_DECODE:
        applyTone(line, cell);
        break;
    case COL_SQUELCH:
        applySquelch(line, cell);
        break;
    case COL_ENCRYPTION:
        applyEncryption(line, cell);
        break;
    default:
        applyFlag(line, column, cell);
        break;
    }
}

void CsvChannelImport::expectKept(const ChannelLine& line, int column, const Cell& cell,
                                  bool kept) {
    if (!kept) {
        error(line.line, cell.title,
              strprintf(text::CSV_IMPORT_GRID_KEEPS.data(),
                        trimmed(m_editor.cellText(line.channel, column)).c_str()));
    }
}

std::optional<CsvChannelImport::Frequency> CsvChannelImport::parseFrequency(const ChannelLine& line,
                                                                            const Cell& cell) {
    std::string text = trimmed(cell.text);
    Frequency frequency;
    // "CH3" or "CH3 (446.03125)": the PMR channel; else MHz, also in brackets.
    if (text.starts_with(PMR_PREFIX)) {
        const std::size_t digits = text.find_first_not_of("0123456789", PMR_PREFIX.size());
        const auto n = wholeNumber(
            std::string_view(text).substr(PMR_PREFIX.size(), digits - PMR_PREFIX.size()), 1000);
        if (n && *n >= 1 && *n <= ChannelCellTexts::PMR_CHANNEL_COUNT) {
            frequency.pmrChannel = *n;
            frequency.hz = ChannelCellTexts::pmrFrequency(*n);
            return frequency;
        }
        if (userMode()) {
            error(line.line, cell.title, strprintf(text::CSV_IMPORT_PMR_ONLY.data(), text.c_str()));
            return std::nullopt;
        }
    }
    const std::size_t open = text.find('(');
    const std::size_t close = text.find(')', open == std::string::npos ? 0 : open);
    if (open != std::string::npos && close != std::string::npos) {
        text = trimmed(std::string_view(text).substr(open + 1, close - open - 1));
    }
    const auto mhz = ChannelCellInput::parseDecimal(text);
    if (!mhz || *mhz >= 1000.0) {
        error(line.line, cell.title,
              strprintf(text::CSV_IMPORT_NOT_A_FREQUENCY.data(), trimmed(cell.text).c_str()));
        return std::nullopt;
    }
    frequency.hz = std::llround(*mhz * 1e6);
    frequency.pmrChannel = ChannelCellTexts::pmrChannelOf(frequency.hz);
    return frequency;
}

// Why the radio cannot take the frequency; empty when it can.
std::string CsvChannelImport::frequencyReason(const Frequency& frequency,
                                              const std::string& text) const {
    if (userMode() && !frequency.pmrChannel) {
        return strprintf(text::CSV_IMPORT_PMR_ONLY.data(), text.c_str());
    }
    std::string reason = frequencyRangeReason(frequency.hz, m_hardware);
    if (!reason.empty()) {
        return reason;
    }
    if (frequency.hz < STORE_MIN_HZ || frequency.hz > STORE_MAX_HZ) {
        return strprintf(text::CSV_IMPORT_STORE_RANGE.data(), mhzText(frequency.hz).c_str());
    }
    int stepRow = 0;
    if (storableFrequency(frequency.hz, m_editor.data().hardware().channelStep, stepRow) !=
        frequency.hz) {
        return strprintf(text::CSV_IMPORT_OFF_STEP.data(), mhzText(frequency.hz).c_str());
    }
    return {};
}

void CsvChannelImport::applyFrequency(const ChannelLine& line, int column, const Cell& cell) {
    const HChannelData& data = m_editor.data();
    const bool transmit = column == COL_TX_FREQUENCY;
    if (transmit) {
        const bool inhibited = data.getValue(line.channel, txInhibit) != 0;
        if (inhibited != (trimmed(cell.text) == text::TX_INHIBITED)) {
            error(line.line, cell.title, std::string(text::CSV_IMPORT_TX_SWITCH));
            return;
        }
        if (inhibited) {
            return;
        }
    }
    const auto frequency = parseFrequency(line, cell);
    const int index = transmit ? txFrequency : rxFrequency;
    if (!frequency || frequency->hz == data.getValue(line.channel, index)) {
        return;
    }
    const std::string reason = frequencyReason(*frequency, trimmed(cell.text));
    if (!reason.empty()) {
        error(line.line, cell.title, reason);
        return;
    }
    // The user modes choose a PMR channel (on the receive side for both frequencies); the
    // service modes type the frequency.
    if (userMode()) {
        m_editor.choosePmrChannel(line.channel, column, *frequency->pmrChannel);
    } else {
        m_editor.edit(line.channel, column, mhzText(frequency->hz));
    }
    expectKept(line, column, cell, m_editor.data().getValue(line.channel, index) == frequency->hz);
}

void CsvChannelImport::applyTone(const ChannelLine& line, const Cell& cell) {
    const auto wanted = parseToneText(trimmed(cell.text));
    if (!wanted) {
        error(line.line, cell.title,
              strprintf(text::CSV_IMPORT_NOT_A_TONE.data(), trimmed(cell.text).c_str()));
        return;
    }
    const auto current = [this, &line] {
        const HChannelData& data = m_editor.data();
        return ChannelCellInput::Tone{data.getValue(line.channel, rxToneMode),
                                      data.getValue(line.channel, rxToneCode),
                                      decodePolarity(data, line.channel)};
    };
    if (sameTone(*wanted, current())) {
        return;
    }
    // Space switches the tone on (CTCSS 67.0 Hz) or off on both sides; the chooser sets the
    // tone on both sides; F3 turns a DCS code's polarity round.
    if ((wanted->mode == TONE_OFF) != (current().mode == TONE_OFF)) {
        m_editor.space(line.channel, COL_DECODE);
    }
    if (wanted->mode != TONE_OFF &&
        (current().mode != wanted->mode || current().code != wanted->code)) {
        m_editor.chooseTone(
            line.channel, COL_DECODE,
            {wanted->mode == TONE_DCS ? ToneKind::Dcs : ToneKind::Ctcss, wanted->code});
    }
    for (int turn = 0; turn < DCS_POLARITIES && wanted->mode == TONE_DCS &&
                       current().polarity != wanted->polarity;
         ++turn) {
        m_editor.dcsComplement(line.channel);
    }
    expectKept(line, COL_DECODE, cell, sameTone(*wanted, current()));
}

void CsvChannelImport::applyFlag(const ChannelLine& line, int column, const Cell& cell) {
    const std::string text = trimmed(cell.text);
    const bool on = text == ChannelListing::flagText(true) || text == "V";
    if (!on && text != ChannelListing::flagText(false)) {
        error(line.line, cell.title, strprintf(text::CSV_IMPORT_NOT_A_FLAG.data(), text.c_str()));
        return;
    }
    const auto ticked = [&] {
        return ChannelCellTexts::ticked(m_editor.data(), line.channel, column);
    };
    if (ticked() != on) {
        m_editor.space(line.channel, column);
        expectKept(line, column, cell, ticked() == on);
    }
}

void CsvChannelImport::applySquelch(const ChannelLine& line, const Cell& cell) {
    const std::string text = trimmed(cell.text);
    const auto level = wholeNumber(text, HIGHEST_SQUELCH);
    if (!level) {
        error(line.line, cell.title,
              strprintf(text::CSV_IMPORT_NOT_A_SQUELCH.data(), text.c_str()));
        return;
    }
    if (*level != m_editor.data().getValue(line.channel, squelchLevel)) {
        m_editor.choose(line.channel, COL_SQUELCH, *level);
        expectKept(line, COL_SQUELCH, cell,
                   m_editor.data().getValue(line.channel, squelchLevel) == *level);
    }
}

void CsvChannelImport::applyEncryption(const ChannelLine& line, const Cell& cell) {
    const std::string text = trimmed(cell.text);
    std::optional<int> wanted;
    for (std::size_t k = 0; k < text::ENCRYPTION_TEXTS.size(); ++k) {
        if (trimmed(text::ENCRYPTION_TEXTS[k]) == text) {
            wanted = static_cast<int>(k);
        }
    }
    if (!wanted) {
        error(line.line, cell.title,
              strprintf(text::CSV_IMPORT_NOT_AN_ENCRYPTION.data(), text.c_str()));
        return;
    }
    const auto value = [&] { return m_editor.data().getValue(line.channel, encryption); };
    // Space cycles the setting, skipping what the option unit does not offer.
    for (int turn = 0; turn < ENCRYPTION_SETTINGS && value() != *wanted; ++turn) {
        m_editor.space(line.channel, COL_ENCRYPTION);
    }
    expectKept(line, COL_ENCRYPTION, cell, value() == *wanted);
}

} // namespace kq70
