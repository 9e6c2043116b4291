#pragma once

#include <string>
#include <vector>

namespace kq70 {

// Where the printed listing's lines stand on a page. The geometry follows the printer's own
// text metrics: one line is a character height plus the external leading, the text starts
// five average character widths from the left, and the fixed-pitch font is four units
// smaller than a line. A listing that would not fit the page at that size (a small paper, a
// large printer font) is drawn smaller as a whole rather than cut off at the edges.
class ListingPrintLayout {
public:
    // The printer's default font, in device units.
    struct TextMetrics {
        int characterHeight = 0;
        int externalLeading = 0;
        int averageCharWidth = 0;
    };

    static constexpr int MARGIN_CHARACTERS = 5;
    static constexpr int FONT_SHRINK = 4;

    explicit ListingPrintLayout(TextMetrics printerFont);

    int lineHeight() const { return m_lineHeight; }
    int leftMargin() const { return m_leftMargin; }
    // Height of the listing's fixed-pitch font; never below one unit.
    int fontHeight() const;
    // Top of line `lineNumber` (0 for a page's first line).
    int lineTop(int lineNumber) const { return m_lineHeight * lineNumber; }

    // The factor (at most 1) that fits `lineCount` lines, each `textWidth` units wide after
    // the left margin, on a page of the given paintable size. 1 when the page's size is
    // unknown, so a device that reports none still gets the listing at its own size.
    double scaleToFit(int pageWidth, int pageHeight, int lineCount, int textWidth) const;

    // The most lines on any page, and the most characters up to the last non-blank one in any
    // line of any page.
    static int mostLines(const std::vector<std::vector<std::string>>& pages);
    static int longestLine(const std::vector<std::vector<std::string>>& pages);

private:
    int m_lineHeight;
    int m_leftMargin;
};

} // namespace kq70
