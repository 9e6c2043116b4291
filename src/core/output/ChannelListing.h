#pragma once

#include "channel/HChannelData.h"

#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class RadioImage;

// The channel table as the listing and the CSV export show it: the programmed channels group
// by group, each with the texts of the channel grid's cells in the access mode. The columns
// follow the grid: the transmit frequency only in the service modes (1 and 4), the encryption
// only when the radio has an encryption unit.
class ChannelListing {
public:
    struct Row {
        int channel = 0; // 0-based
        std::string number;
        std::string rxFrequency;
        std::string txFrequency;
        std::string subAudio;
        bool powerSave = false;
        bool scan = false;
        bool dialScan = false;
        bool tot = false;
        std::string squelch;
        std::string encryption;
        bool lockOut = false;
        bool arts = false;
    };

    // The channels of one group; the group line is empty when the radio has no groups.
    struct Block {
        std::string groupLine;
        std::vector<Row> rows;
    };

    // Reads its own copy of the channel data; the image is never changed.
    ChannelListing(const RadioImage& image, int accessMode);

    bool showsTransmitFrequency() const;
    // Encryption counts as used when the option unit is neither 0 nor 4: the same rule for
    // the CSV header, the CSV rows and the printed header.
    bool usesGroups() const { return m_usesGroups; }
    const std::vector<Block>& blocks() const { return m_blocks; }

    // The CSV header row and a channel's row, cell for cell.
    std::vector<std::string> csvHeader() const;
    std::vector<std::string> csvRow(const Row& row) const;

    // The printed channel page's two header lines, the rule under them and a channel's line,
    // each cell starting under its header word.
    std::string_view printHeaderTop() const;
    std::string_view printHeaderBottom() const;
    std::string printRule() const;
    std::string printRow(const Row& row) const;

    // "v" for a set flag, "-" for a clear one.
    static std::string flagText(bool set) { return set ? "v" : "-"; }

private:
    Row makeRow(const HChannelData& data, int channel) const;

    int m_accessMode;
    bool m_encryptionUsed = false;
    bool m_usesGroups = false;
    bool m_pmrBand = false;
    std::vector<Block> m_blocks;
};

} // namespace kq70
