#include "pages/HKeyFuncDialog.h"

#include "app/AccessMode.h"
#include "image/RadioImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kq70 {
namespace {

using Slot = std::size_t;

// The radio the page reads: option unit, display, Radio Channel value, firmware ×100.
struct Radio {
    int optionUnit = 3;
    int lcdType = 1;
    int radioChannel = 6;
    int firmware = 110;
};

std::uint8_t bcdByte(int twoDigits) {
    return static_cast<std::uint8_t>((twoDigits / 10) << 4 | (twoDigits % 10));
}

RadioImage imageOf(const Radio& radio, const HKeyFuncParams& keys = HKeyFuncParams()) {
    RadioImage image;
    keys.store(image);
    image.setByte(0x0265, static_cast<std::uint8_t>(0xA0 | radio.optionUnit));
    image.setByte(0x26E9, static_cast<std::uint8_t>(radio.radioChannel << 4 | radio.lcdType));
    image.setByte(0x29EC, bcdByte(radio.firmware / 100));
    image.setByte(0x29ED, bcdByte(radio.firmware % 100));
    return image;
}

HKeyFuncParams keysWith(std::initializer_list<std::pair<Slot, std::int32_t>> codes) {
    HKeyFuncParams keys;
    for (const auto& [slot, code] : codes) {
        keys.set(slot, code);
    }
    return keys;
}

struct OpenedKeyPage {
    explicit OpenedKeyPage(const RadioImage& start, int mode = ACCESS_NORMAL)
        : image(start), page(image, mode) {
        page.OnInitDialog();
    }
    RadioImage image;
    HKeyFuncDialog page;
};

int id(Slot slot) {
    return HKeyFuncDialog::GetControlId(slot);
}

bool listed(const HDialog& page, Slot slot, std::int32_t code) {
    const std::vector<ComboItem>& items = page.GetControl(id(slot))->items;
    return std::any_of(items.begin(), items.end(),
                       [code](const ComboItem& item) { return item.itemValue == code; });
}

TEST(HKeyFuncDialogTest, FunctionsFollowTheRadio) {
    struct Case {
        const char* what;
        Radio radio;
        Slot slot;
        std::vector<std::int32_t> offered;
        std::vector<std::int32_t> hidden;
    };
    // 2 LAMP, 8 Encryption, 10/11 Group Up/Down, 12/13 CH Up/Down, 25 Emergency,
    // 27/28 Option Switch1/2, 38 Direct CH1, 50 Lone Worker, 56 Group Scan Set,
    // 57 Speed CH UP, 62 Beep OFF, 63 Whisper; 4 DW and the "---" codes are never offered.
    const Case cases[] = {
        {"everything, press",
         {3, 1, 6, 110},
         0,
         {0, 1, 2, 3, 8, 10, 11, 12, 27, 28, 38, 62, 63},
         {4, 14, 25, 50, 57, 58}},
        {"everything, press and hold", {3, 1, 6, 110}, 6, {25, 28, 50, 57, 58, 53}, {27, 4, 32}},
        {"encryption unit", {2, 1, 6, 110}, 0, {8}, {27, 28}},
        {"unit 1 also encrypts", {1, 1, 6, 110}, 0, {8}, {27, 28}},
        {"no unit", {0, 1, 6, 110}, 0, {1, 3}, {8, 27, 28}},
        {"unit 5 is not mapped", {5, 1, 6, 110}, 0, {1}, {8, 27, 28}},
        {"no display", {3, 0, 6, 110}, 0, {1, 3, 35, 8}, {2, 10, 11, 12, 13, 21, 38, 43, 56}},
        {"48 channels", {3, 1, 5, 110}, 6, {10, 12, 56}, {11, 38, 39, 57, 58}},
        {"16 channels", {3, 1, 3, 110}, 0, {12, 13}, {10, 56, 11}},
        {"16 channels, value 2", {3, 1, 2, 110}, 0, {12, 13}, {10, 56}},
        {"2 channels", {3, 1, 1, 110}, 0, {2, 3}, {12, 13, 10}},
        {"undefined channel value", {3, 1, 7, 110}, 0, {2}, {12, 38}},
        {"firmware 1.09", {3, 1, 6, 109}, 0, {1, 27}, {62, 63}},
        {"firmware 1.10, hold", {3, 1, 6, 110}, 7, {62, 63}, {}},
    };
    for (const Case& c : cases) {
        OpenedKeyPage o(imageOf(c.radio));
        for (const std::int32_t code : c.offered) {
            EXPECT_TRUE(listed(o.page, c.slot, code)) << c.what << ": code " << code;
        }
        for (const std::int32_t code : c.hidden) {
            EXPECT_FALSE(listed(o.page, c.slot, code)) << c.what << ": code " << code;
        }
    }
}

TEST(HKeyFuncDialogTest, OneKeyPerFunctionAndBack) {
    OpenedKeyPage o(imageOf({}));
    // Filled from the image: MON on SIDE1, SQL OFF on SIDE1 held.
    EXPECT_FALSE(listed(o.page, 1, 1));
    EXPECT_FALSE(listed(o.page, 7, 53));

    ASSERT_TRUE(o.page.SelectItemValue(id(0), 3)); // SCAN
    for (const Slot other : {1, 6, 7}) {
        EXPECT_FALSE(listed(o.page, other, 3)) << other;
        EXPECT_TRUE(listed(o.page, other, 1)) << "MON is free again on " << other;
    }
    ASSERT_TRUE(o.page.SelectItemValue(id(0), 2)); // LAMP
    EXPECT_TRUE(listed(o.page, 1, 3));
    EXPECT_FALSE(listed(o.page, 1, 2));
    EXPECT_FALSE(o.page.SelectItemValue(id(1), 2)) << "LAMP is taken";

    // A function offered on held keys only comes back to held keys only.
    ASSERT_TRUE(o.page.SelectItemValue(id(7), 50)); // Lone Worker
    EXPECT_FALSE(listed(o.page, 6, 50));
    ASSERT_TRUE(o.page.SelectItemValue(id(7), 0));
    EXPECT_TRUE(listed(o.page, 6, 50));
    EXPECT_FALSE(listed(o.page, 0, 50));
    EXPECT_FALSE(listed(o.page, 1, 50));

    ASSERT_TRUE(o.page.OnOK());
    EXPECT_EQ(o.image.byteAt(0x0269), 2);
    EXPECT_EQ(o.image.byteAt(0x0270), 0);
}

TEST(HKeyFuncDialogTest, OptionSwitch1TakesThePressAndHoldSlot) {
    OpenedKeyPage o(imageOf({}));
    EXPECT_FALSE(listed(o.page, 6, 27)) << "never on a held key";
    ASSERT_TRUE(o.page.SelectItemValue(id(0), 27));
    EXPECT_FALSE(o.page.GetControl(id(6))->enabled);
    EXPECT_EQ(o.page.GetShownValue(id(6)), "None");
    EXPECT_TRUE(listed(o.page, 7, 53)) << "SQL OFF was freed";

    ASSERT_TRUE(o.page.SelectItemValue(id(0), 3));
    EXPECT_TRUE(o.page.GetControl(id(6))->enabled);
    ASSERT_TRUE(o.page.SelectItemValue(id(7), 35));
    ASSERT_TRUE(o.page.SelectItemValue(id(1), 27));
    ASSERT_TRUE(o.page.OnOK());
    EXPECT_EQ(o.image.byteAt(0x026A), 27);
    EXPECT_EQ(o.image.byteAt(0x0270), 0) << "the disabled held slot is stored as None";
    EXPECT_EQ(o.image.byteAt(0x026F), 0) << "SIDE1 held stays None once taken";

    // Read from an image, a held slot behind "Option Switch1" is None and disabled.
    o.image.setByte(0x0270, 53);
    OpenedKeyPage again(o.image);
    EXPECT_FALSE(again.page.GetControl(id(7))->enabled);
    EXPECT_TRUE(again.page.GetControl(id(6))->enabled);
    ASSERT_TRUE(again.page.OnOK());
    EXPECT_EQ(again.image.byteAt(0x0270), 0);

    OpenedKeyPage noSwitches(imageOf({.optionUnit = 2}));
    EXPECT_FALSE(noSwitches.page.SelectItemValue(id(0), 27));
}

// A code the slot cannot offer shows "None"; OK keeps it unless the user picks an entry, and
// picking "None" saves 0. Codes without function and shared codes are in the common pages'
// round trip.
TEST(HKeyFuncDialogTest, StoredCodesTheRadioCannotHaveShowNoneAndAreKept) {
    struct Case {
        const char* what;
        Radio radio;
        HKeyFuncParams keys;
        std::vector<std::pair<std::size_t, std::uint8_t>> afterOk; // offset, byte
    };
    const Case cases[] = {
        {"Whisper on old firmware", {.firmware = 100}, keysWith({{0, 63}}), {{0x0269, 63}}},
        {"Option Switch1 held", {}, keysWith({{7, 27}}), {{0x0270, 27}}},
        // The [A]–[D] slots are never saved: their codes stay, even ones the radio lacks,
        // and a code shared with a shown slot stays on the shown slot.
        {"hidden slots keep their codes",
         {.lcdType = 0},
         keysWith({{2, 10}, {3, 3}, {8, 53}, {6, 53}, {0, 3}}),
         {{0x026B, 10}, {0x026C, 3}, {0x0271, 53}, {0x026F, 53}, {0x0269, 3}}},
    };
    for (const Case& c : cases) {
        OpenedKeyPage o(imageOf(c.radio, c.keys));
        ASSERT_TRUE(o.page.OnOK());
        for (const auto& [offset, value] : c.afterOk) {
            EXPECT_EQ(o.image.byteAt(offset), value) << c.what << std::hex << " at " << offset;
        }
    }
    OpenedKeyPage o(imageOf({.firmware = 100}, keysWith({{0, 63}})));
    EXPECT_EQ(o.page.SelectedItemValue(id(0)), HKeyFuncParams::KEY_NONE);
    ASSERT_TRUE(o.page.SelectItemValue(id(0), HKeyFuncParams::KEY_NONE));
    ASSERT_TRUE(o.page.OnOK());
    EXPECT_EQ(o.image.byteAt(0x0269), 0);
}

TEST(HKeyFuncDialogTest, OnlyTheSideKeysAreShown) {
    OpenedKeyPage o(imageOf({}), ACCESS_MANUFACTURE);
    for (Slot slot = 0; slot < HKeyFuncParams::KEY_SLOT_COUNT; ++slot) {
        const bool side = slot == 0 || slot == 1 || slot == 6 || slot == 7;
        const PageControl* combo = o.page.GetControl(id(slot));
        EXPECT_EQ(combo->visible, side) << slot;
        EXPECT_EQ(combo->enabled, side) << slot;
    }
}

} // namespace
} // namespace kq70
