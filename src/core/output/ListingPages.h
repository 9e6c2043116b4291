#pragma once

#include <string>
#include <vector>

namespace kq70 {

class CKQ70Doc;
class UserPrompt;

// The printed listing as lines of text for a fixed-pitch font: page 1 holds the common data,
// the pages after it the channels. The printer (or a preview, or the command line) draws the
// lines as they stand, one line height apart from the page's top margin.
class ListingPages {
public:
    // Lines a channel page holds under its header, group lines included.
    static constexpr int CHANNEL_LINES_PER_PAGE = 64;
    // Width of one column of the common-data page; only the left one is filled.
    static constexpr int COMMON_COLUMN_WIDTH = 49;

    // `fileName` is the document's path; the listing shows its name without the folder.
    // The prompt is only there because the hardware page needs one; it is never asked.
    ListingPages(CKQ70Doc& doc, int accessMode, const std::string& fileName, UserPrompt& prompt,
                 int channelLinesPerPage = CHANNEL_LINES_PER_PAGE);

    int pageCount() const { return static_cast<int>(m_pages.size()); }
    // The lines of page n (0-based); no lines for a page that does not exist.
    const std::vector<std::string>& page(int n) const;
    const std::vector<std::vector<std::string>>& pages() const { return m_pages; }

private:
    std::vector<std::string> commonDataPage(CKQ70Doc& doc, int accessMode,
                                            const std::string& fileName, UserPrompt& prompt) const;
    void addChannelPages(CKQ70Doc& doc, int accessMode, int linesPerPage);

    std::vector<std::vector<std::string>> m_pages;
};

} // namespace kq70
