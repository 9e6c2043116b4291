#include "output/ListingPages.h"

#include "doc/CKQ70Doc.h"
#include "output/ChannelListing.h"
#include "output/ParameterListing.h"
#include "pages/HDialog.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>

namespace kq70 {

namespace {

constexpr std::size_t COLUMN = ListingPages::COMMON_COLUMN_WIDTH;

// A line of the common-data sections: the left column's text and the empty right column.
std::string twoColumns(const std::string& left) {
    return left + std::string(COLUMN, ' ');
}

using LineFormatter = std::string (*)(std::string_view, std::string_view);

struct LineLayout {
    std::size_t captionWidth;
    std::size_t valueWidth;
    LineFormatter format;
};

// The three layouts of a listing line, each 49 characters wide. A section uses the first one
// its captions and values fit, so its lines stay in the left column and line up.
constexpr LineLayout LINE_LAYOUTS[] = {
    {23, 20, &HDialog::ListingLine23},
    {29, 14, &HDialog::ListingLine29},
    {19, 24, &HDialog::ListingLine19},
};

LineFormatter formatterFor(const std::vector<ParameterListing::Item>& items) {
    for (const LineLayout& layout : LINE_LAYOUTS) {
        bool fits = true;
        for (const ParameterListing::Item& item : items) {
            fits = fits && item.caption.size() <= layout.captionWidth &&
                   item.value.size() <= layout.valueWidth;
        }
        if (fits) {
            return layout.format;
        }
    }
    return LINE_LAYOUTS[0].format;
}

} // namespace

ListingPages::ListingPages(CKQ70Doc& doc, int accessMode, const std::string& fileName,
                           UserPrompt& prompt, int channelLinesPerPage) {
    m_pages.push_back(commonDataPage(doc, accessMode, fileName, prompt));
    addChannelPages(doc, accessMode,
                    channelLinesPerPage > 0 ? channelLinesPerPage : CHANNEL_LINES_PER_PAGE);
}

const std::vector<std::string>& ListingPages::page(int n) const {
    static const std::vector<std::string> none;
    return n >= 0 && n < pageCount() ? m_pages[static_cast<std::size_t>(n)] : none;
}

std::vector<std::string> ListingPages::commonDataPage(CKQ70Doc& doc, int accessMode,
                                                      const std::string& fileName,
                                                      UserPrompt& prompt) const {
    const ParameterListing parameters(doc, accessMode, prompt);
    std::vector<std::string> lines{"", "", std::string(text::PRINT_TITLE), ""};
    lines.push_back(strprintf(std::string(text::PRINT_FILE_NAME_FORMAT).c_str(),
                              ParameterListing::fileNameOf(fileName).c_str()));
    const std::vector<ParameterListing::Item> marketing = parameters.marketingItems();
    const LineFormatter marketingFormat = formatterFor(marketing);
    for (const ParameterListing::Item& item : marketing) {
        if (item.hasLine()) {
            lines.push_back(marketingFormat(item.caption, item.value));
        }
    }
    lines.emplace_back();
    lines.emplace_back(text::PRINT_COMMON_DATA);

    const std::vector<ParameterListing::Section> sections = parameters.printSections();
    for (const ParameterListing::Section& section : sections) {
        lines.push_back(twoColumns(strprintf("%-49s", std::string(section.title).c_str())));
        const LineFormatter format = formatterFor(section.items);
        for (const ParameterListing::Item& item : section.items) {
            lines.push_back(twoColumns(format(item.caption, item.value)));
        }
        // The last section closes with one space more, as the listing always had.
        const bool last = &section == &sections.back();
        lines.push_back(twoColumns(std::string(last ? COLUMN + 1 : COLUMN, ' ')));
    }
    return lines;
}

void ListingPages::addChannelPages(CKQ70Doc& doc, int accessMode, int linesPerPage) {
    const ChannelListing channels(doc.GetMainMemory(), accessMode);
    // Group lines take a line of the page like a channel, so a page never runs over.
    std::vector<std::string> body;
    for (const ChannelListing::Block& block : channels.blocks()) {
        if (channels.usesGroups()) {
            body.push_back(block.groupLine);
        }
        for (const ChannelListing::Row& row : block.rows) {
            body.push_back(channels.printRow(row));
        }
    }
    const std::size_t perPage = static_cast<std::size_t>(linesPerPage);
    for (std::size_t first = 0; first < body.size(); first += perPage) {
        std::vector<std::string> lines{
            std::string(text::PRINT_CHANNEL_DATA), std::string(channels.printHeaderTop()),
            std::string(channels.printHeaderBottom()), channels.printRule()};
        const std::size_t last = std::min(body.size(), first + perPage);
        lines.insert(lines.end(), body.begin() + static_cast<std::ptrdiff_t>(first),
                     body.begin() + static_cast<std::ptrdiff_t>(last));
        m_pages.push_back(std::move(lines));
    }
}

} // namespace kq70
