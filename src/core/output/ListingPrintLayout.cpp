#include "output/ListingPrintLayout.h"

#include <algorithm>

namespace kq70 {

ListingPrintLayout::ListingPrintLayout(TextMetrics printerFont)
    : m_lineHeight(std::max(1, printerFont.characterHeight + printerFont.externalLeading)),
      m_leftMargin(std::max(0, MARGIN_CHARACTERS * printerFont.averageCharWidth)) {}

int ListingPrintLayout::fontHeight() const {
    return std::max(1, m_lineHeight - FONT_SHRINK);
}

double ListingPrintLayout::scaleToFit(int pageWidth, int pageHeight, int lineCount,
                                      int textWidth) const {
    if (pageWidth <= 0 || pageHeight <= 0) {
        return 1.0;
    }
    double scale = 1.0;
    const long long height = static_cast<long long>(m_lineHeight) * std::max(0, lineCount);
    if (height > pageHeight) {
        scale = static_cast<double>(pageHeight) / static_cast<double>(height);
    }
    const long long width = static_cast<long long>(m_leftMargin) + std::max(0, textWidth);
    if (width > pageWidth) {
        scale = std::min(scale, static_cast<double>(pageWidth) / static_cast<double>(width));
    }
    return scale;
}

int ListingPrintLayout::mostLines(const std::vector<std::vector<std::string>>& pages) {
    std::size_t most = 0;
    for (const std::vector<std::string>& page : pages) {
        most = std::max(most, page.size());
    }
    return static_cast<int>(most);
}

int ListingPrintLayout::longestLine(const std::vector<std::vector<std::string>>& pages) {
    std::size_t longest = 0;
    for (const std::vector<std::string>& page : pages) {
        for (const std::string& line : page) {
            // Trailing blanks print nothing, so they take no room on the paper.
            const std::size_t last = line.find_last_not_of(' ');
            longest = std::max(longest, last == std::string::npos ? 0 : last + 1);
        }
    }
    return static_cast<int>(longest);
}

} // namespace kq70
