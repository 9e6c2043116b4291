#include "pages/HHardwareDialog.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "support/ScriptedPrompt.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <numeric>

namespace kq70 {
namespace {

constexpr int ALL_MODES[] = {ACCESS_NORMAL, ACCESS_MANUFACTURE, ACCESS_ADJUSTMENT, ACCESS_E_MODE};

using Values = std::initializer_list<std::pair<HardwareValue, int>>;

// The page with every control shown, as the dependencies between hidden controls can only
// be reached this way.
class AllShownHardwareDialog : public HHardwareDialog {
public:
    using HHardwareDialog::HHardwareDialog;

protected:
    bool InitCombo() override {
        HHardwareDialog::InitCombo();
        for (int id = IDC_HW_RADIO_CHANNEL; id <= IDC_HW_CTCSS_RELEASE_TIME; ++id) {
            SetVisible(id, true, true);
        }
        return true;
    }
    bool InitEdit() override {
        HHardwareDialog::InitEdit();
        SetVisible(IDC_HW_FREQUENCY_MIN, true, true);
        SetVisible(IDC_HW_FREQUENCY_MAX, true, true);
        return true;
    }
};

// A document of `start` with default hardware values and `values` set, and the page opened on it.
template <typename Page = HHardwareDialog> struct Opened {
    Opened(int mode, Values values = {}, const RadioImage& start = {})
        : page(withDefaults(doc, values, start), mode, prompt) {
        page.OnInitDialog();
    }
    static CKQ70Doc& withDefaults(CKQ70Doc& target, Values values, const RadioImage& start) {
        target.GetMainMemory() = start;
        HHardwareParams().store(target.GetMainMemory());
        for (const auto& [index, value] : values) {
            test::setHardwareValue(target.GetMainMemory(), index, value);
        }
        return target;
    }
    const RadioImage& image() { return doc.GetMainMemory(); }

    // Declared before the page, which holds them.
    CKQ70Doc doc;
    test::ScriptedPrompt prompt;
    Page page;
};

// Which controls show does not depend on the mode and is compared whole in the printed page's
// hardware section (ListingPagesTest); the mode decides whether the edits take input.
TEST(HHardwareDialogTest, EditsTakeInputOutsideTheNormalModeOnly) {
    for (const int mode : ALL_MODES) {
        Opened o(mode);
        for (const int id : {IDC_HW_REF_XTAL, IDC_HW_FIRST_IF, IDC_HW_SCAN_PLL_B}) {
            EXPECT_EQ(o.page.GetControl(id)->enabled, mode != ACCESS_NORMAL) << mode << " " << id;
        }
        EXPECT_TRUE(o.page.GetControl(IDC_HW_KEYPAD)->enabled) << "combos take input in every mode";
        EXPECT_EQ(o.page.TypeText(IDC_HW_REF_XTAL, "12.8"), mode != ACCESS_NORMAL);
    }
}

TEST(HHardwareDialogTest, ChannelStepOffersTheStepsOfTheBand) {
    const std::pair<int, std::vector<std::string>> cases[] = {
        {0, {"5,6.25kHz", "5,6.25,2.5kHz", "5,6.25,2.5,1.25kHz"}},
        {4, {"5,6.25kHz", "10,12.5kHz"}},
        {12, {"5,6.25kHz"}},
        {2, {"5,6.25kHz", "5,6.25,2.5kHz", "5,6.25,2.5,1.25kHz", "10,12.5kHz"}},
    };
    for (const auto& [band, steps] : cases) {
        Opened o(ACCESS_MANUFACTURE, {{HW_FREQUENCY_BAND, band}});
        std::vector<std::string> offered;
        for (const ComboItem& item : o.page.GetControl(IDC_HW_CHANNEL_STEP)->items) {
            offered.push_back(item.text);
        }
        EXPECT_EQ(offered, steps) << "band " << band;
    }
    // A band chosen on the page filters again and keeps the step when it is still offered.
    Opened<AllShownHardwareDialog> o(ACCESS_MANUFACTURE,
                                     {{HW_FREQUENCY_BAND, 4}, {HW_CHANNEL_STEP, 3}});
    ASSERT_TRUE(o.page.SelectItemValue(IDC_HW_FREQUENCY_BAND, 0));
    EXPECT_EQ(o.page.GetControl(IDC_HW_CHANNEL_STEP)->items.size(), 3u);
    EXPECT_EQ(o.page.GetShownValue(IDC_HW_CHANNEL_STEP), "5,6.25kHz") << "10,12.5kHz is gone";
    ASSERT_TRUE(o.page.SelectItemValue(IDC_HW_CHANNEL_STEP, 2));
    ASSERT_TRUE(o.page.SelectItemValue(IDC_HW_FREQUENCY_BAND, 1));
    EXPECT_EQ(o.page.GetShownValue(IDC_HW_CHANNEL_STEP), "5,6.25,2.5,1.25kHz");
}

TEST(HHardwareDialogTest, TypedFrequenciesAreStoredInTheirUnits) {
    struct Case {
        int id;
        const char* typed;
        std::size_t offset;
        std::uint16_t mask;
        std::uint16_t stored;
        bool edited;
    };
    const Case cases[] = {
        {IDC_HW_REF_XTAL, "16.8", 0x2713, 0x0FFF, 420, true},
        {IDC_HW_FIRST_IF, "45.05", 0x272C, 0xFFFF, 9010, true},
        {IDC_HW_SCAN_PLL_B, "300", 0x26EB, 0x00FF, 255, true},
        // The same frequency typed again stores the same units: no hardware change.
        {IDC_HW_FIRST_IF, "50.85", 0x272C, 0xFFFF, 10170, false},
    };
    for (const Case& c : cases) {
        Opened o(ACCESS_MANUFACTURE, {{HW_REF_XTAL, 20000000}});
        ASSERT_TRUE(o.page.TypeText(c.id, c.typed));
        ASSERT_TRUE(o.page.OnOK());
        const std::uint16_t word =
            c.mask == 0x00FF ? o.image().byteAt(c.offset) : o.image().be16(c.offset);
        EXPECT_EQ(word & c.mask, c.stored) << c.typed;
        EXPECT_EQ(o.doc.GetHardwareEdited(), c.edited) << c.typed;
    }
}

TEST(HHardwareDialogTest, AComboChangeIsStoredAndMarksTheHardwareEdited) {
    Opened o(ACCESS_MANUFACTURE);
    ASSERT_TRUE(o.page.SelectItemValue(IDC_HW_SQL_RELEASE_TIME, 4));
    ASSERT_TRUE(o.page.SelectItemValue(IDC_HW_KEYPAD, 1));
    ASSERT_TRUE(o.page.OnOK());
    EXPECT_EQ(o.image().byteAt(0x2742) & 0x07, 4);
    EXPECT_EQ(o.image().byteAt(0x0203) & 0x80, 0x80);
    EXPECT_TRUE(o.doc.GetHardwareEdited());
}

TEST(HHardwareDialogTest, HiddenValuesSurviveOkAndCancelInEveryMode) {
    // Radio Channel 2 and band 6 have no entry, and band 6 hides the stored step 1: the
    // fallbacks the combos show must not reach the image.
    for (const int mode : ALL_MODES) {
        for (const bool ok : {true, false}) {
            Opened o(mode, {{HW_RADIO_CHANNEL, 2}, {HW_FREQUENCY_BAND, 6}, {HW_CHANNEL_STEP, 1}});
            const RadioImage before = o.image();
            EXPECT_EQ(o.page.GetShownValue(IDC_HW_RADIO_CHANNEL), "  1CH");
            if (ok) {
                EXPECT_TRUE(o.page.OnOK());
            } else {
                o.page.SelectItemValue(IDC_HW_SQL_ATTACK_TIME, 0);
                o.page.TypeText(IDC_HW_FIRST_IF, "10.7");
                o.page.OnCancel();
            }
            EXPECT_TRUE(o.image() == before) << "mode " << mode << " ok " << ok;
            EXPECT_FALSE(o.doc.GetHardwareEdited());
            EXPECT_FALSE(o.page.RadioChannelChanged() || o.page.BandChanged());
        }
    }
}

TEST(HHardwareDialogTest, LcdTypeZeroClearsTheAToDKeys) {
    RadioImage withKeys;
    const auto keys = withKeys.range(0x0269, 12);
    std::iota(keys.begin(), keys.end(), std::uint8_t{1});
    for (const int lcd : {0, 1}) {
        Opened o(ACCESS_MANUFACTURE, {{HW_LCD_TYPE, lcd}}, withKeys);
        ASSERT_TRUE(o.page.OnOK());
        for (std::size_t slot = 0; slot < 12; ++slot) {
            const bool keypad = (slot >= 2 && slot <= 5) || slot >= 8;
            const int expected = lcd == 0 && keypad ? 0 : static_cast<int>(slot + 1);
            EXPECT_EQ(o.image().byteAt(0x0269 + slot), expected)
                << "lcd " << lcd << " slot " << slot;
        }
        EXPECT_FALSE(o.doc.GetHardwareEdited()) << "the keys are not hardware values";
    }
}

TEST(HHardwareDialogTest, MinimumAboveMaximumKeepsThePageOpen) {
    // Crossed limits in the image, on the page that hides them: the user cannot mend them
    // here, so they do not keep the page from closing, and stay as they were.
    Opened crossed(ACCESS_MANUFACTURE,
                   {{HW_FREQUENCY_MIN, 456000000}, {HW_FREQUENCY_MAX, 436000000}});
    const RadioImage before = crossed.image();
    ASSERT_TRUE(crossed.page.SelectItemValue(IDC_HW_SQL_HYSTERESIS, 3));
    EXPECT_TRUE(crossed.page.OnOK());
    EXPECT_EQ(crossed.image().be16(0x2734), before.be16(0x2734));
    EXPECT_EQ(crossed.image().be16(0x2736), before.be16(0x2736));
    EXPECT_EQ(crossed.image().byteAt(0x2743) & 0x0F, 3);

    // Limits typed on a page that shows them: refused, then corrected and stored.
    Opened<AllShownHardwareDialog> o(ACCESS_MANUFACTURE);
    o.prompt.expectMessage(std::string(text::MAX_MIN_FREQUENCY_ERROR), MessageAnswer::Ok,
                           MessageIcon::Stop);
    ASSERT_TRUE(o.page.TypeText(IDC_HW_FREQUENCY_MIN, "456"));
    ASSERT_TRUE(o.page.TypeText(IDC_HW_FREQUENCY_MAX, "436"));
    EXPECT_FALSE(o.page.OnOK());
    ASSERT_TRUE(o.page.TypeText(IDC_HW_FREQUENCY_MIN, "436"));
    ASSERT_TRUE(o.page.TypeText(IDC_HW_FREQUENCY_MAX, "456"));
    ASSERT_TRUE(o.page.OnOK());
    EXPECT_EQ(o.image().be16(0x2734), 4360);
    EXPECT_EQ(o.image().be16(0x2736), 4560);
}

TEST(HHardwareDialogTest, TheCallerLearnsOfBandRadioChannelAndDisplayChanges) {
    struct Case {
        int id;
        std::int32_t value;
        bool band, radioChannel, display;
    };
    const Case cases[] = {
        {IDC_HW_FREQUENCY_BAND, 12, true, false, false},
        {IDC_HW_RADIO_CHANNEL, 6, false, true, false},
        {IDC_HW_LCD_TYPE, 0, false, false, true},
        {IDC_HW_RADIO_CHANNEL, 3, false, false, false}, // the value it had
    };
    for (const Case& c : cases) {
        Opened<AllShownHardwareDialog> o(ACCESS_MANUFACTURE);
        ASSERT_TRUE(o.page.SelectItemValue(c.id, c.value));
        ASSERT_TRUE(o.page.OnOK());
        EXPECT_EQ(o.page.BandChanged(), c.band) << c.id;
        EXPECT_EQ(o.page.RadioChannelChanged(), c.radioChannel) << c.id;
        EXPECT_EQ(o.page.DisplayTypeChanged(), c.display) << c.id;
        EXPECT_EQ(o.doc.GetHardwareEdited(), c.band || c.radioChannel || c.display) << c.id;
    }
}

} // namespace
} // namespace kq70
