#include "TerminalProgress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kq70 {
namespace {

TEST(TerminalProgressTest, TheLineShowsStatusBarAndPercentage) {
    EXPECT_EQ(TerminalProgress::line("Now uploading", 0, 0),
              "Now uploading                          [                              ]   0%");
    EXPECT_EQ(TerminalProgress::line("Now uploading", 7, 21),
              "Now uploading                          [##########                    ]  33%");
    EXPECT_EQ(TerminalProgress::line("Now downloading", 30, 21),
              "Now downloading                        [##############################] 100%");
}

TEST(TerminalProgressTest, ALogGetsStatusChangesAndQuarters) {
    std::ostringstream err;
    TerminalProgress progress(err, false);
    progress.setStatus("Now uploading");
    progress.setRange(8);
    for (int position = 1; position <= 8; ++position) {
        progress.setPosition(position);
    }
    progress.endLine();
    const std::string lines = err.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 5) << lines; // 0, 25, 50, 75, 100
    EXPECT_EQ(lines.find('\r'), std::string::npos);
}

TEST(TerminalProgressTest, ATerminalLineIsRedrawnAndEndedOnce) {
    std::ostringstream err;
    TerminalProgress progress(err, true);
    progress.setStatus("Now downloading");
    progress.setRange(2);
    progress.setPosition(1);
    progress.setPosition(1);
    progress.setPosition(2);
    progress.endLine();
    progress.endLine();
    const std::string text = err.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3) << "unchanged lines are not drawn";
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

} // namespace
} // namespace kq70
