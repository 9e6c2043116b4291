#include "service/VcoLimits.h"

#include "platform/IniFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kq70 {
namespace {

TEST(VcoLimitsTest, BandCodesSelectTheirSectionSuffix) {
    const std::map<int, std::string_view> expected = {
        {0, "VHF"},      {1, "VHF_C1"},   {2, "VHF"},   {3, "VHF"},     {4, "UHF_A"},
        {5, "UHF_D"},    {6, "UHF_H"},    {7, "UHF_A"}, {8, "VHF_220"}, {9, "UHF_350"},
        {10, "UHF_350"}, {11, "UHF_350"}, {12, "PMR"},  {13, "VHF"},    {15, "VHF"}};
    for (const auto& [band, suffix] : expected) {
        EXPECT_EQ(VcoLimits::BandSuffix(band), suffix) << band;
    }
}

TEST(VcoLimitsTest, KeysAreReadInTheFileOrderRxFirst) {
    std::vector<std::string> keys;
    VcoLimits limits;
    limits.Load(12, [&keys](std::string_view section, std::string_view key, int held) {
        keys.push_back(std::string(section) + "/" + std::string(key));
        return held;
    });
    ASSERT_EQ(keys.size(), 32u);
    EXPECT_EQ(keys[0], "RX_VCO_INFO_PMR/VCO_STEP");
    EXPECT_EQ(keys[1], "RX_VCO_INFO_PMR/VCO_HIGH_TARGET");
    EXPECT_EQ(keys[5], "RX_VCO_INFO_PMR/VCO_HIGH_MAX2");
    EXPECT_EQ(keys[6], "RX_VCO_INFO_PMR/VCO_CENTER_TARGET");
    EXPECT_EQ(keys[15], "RX_VCO_INFO_PMR/VCO_LOW_MAX2");
    EXPECT_EQ(keys[16], "TX_VCO_INFO_PMR/VCO_STEP");
}

TEST(VcoLimitsTest, StepsAndBoundsAreHeldInRange) {
    struct Case {
        int read;
        int step;
        int bound;
    };
    for (const Case c : {Case{-3, 4, 0}, Case{0, 0, 0}, Case{300, 255, 255}, Case{7, 7, 7}}) {
        VcoLimits limits;
        limits.Load(12, [&c](std::string_view, std::string_view, int) { return c.read; });
        EXPECT_EQ(limits.Get(VCO_RX).step, c.step) << c.read;
        EXPECT_EQ(limits.Get(VCO_TX).points[VCO_LOW].max2, c.bound) << c.read;
        EXPECT_EQ(limits.Get(VCO_TX).points[VCO_HIGH].target, c.bound) << c.read;
    }
}

TEST(VcoLimitsTest, AFileWithoutATxSectionKeepsTheEarlierTxValues) {
    test::TempFolder folder;
    const std::string path = folder.file("KQ70_ADJ.ini");
    test::TempFolder::writeText(
        path, "[RX_VCO_INFO_PMR]\nVCO_STEP=2\nVCO_LOW_MIN1=10\n"
              "[TX_VCO_INFO_PMR]\nVCO_STEP=3\nVCO_LOW_MIN1=20\nVCO_HIGH_TARGET=170\n");
    VcoLimits limits;
    limits.LoadFile(path, 12);
    test::TempFolder::writeText(path, "[RX_VCO_INFO_PMR]\nVCO_STEP=5\n");
    limits.LoadFile(path, 12);
    EXPECT_EQ(limits.Get(VCO_RX).step, 5);
    EXPECT_EQ(limits.Get(VCO_RX).points[VCO_LOW].min1, 10);
    EXPECT_EQ(limits.Get(VCO_TX).step, 3);
    EXPECT_EQ(limits.Get(VCO_TX).points[VCO_LOW].min1, 20);
    EXPECT_EQ(limits.Get(VCO_TX).points[VCO_HIGH].target, 170);
    EXPECT_EQ(limits.Get(VCO_TX).points[VCO_MIDDLE].target, 185);
}

TEST(VcoLimitsTest, TheProgramFolderFileTakesPrecedenceOverTheBuiltInOne) {
    test::TempFolder folder;
    VcoLimits builtIn;
    builtIn.LoadForBand(folder.path(), 12);
    // Every band suffix has both sections in the built-in file.
    const std::string text = VcoLimits::BuiltInFileText();
    for (int band = 0; band <= 12; ++band) {
        const std::string suffix(VcoLimits::BandSuffix(band));
        for (const char* stem : {"RX_VCO_INFO_", "TX_VCO_INFO_"}) {
            EXPECT_EQ(IniFile::readIntFromText(text, stem + suffix, "VCO_STEP", -1), 1) << band;
        }
    }
    EXPECT_LT(builtIn.Get(VCO_RX).points[VCO_LOW].min1, builtIn.Get(VCO_RX).points[VCO_LOW].max1);

    test::TempFolder::writeText(folder.file("KQ70_ADJ.ini"), "[RX_VCO_INFO_PMR]\nVCO_STEP=9\n");
    VcoLimits fromFile;
    fromFile.LoadForBand(folder.path(), 12);
    EXPECT_EQ(fromFile.Get(VCO_RX).step, 9);
    EXPECT_EQ(fromFile.Get(VCO_RX).points[VCO_LOW].min1, 0); // not from the built-in file
}

} // namespace
} // namespace kq70
