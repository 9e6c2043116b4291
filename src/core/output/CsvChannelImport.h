#pragma once

#include "output/CsvImportError.h"
#include "output/CsvReader.h"
#include "params/HHardwareParams.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kq70 {

class CsvChannelEditor;
class RadioImage;

// What becomes of programmed channels a file does not list: the export leaves out unused
// channels, so an import can make them unused, or leave them as they are.
enum class UnlistedChannels { Keep, Unprogram };

// The "***CHANNEL DATA***" section of an import. Rows are collected first (column titles,
// group lines, channel rows); apply then sets the groups through the channel allocation
// dialog, programs the listed channels and sets each cell whose value the file changes
// through the channel grid, so every grid rule applies and an unchanged cell changes nothing.
class CsvChannelImport {
public:
    CsvChannelImport(CsvChannelEditor& editor, RadioImage& image, int accessMode, int bannerLine,
                     std::vector<CsvImportError>& errors);

    void addRow(const CsvRow& row);
    // Returns the programmed channels (1-based) the section does not list: kept, or made
    // unused. Channel 1 is always programmed and never among them.
    std::vector<int> apply(UnlistedChannels unlisted);

private:
    struct Cell {
        std::string text;
        std::string title;
    };
    struct ChannelLine {
        int line = 0;
        int channel = 0;           // 0-based
        int group = -1;            // the group line above it; -1 without one
        std::map<int, Cell> cells; // by grid column
    };
    struct GroupLine {
        int line = 0;
        int group = 0;
        std::string tag;
        bool scan = false;
    };
    struct Frequency {
        std::int64_t hz = 0;
        std::optional<int> pmrChannel;
    };

    void readHeader(const CsvRow& row);
    void readGroupLine(const CsvRow& row);
    void readChannelRow(const CsvRow& row);
    void error(int line, std::string column, std::string reason);

    // Group runs, tags and scan flags, through the allocation dialog.
    void applyGroups();
    bool groupsInOrder();
    std::vector<int> wantedCounts() const;
    int lineOfGroup(int group) const;
    void programListedChannels();
    std::vector<int> unlistedChannels() const;

    void applyCells(const ChannelLine& line);
    void applyCell(const ChannelLine& line, int column, const Cell& cell);
    void applyFrequency(const ChannelLine& line, int column, const Cell& cell);
    void applyTone(const ChannelLine& line, const Cell& cell);
    void applyFlag(const ChannelLine& line, int column, const Cell& cell);
    void applySquelch(const ChannelLine& line, const Cell& cell);
    void applyEncryption(const ChannelLine& line, const Cell& cell);
    // After a change: the cell must read as the file asks, else the grid kept something else.
    void expectKept(const ChannelLine& line, int column, const Cell& cell, bool kept);
    std::optional<Frequency> parseFrequency(const ChannelLine& line, const Cell& cell);
    std::string frequencyReason(const Frequency& frequency, const std::string& text) const;

    bool userMode() const;

    CsvChannelEditor& m_editor;
    RadioImage& m_image;
    int m_accessMode;
    int m_bannerLine;
    std::vector<CsvImportError>& m_errors;
    HHardwareParams m_hardware;
    bool m_usesGroups = false;
    std::vector<std::string> m_shownTitles;

    struct HeaderCell {
        int column = 0; // grid column
        std::string title;
    };
    std::optional<std::map<std::size_t, HeaderCell>> m_header; // by cell index
    std::optional<std::size_t> m_channelCell;
    bool m_reportedNoHeader = false;
    int m_currentGroup = -1;
    std::vector<ChannelLine> m_channels;
    std::map<int, int> m_lineOfChannel;
    std::vector<GroupLine> m_groupLines;
};

} // namespace kq70
