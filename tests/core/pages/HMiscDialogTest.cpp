#include "pages/HMiscDialog.h"

#include "app/AccessMode.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using P = HMiscParams;

RadioImage defaultImage() {
    RadioImage image;
    HMiscParams().store(image);
    return image;
}

TEST(HMiscDialogTest, ValuesAreReadFromTheirBits) {
    RadioImage image;
    image.setByte(0x0265, 0xB2); // power saving values in bits 7-4
    image.setByte(0x0202, 0x03);
    image.setByte(0x0207, 0b0010'0000);
    image.setByte(0x0205, 0b1'10'1'0000);
    image.setByte(0x0204, 0b1'00'1'0000);
    image.setByte(0x0262, 0b10'1'1'0000);
    image.setByte(0x0206, 0b1000'0000);
    HMiscDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    const std::pair<std::size_t, const char*> shown[] = {
        {P::OPTION_UNIT, "Encryption Unit"},
        {P::POWER_ON_CONDITION, "SCAN"},
        {P::BELL, "Enable "},
        {P::CTCSS_TAIL_ELIMINATION, "120 deg"},
        {P::RADIO_TO_RADIO_CLONE, "Enable "},
        {P::ARTS_MODE, "RX"},
        {P::ARTS_BEEP, "Enable "},
        {P::ARTS_TX_TIME, "55  sec"},
        {P::EXTERNAL_JACK, "Speaker MIC"},
        {P::KEY_HOLDING_TIME, "150 msec"},
        {P::LED_LIGHTING, "Enable "},
        {P::BEEP, "Enable "},
    };
    for (const auto& [index, text] : shown) {
        EXPECT_EQ(page.shownValue(HMiscDialog::controlId(index)), text) << index;
    }
    EXPECT_EQ(HMiscParams::optionUnitOf(image), P::OPTION_UNIT_ENCRYPTION);
}

// An unlisted option unit shows "None"; OK keeps the stored value unless "None" was picked.
TEST(HMiscDialogTest, UnlistedOptionUnitShowsNoneAndIsKeptUnlessPicked) {
    for (const bool picked : {false, true}) {
        RadioImage image = defaultImage();
        image.setByte(0x0265, 0xB1);
        HMiscDialog page(image, ACCESS_NORMAL);
        page.OnInitDialog();
        const int option = HMiscDialog::controlId(P::OPTION_UNIT);
        EXPECT_EQ(page.shownValue(option), "None");
        const auto& items = page.control(HMiscDialog::controlId(P::ARTS_TX_TIME))->items;
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0].text, "25  sec");
        if (picked) {
            ASSERT_TRUE(page.selectItemValue(option, 0));
        }
        ASSERT_TRUE(page.OnOK());
        EXPECT_EQ(image.byteAt(0x0265), picked ? 0xB0 : 0xB1) << "the power saving bits stay";
    }
}

TEST(HMiscDialogTest, DefaultSplitIsEditedInMegahertz) {
    struct Case {
        std::int32_t stored;
        const char* shown;
        const char* typed; // nullptr: OK without touching the edit
        std::int32_t afterOk;
    };
    const Case cases[] = {
        {-600000, "-0.6", nullptr, -600000},
        {1234567, "1.2 ", nullptr, 1234567}, // kept to the hertz when not edited
        {0, "0.0 ", "12.5", 12500000},
        {0, "0.0 ", "-5", -5000000},
        {0, "0.0 ", "150", 99900000},
        {0, "0.0 ", "-150", -99900000},
    };
    for (const Case& c : cases) {
        RadioImage image = defaultImage();
        image.setBe32(0x2A00, static_cast<std::uint32_t>(c.stored));
        HMiscDialog page(image, ACCESS_NORMAL);
        page.OnInitDialog();
        const int split = HMiscDialog::controlId(P::DEFAULT_SPLIT);
        EXPECT_EQ(page.shownValue(split), c.shown) << c.stored;
        if (c.typed != nullptr) {
            ASSERT_TRUE(page.typeText(split, c.typed));
        }
        ASSERT_TRUE(page.OnOK());
        EXPECT_EQ(static_cast<std::int32_t>(image.be32(0x2A00)), c.afterOk)
            << (c.typed != nullptr ? c.typed : "untouched");
    }
}

TEST(HMiscDialogTest, ListingLinesArePlacedByValue) {
    RadioImage image = defaultImage();
    HMiscDialog page(image, ACCESS_NORMAL);
    page.OnInitDialog();
    const auto lines = page.listingLines();
    ASSERT_EQ(lines.size(), P::VALUE_COUNT);
    EXPECT_EQ(lines[1], HDialog::listingLine23("Power ON Condition", "Backup"));
    EXPECT_EQ(lines[12], HDialog::listingLine23("Default Split", "0.0 "));
    page.setFocus(HMiscDialog::controlId(P::ARTS_MODE));
    EXPECT_EQ(page.promptLine().first, "ARTS Mode(TRX/TX/RX)");
}

} // namespace
} // namespace kq70
