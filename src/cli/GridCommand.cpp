#include "GridCommand.h"

#include "CliChannelView.h"
#include "TerminalPrompt.h"
#include "TextGrid.h"
#include "app/AccessMode.h"
#include "channel/CKQ70View.h"
#include "channel/ChannelGridLayout.h"
#include "doc/DataFile.h"
#include "image/RadioImage.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

namespace kq70 {

namespace {

constexpr int JSON_INDENT = 2;

std::vector<int> visibleColumns(const TextGrid& grid) {
    std::vector<int> columns;
    for (int c = 0; c < CHANNEL_COLUMN_COUNT; ++c) {
        if (!grid.columnHidden(c)) {
            columns.push_back(c);
        }
    }
    return columns;
}

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string rightTrimmed(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

void printTable(const TextGrid& grid, std::ostream& out) {
    const std::vector<int> columns = visibleColumns(grid);
    std::vector<std::size_t> widths;
    for (const int c : columns) {
        std::size_t width = 0;
        for (int r = 0; r < grid.rowCount(); ++r) {
            width = std::max(width, grid.textMatrix(r, c).size());
        }
        widths.push_back(width);
    }
    for (int r = 0; r < grid.rowCount(); ++r) {
        std::string line;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            std::string text = grid.textMatrix(r, columns[i]);
            // Equal neighbours of the first header row form one cell: named once.
            if (r == 0 && i > 0 && text == grid.textMatrix(0, columns[i - 1])) {
                text.clear();
            }
            line += (i == 0 ? "" : "  ") + padded(text, widths[i]);
        }
        out << rightTrimmed(line) << '\n';
    }
}

void printStrip(const CKQ70View::InfoStrip& strip, const std::string& status, std::ostream& out) {
    const std::pair<const char*, const CKQ70View::StripText*> texts[] = {
        {"Serial number", &strip.serialNumber},
        {"Band", &strip.bandName},
        {"Firmware", &strip.firmwareVersion},
        {"Port", &strip.port},
        {"Printer", &strip.printer},
        {"Product", &strip.productType},
        {"Channels", &strip.channelCount},
        {"Channels left", &strip.channelsLeft},
    };
    out << '\n';
    for (const auto& [name, text] : texts) {
        if (text->shown) {
            out << rightTrimmed(padded(std::string(name) + ":", 15) + text->text) << '\n';
        }
    }
    if (strip.groupSelectorShown) {
        out << padded("Group:", 15);
        for (const auto& entry : strip.groups) {
            out << (entry.group == strip.selectedGroup ? "[" + entry.text + "]" : entry.text)
                << ' ';
        }
        out << (strip.groupSelectorEnabled ? "" : "(disabled)") << '\n';
    }
    out << status << '\n';
}

nlohmann::json stripJson(const CKQ70View::InfoStrip& strip) {
    const auto entry = [](const CKQ70View::StripText& text) {
        return nlohmann::json{{"text", text.text}, {"shown", text.shown}};
    };
    return {{"serialNumber", entry(strip.serialNumber)},
            {"bandName", entry(strip.bandName)},
            {"firmwareVersion", entry(strip.firmwareVersion)},
            {"port", entry(strip.port)},
            {"printer", entry(strip.printer)},
            {"productType", entry(strip.productType)},
            {"channelCount", entry(strip.channelCount)},
            {"channelsLeft", entry(strip.channelsLeft)},
            {"groupSelector",
             {{"shown", strip.groupSelectorShown}, {"enabled", strip.groupSelectorEnabled}}}};
}

nlohmann::json gridJson(const CKQ70View& view, const TextGrid& grid) {
    const CKQ70View::InfoStrip strip = view.GetInfoStrip();
    nlohmann::json groups = nlohmann::json::array();
    for (const auto& entry : strip.groups) {
        groups.push_back({{"text", entry.text}, {"group", entry.group}});
    }
    nlohmann::json columns = nlohmann::json::array();
    for (int c = 0; c < CHANNEL_COLUMN_COUNT; ++c) {
        columns.push_back({{"index", c},
                           {"header", {grid.textMatrix(0, c), grid.textMatrix(1, c)}},
                           {"hidden", grid.columnHidden(c)},
                           {"width", ChannelGridLayout::widthTwips(c)}});
    }
    nlohmann::json rows = nlohmann::json::array();
    for (int r = ChannelGridLayout::FIRST_DATA_ROW; r < grid.rowCount(); ++r) {
        const int channel = view.ChannelOfRow(r);
        nlohmann::json cells = nlohmann::json::array();
        for (int c = 0; c < CHANNEL_COLUMN_COUNT; ++c) {
            cells.push_back(grid.textMatrix(r, c));
        }
        rows.push_back({{"channel", channel + 1},
                        {"programmed", view.GetChannelData().isInUse(channel)},
                        {"cells", cells}});
    }
    return {{"group", view.GetCurrentGroup()},
            {"groups", groups},
            {"columns", columns},
            {"rows", rows},
            {"strip", stripJson(strip)},
            {"status", view.GetStatusText()}};
}

} // namespace

void GridCommand::add(CLI::App& app) {
    m_command = app.add_subcommand("grid", "Show a data file as the channel view shows it");
    m_command->add_option("file", m_path, "Data file (.k70)")->required();
    m_mode.add(*m_command);
    m_command->add_option("--group", m_group, "Group to show, 1-16 (default: the view's choice)")
        ->check(CLI::Range(1, 16));
    m_command->add_flag("--json", m_json, "Print the grid, the strip and the status as JSON");
}

bool GridCommand::parsed() const {
    return m_command != nullptr && m_command->parsed();
}

int GridCommand::run(const Context& context) const {
    AccessMode mode;
    if (!m_mode.grant(mode, context.in, context.err, context.interactive)) {
        return 1;
    }
    TerminalPrompt prompt(context.in, context.err, context.interactive);
    const int status = OpenCheckStatus(m_path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, m_path, prompt);
        return 1;
    }
    RadioImage image;
    if (!ReadDataFile(m_path, image, prompt)) {
        return 1;
    }
    // A copy of the file's image: nothing goes back to the file.
    CliChannelView shown(prompt, mode, context.programFolder);
    const std::size_t changed = shown.show(image);
    CKQ70View& view = shown.view();
    const TextGrid& grid = shown.grid();
    if (m_group) {
        view.SelectGroup(*m_group - 1);
    }
    CliChannelView::reportChanges(context.err, m_path, changed);
    if (m_json) {
        context.out << gridJson(view, grid)
                           .dump(JSON_INDENT, ' ', false, nlohmann::json::error_handler_t::replace)
                    << '\n';
    } else {
        printTable(grid, context.out);
        printStrip(view.GetInfoStrip(), view.GetStatusText(), context.out);
    }
    return 0;
}

} // namespace kq70
