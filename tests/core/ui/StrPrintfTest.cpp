#include "ui/StrPrintf.h"
#include "align/AdjustmentUnits.h"
#include "support/ProcessLocale.h"

#include <cstdio>

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(StrPrintfTest, FormatsLikePrintfAtAnyLength) {
    EXPECT_EQ(strprintf("%5s%-23s:%-20s", "", "Channel", "16"),
              "     Channel                :16                  ");
    EXPECT_EQ(strprintf("%9.5f", 446.00625), "446.00625");
    EXPECT_EQ(strprintf("%s", std::string(5000, 'x').c_str()).size(), 5000u);
    EXPECT_EQ(strprintf("%s", ""), "");
}

TEST(StrPrintfTest, NumbersKeepTheirPointUnderACommaLocale) {
    const test::ProcessLocale comma("de_DE");
    if (!comma.active()) {
        GTEST_SKIP() << comma.why();
    }
    char plain[32];
    std::snprintf(plain, sizeof plain, "%.5f", 446.00625);
    ASSERT_STREQ(plain, "446,00625") << "the locale must really use a comma";

    EXPECT_EQ(strprintf("%-9.5f", 446.00625), "446.00625");
    EXPECT_EQ(strprintf("%3.1f  %s", 12.5, "dB"), "12.5  dB");
    EXPECT_EQ(formatLevel(20, 2), "10.00 uV (EMF)");
    EXPECT_EQ(formatTenthsKhz(0x19), " 2.5 kHz");
    EXPECT_EQ(formatTenthsKhz(0x99), "-2.5 kHz");
}

TEST(StrPrintfTest, Substitute1ReplacesEveryPercentOne) {
    const char* const cases[][3] = {
        {"Problem opening file\r\nFile Name = %1", "/a.k70",
         "Problem opening file\r\nFile Name = /a.k70"},
        {"%1 and %1", "x", "x and x"},
        {"no place", "x", "no place"},
        {"%2 stays, %%1 half", "x", "%2 stays, %x half"},
        {"ends with %", "x", "ends with %"},
        {"%1", "%1", "%1"},
    };
    for (const auto& [text, argument, expected] : cases) {
        EXPECT_EQ(substitute1(text, argument), expected) << text;
    }
}

} // namespace
} // namespace kq70
