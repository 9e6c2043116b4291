#include "output/ChannelListing.h"

#include "app/AccessMode.h"
#include "channel/ChannelCellTexts.h"
#include "channel/ChannelColumns.h"
#include "channel/GroupLine.h"
#include "image/RadioImage.h"
#include "params/HMiscParams.h"
#include "ui/Strings.h"

namespace kq70 {

namespace {

// Groups are used from this Radio Channel value on.
constexpr int GROUPS_RADIO_CHANNEL = 4;
// Option unit values that carry no encryption.
constexpr std::int32_t OPTION_UNIT_NONE_FITTED = 0;
constexpr std::int32_t OPTION_UNIT_WITHOUT_ENCRYPTION = 4;

// Column 0 of the grid holds the channel number, its first header word the column title.
enum CsvTitle : std::size_t {
    TITLE_CHANNEL = 0,
    TITLE_RX_FREQUENCY = 4,
    TITLE_TX_FREQUENCY = 5,
    TITLE_SUB_AUDIO = 7,
    TITLE_POWER_SAVE = 8,
    TITLE_SCAN = 11,
    TITLE_DIAL_SCAN = 12,
    TITLE_TOT = 13,
    TITLE_SQUELCH = 14,
    TITLE_ENCRYPTION = 16,
    TITLE_LOCK_OUT = 17,
    TITLE_ARTS = 21,
};

// Where the next cell of a printed line starts: under its header word, or one space after
// the previous cell should that one run long.
void putAt(std::string& line, std::size_t column, std::string_view cell) {
    if (line.size() < column) {
        line.append(column - line.size(), ' ');
    } else if (!line.empty()) {
        line += ' ';
    }
    line += cell;
}

// The column of a header word in the printed header; `word` is matched as a whole word.
std::size_t columnOf(std::string_view header, std::string_view word) {
    std::size_t at = header.find(word);
    while (at != std::string_view::npos) {
        const bool startsWord = at == 0 || header[at - 1] == ' ';
        const std::size_t end = at + word.size();
        const bool endsWord = end == header.size() || header[end] == ' ';
        if (startsWord && endsWord) {
            return at;
        }
        at = header.find(word, at + 1);
    }
    return header.size();
}

} // namespace

ChannelListing::ChannelListing(const RadioImage& image, int accessMode) : m_accessMode(accessMode) {
    const std::int32_t optionUnit = HMiscParams::optionUnitOf(image);
    m_encryptionUsed =
        optionUnit != OPTION_UNIT_NONE_FITTED && optionUnit != OPTION_UNIT_WITHOUT_ENCRYPTION;
    m_usesGroups = radioChannelValueOf(image) >= GROUPS_RADIO_CHANNEL;
    m_pmrBand = frequencyBandOf(image) == ChannelCellTexts::PMR_BAND;

    HChannelData data;
    data.extract(image);
    for (int group = 0; group < data.groupCount(); ++group) {
        Block block;
        if (m_usesGroups) {
            block.groupLine = groupLine(data.groups(), group);
        }
        const int first = data.groupFirstChannel(group);
        for (int channel = first; channel < first + data.groupChannelCount(group); ++channel) {
            if (data.isInUse(channel)) {
                block.rows.push_back(makeRow(data, channel));
            }
        }
        if (!block.rows.empty()) {
            m_blocks.push_back(std::move(block));
        }
    }
}

bool ChannelListing::showsTransmitFrequency() const {
    return m_accessMode == ACCESS_MANUFACTURE || m_accessMode == ACCESS_E_MODE;
}

ChannelListing::Row ChannelListing::makeRow(const HChannelData& data, int channel) const {
    const CellTextContext context{m_accessMode, m_pmrBand};
    const auto cell = [&](int column) {
        return ChannelCellTexts::cellText(data, channel, column, context);
    };
    const auto ticked = [&](int column) { return ChannelCellTexts::ticked(data, channel, column); };
    Row row;
    row.channel = channel;
    row.number = cell(COL_CHANNEL);
    row.rxFrequency = cell(COL_RX_FREQUENCY);
    row.txFrequency = cell(COL_TX_FREQUENCY);
    row.subAudio = cell(COL_DECODE);
    row.powerSave = ticked(COL_POWER_SAVE_RX);
    row.scan = ticked(COL_SCAN);
    row.dialScan = ticked(COL_DIAL_SCAN);
    row.tot = ticked(COL_TOT);
    row.squelch = cell(COL_SQUELCH);
    row.encryption = cell(COL_ENCRYPTION);
    row.lockOut = ticked(COL_LOCK_OUT);
    row.arts = ticked(COL_ARTS);
    return row;
}

std::vector<std::string> ChannelListing::csvHeader() const {
    const auto title = [](CsvTitle k) { return std::string(channelColumns()[k].csvTitle); };
    std::vector<std::string> header{title(TITLE_CHANNEL), title(TITLE_RX_FREQUENCY)};
    if (showsTransmitFrequency()) {
        header.push_back(title(TITLE_TX_FREQUENCY));
    }
    for (const CsvTitle k : {TITLE_SUB_AUDIO, TITLE_POWER_SAVE, TITLE_SCAN, TITLE_DIAL_SCAN,
                             TITLE_TOT, TITLE_SQUELCH}) {
        header.push_back(title(k));
    }
    if (m_encryptionUsed) {
        header.push_back(title(TITLE_ENCRYPTION));
    }
    header.push_back(title(TITLE_LOCK_OUT));
    header.push_back(title(TITLE_ARTS));
    return header;
}

std::vector<std::string> ChannelListing::csvRow(const Row& row) const {
    std::vector<std::string> cells{row.number, row.rxFrequency};
    if (showsTransmitFrequency()) {
        cells.push_back(row.txFrequency);
    }
    cells.insert(cells.end(), {row.subAudio, flagText(row.powerSave), flagText(row.scan),
                               flagText(row.dialScan), flagText(row.tot), row.squelch});
    if (m_encryptionUsed) {
        cells.push_back(row.encryption);
    }
    cells.push_back(flagText(row.lockOut));
    cells.push_back(flagText(row.arts));
    return cells;
}

std::string_view ChannelListing::printHeaderTop() const {
    if (showsTransmitFrequency()) {
        return m_encryptionUsed ? text::PRINT_HEADER_SERVICE_ENCR_1 : text::PRINT_HEADER_SERVICE_1;
    }
    return m_encryptionUsed ? text::PRINT_HEADER_USER_ENCR_1 : text::PRINT_HEADER_USER_1;
}

std::string_view ChannelListing::printHeaderBottom() const {
    if (showsTransmitFrequency()) {
        return m_encryptionUsed ? text::PRINT_HEADER_SERVICE_ENCR_2 : text::PRINT_HEADER_SERVICE_2;
    }
    return m_encryptionUsed ? text::PRINT_HEADER_USER_ENCR_2 : text::PRINT_HEADER_USER_2;
}

std::string ChannelListing::printRule() const {
    return std::string(printHeaderBottom().size(), '-');
}

std::string ChannelListing::printRow(const Row& row) const {
    const std::string_view header = printHeaderBottom();
    // The frequencies start right after the channel number ("%3s "); the sub-audio column
    // begins under "Code".
    constexpr std::size_t FREQUENCY_COLUMN = 4;
    constexpr std::size_t TX_FREQUENCY_COLUMN = FREQUENCY_COLUMN + 10;
    std::string line;
    putAt(line, 0, row.number);
    putAt(line, FREQUENCY_COLUMN, row.rxFrequency);
    if (showsTransmitFrequency()) {
        putAt(line, TX_FREQUENCY_COLUMN, row.txFrequency);
    }
    putAt(line, columnOf(header, "Code"), row.subAudio);
    putAt(line, columnOf(header, "Save"), flagText(row.powerSave));
    putAt(line, columnOf(header, "SC"), flagText(row.scan));
    putAt(line, columnOf(header, "Scan"), flagText(row.dialScan));
    putAt(line, columnOf(header, "TOT"), flagText(row.tot));
    putAt(line, columnOf(header, "SQ"), row.squelch);
    if (m_encryptionUsed) {
        putAt(line, columnOf(header, "Encryption"), row.encryption);
    }
    putAt(line, columnOf(header, "BCLO"), flagText(row.lockOut));
    putAt(line, columnOf(header, "ARTS"), flagText(row.arts));
    return line;
}

} // namespace kq70
