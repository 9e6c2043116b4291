#include "output/ListingPrintLayout.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(ListingPrintLayoutTest, GeometryFollowsThePrinterFont) {
    struct Case {
        ListingPrintLayout::TextMetrics metrics;
        int lineHeight;
        int leftMargin;
        int fontHeight;
    };
    const Case cases[] = {
        {{100, 12, 48}, 112, 240, 108}, // a 1200 dpi printer's default font
        {{13, 3, 6}, 16, 30, 12},       // a screen-sized font
        {{4, 0, 2}, 4, 10, 1},          // smaller than the shrink: the font stays visible
        {{0, 0, 0}, 1, 0, 1},           // a device that reports nothing still advances lines
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.metrics.characterHeight);
        const ListingPrintLayout layout(c.metrics);
        EXPECT_EQ(layout.leftMargin(), c.leftMargin);
        EXPECT_EQ(layout.fontHeight(), c.fontHeight);
        EXPECT_EQ(layout.lineTop(0), 0);
        EXPECT_EQ(layout.lineTop(3), 3 * c.lineHeight);
    }
}

TEST(ListingPrintLayoutTest, ShrinksOnlyWhatWouldNotFitThePage) {
    const ListingPrintLayout layout({90, 10, 50}); // line 100, margin 250
    struct Case {
        const char* name;
        int pageWidth;
        int pageHeight;
        int lines;
        int textWidth;
        double scale;
    };
    const Case cases[] = {
        {"fits", 5000, 7000, 68, 4000, 1.0},
        {"exactly fits", 4250, 6800, 68, 4000, 1.0},
        {"too many lines", 5000, 3400, 68, 4000, 0.5},
        {"too wide", 2125, 7000, 68, 4000, 0.5},
        {"both, the tighter wins", 2125, 1700, 68, 4000, 0.25},
        {"unknown page", 0, 0, 68, 4000, 1.0},
        {"empty listing", 5000, 7000, 0, 0, 1.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(layout.scaleToFit(c.pageWidth, c.pageHeight, c.lines, c.textWidth),
                         c.scale)
            << c.name;
    }
}

TEST(ListingPrintLayoutTest, ExtentsOfTheListingIgnoreTrailingBlanks) {
    const std::vector<std::vector<std::string>> pages{
        {"", "", "  title  " + std::string(49, ' '), "abc"},
        {"1234567890", "   "},
        {},
    };
    EXPECT_EQ(ListingPrintLayout::mostLines(pages), 4);
    EXPECT_EQ(ListingPrintLayout::longestLine(pages), 10);
    EXPECT_EQ(ListingPrintLayout::mostLines({}), 0);
    EXPECT_EQ(ListingPrintLayout::longestLine({{"    "}}), 0);
}

} // namespace
} // namespace kq70
