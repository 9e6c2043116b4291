#include "pages/HHardwareDialog.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "support/ScriptedPrompt.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

constexpr int ALL_MODES[] = {ACCESS_NORMAL, ACCESS_MANUFACTURE, ACCESS_ADJUSTMENT, ACCESS_E_MODE};

void storeDefaults(CKQ70Doc& doc) {
    HHardwareParams().store(doc.GetMainMemory());
}

// Writes hardware values through the object, so the mirror bytes stay consistent.
void setHardware(CKQ70Doc& doc, std::initializer_list<std::pair<HardwareValue, int>> values) {
    HHardwareParams params;
    params.extract(doc.GetMainMemory());
    for (const auto& [index, value] : values) {
        params.set(index, value);
    }
    params.store(doc.GetMainMemory());
}

std::vector<std::string> itemTexts(const PageControl& combo) {
    std::vector<std::string> texts;
    for (const ComboItem& item : combo.items) {
        texts.push_back(item.text);
    }
    return texts;
}

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

TEST(HHardwareDialogTest, ControlsFollowTheAccessMode) {
    const int shownCombos[] = {IDC_HW_LOCAL_OFFSET,    IDC_HW_SQL_RELEASE_TIME,
                               IDC_HW_SQL_ATTACK_TIME, IDC_HW_SQL_HYSTERESIS,
                               IDC_HW_RX_DCS_POLARITY, IDC_HW_TX_DCS_POLARITY,
                               IDC_HW_KEYPAD};
    const int hidden[] = {IDC_HW_RADIO_CHANNEL, IDC_HW_FREQUENCY_BAND, IDC_HW_PRODUCT_TYPE,
                          IDC_HW_LCD_TYPE,      IDC_HW_CHANNEL_STEP,   IDC_HW_CTCSS_RELEASE_TIME,
                          IDC_HW_FREQUENCY_MIN, IDC_HW_FREQUENCY_MAX};
    const int shownEdits[] = {IDC_HW_REF_XTAL, IDC_HW_FIRST_IF, IDC_HW_SCAN_PLL_B};
    for (const int mode : ALL_MODES) {
        CKQ70Doc doc;
        storeDefaults(doc);
        test::ScriptedPrompt prompt;
        HHardwareDialog page(doc, mode, prompt);
        page.OnInitDialog();
        for (const int id : shownCombos) {
            EXPECT_TRUE(page.GetControl(id)->visible && page.GetControl(id)->enabled) << id;
        }
        for (const int id : hidden) {
            EXPECT_FALSE(page.GetControl(id)->visible) << id;
        }
        for (const int id : shownEdits) {
            EXPECT_TRUE(page.GetControl(id)->visible) << id;
            EXPECT_EQ(page.GetControl(id)->enabled, mode != ACCESS_NORMAL) << mode << " " << id;
        }
        EXPECT_EQ(page.TypeText(IDC_HW_REF_XTAL, "12.8"), mode != ACCESS_NORMAL);
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
        CKQ70Doc doc;
        storeDefaults(doc);
        setHardware(doc, {{HW_FREQUENCY_BAND, band}});
        test::ScriptedPrompt prompt;
        HHardwareDialog page(doc, ACCESS_MANUFACTURE, prompt);
        page.OnInitDialog();
        EXPECT_EQ(itemTexts(*page.GetControl(IDC_HW_CHANNEL_STEP)), steps) << "band " << band;
    }
    // A band chosen on the page filters again and keeps the step when it is still offered.
    CKQ70Doc doc;
    storeDefaults(doc);
    setHardware(doc, {{HW_FREQUENCY_BAND, 4}, {HW_CHANNEL_STEP, 3}});
    test::ScriptedPrompt prompt;
    AllShownHardwareDialog page(doc, ACCESS_MANUFACTURE, prompt);
    page.OnInitDialog();
    ASSERT_TRUE(page.SelectItemValue(IDC_HW_FREQUENCY_BAND, 0));
    EXPECT_EQ(page.GetControl(IDC_HW_CHANNEL_STEP)->items.size(), 3u);
    EXPECT_EQ(page.GetShownValue(IDC_HW_CHANNEL_STEP), "5,6.25kHz") << "10,12.5kHz is gone";
    ASSERT_TRUE(page.SelectItemValue(IDC_HW_CHANNEL_STEP, 2));
    ASSERT_TRUE(page.SelectItemValue(IDC_HW_FREQUENCY_BAND, 1));
    EXPECT_EQ(page.GetShownValue(IDC_HW_CHANNEL_STEP), "5,6.25,2.5,1.25kHz");
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
        {IDC_HW_REF_XTAL, "12.8", 0x2713, 0x0FFF, 320, true},
        {IDC_HW_FIRST_IF, "45.05", 0x272C, 0xFFFF, 9010, true},
        {IDC_HW_SCAN_PLL_B, "300", 0x26EB, 0x00FF, 255, true},
        // The same frequency typed again stores the same units: no hardware change.
        {IDC_HW_FIRST_IF, "50.85", 0x272C, 0xFFFF, 10170, false},
    };
    for (const Case& c : cases) {
        CKQ70Doc doc;
        storeDefaults(doc);
        setHardware(doc, {{HW_REF_XTAL, 20000000}});
        test::ScriptedPrompt prompt;
        HHardwareDialog page(doc, ACCESS_MANUFACTURE, prompt);
        page.OnInitDialog();
        ASSERT_TRUE(page.TypeText(c.id, c.typed));
        ASSERT_TRUE(page.OnOK());
        const RadioImage& image = doc.GetMainMemory();
        const std::uint16_t word = c.mask == 0x00FF ? image.byteAt(c.offset) : image.be16(c.offset);
        EXPECT_EQ(word & c.mask, c.stored) << c.typed;
        EXPECT_EQ(doc.GetHardwareEdited(), c.edited) << c.typed;
        EXPECT_FALSE(page.RadioChannelChanged() || page.BandChanged());
    }
}

TEST(HHardwareDialogTest, AComboChangeIsStoredAndMarksTheHardwareEdited) {
    CKQ70Doc doc;
    storeDefaults(doc);
    doc.GetMainMemory().setByte(0x0006, 0); // stale mirror
    test::ScriptedPrompt prompt;
    HHardwareDialog page(doc, ACCESS_MANUFACTURE, prompt);
    page.OnInitDialog();
    ASSERT_TRUE(page.SelectItemValue(IDC_HW_SQL_RELEASE_TIME, 4));
    ASSERT_TRUE(page.SelectItemValue(IDC_HW_KEYPAD, 1));
    ASSERT_TRUE(page.OnOK());
    const RadioImage& image = doc.GetMainMemory();
    EXPECT_EQ(image.byteAt(0x2742) & 0x07, 4);
    EXPECT_EQ(image.byteAt(0x0203) & 0x80, 0x80);
    EXPECT_EQ(image.byteAt(0x0006), image.byteAt(0x26E8));
    EXPECT_EQ(image.byteAt(0x0007), image.byteAt(0x26E9));
    EXPECT_TRUE(doc.GetHardwareEdited());
    EXPECT_FALSE(page.RadioChannelChanged() || page.BandChanged() || page.DisplayTypeChanged());
}

TEST(HHardwareDialogTest, HiddenValuesSurviveOkAndCancelInEveryMode) {
    // Radio Channel 2 and band 6 have no entry, and band 6 hides the stored step 1: the
    // fallbacks the combos show must not reach the image.
    for (const int mode : ALL_MODES) {
        for (const bool ok : {true, false}) {
            CKQ70Doc doc;
            storeDefaults(doc);
            setHardware(doc, {{HW_RADIO_CHANNEL, 2}, {HW_FREQUENCY_BAND, 6}, {HW_CHANNEL_STEP, 1}});
            const RadioImage before = doc.GetMainMemory();
            test::ScriptedPrompt prompt;
            HHardwareDialog page(doc, mode, prompt);
            page.OnInitDialog();
            EXPECT_EQ(page.GetShownValue(IDC_HW_RADIO_CHANNEL), "  1CH");
            if (ok) {
                EXPECT_TRUE(page.OnOK());
            } else {
                page.SelectItemValue(IDC_HW_SQL_ATTACK_TIME, 0);
                page.TypeText(IDC_HW_FIRST_IF, "10.7");
                page.OnCancel();
            }
            EXPECT_TRUE(doc.GetMainMemory() == before) << "mode " << mode << " ok " << ok;
            EXPECT_FALSE(doc.GetHardwareEdited());
            EXPECT_FALSE(page.RadioChannelChanged() || page.BandChanged());
        }
    }
}

TEST(HHardwareDialogTest, LcdTypeZeroClearsTheAToDKeys) {
    for (const int lcd : {0, 1}) {
        CKQ70Doc doc;
        storeDefaults(doc);
        setHardware(doc, {{HW_LCD_TYPE, lcd}});
        RadioImage& image = doc.GetMainMemory();
        for (std::size_t slot = 0; slot < 12; ++slot) {
            image.setByte(0x0269 + slot, static_cast<std::uint8_t>(slot + 1));
        }
        test::ScriptedPrompt prompt;
        HHardwareDialog page(doc, ACCESS_MANUFACTURE, prompt);
        page.OnInitDialog();
        ASSERT_TRUE(page.OnOK());
        for (std::size_t slot = 0; slot < 12; ++slot) {
            const bool keypad = (slot >= 2 && slot <= 5) || slot >= 8;
            const int expected = lcd == 0 && keypad ? 0 : static_cast<int>(slot + 1);
            EXPECT_EQ(image.byteAt(0x0269 + slot), expected) << "lcd " << lcd << " slot " << slot;
        }
        EXPECT_FALSE(doc.GetHardwareEdited()) << "the keys are not hardware values";
    }
}

TEST(HHardwareDialogTest, MinimumAboveMaximumKeepsThePageOpen) {
    {
        // Crossed limits in the image, on the page that hides them: the user cannot mend
        // them here, so they do not keep the page from closing, and stay as they were.
        CKQ70Doc doc;
        storeDefaults(doc);
        setHardware(doc, {{HW_FREQUENCY_MIN, 456000000}, {HW_FREQUENCY_MAX, 436000000}});
        const RadioImage before = doc.GetMainMemory();
        test::ScriptedPrompt prompt;
        HHardwareDialog page(doc, ACCESS_MANUFACTURE, prompt);
        page.OnInitDialog();
        ASSERT_TRUE(page.SelectItemValue(IDC_HW_SQL_HYSTERESIS, 3));
        EXPECT_TRUE(page.OnOK());
        EXPECT_EQ(doc.GetMainMemory().be16(0x2734), before.be16(0x2734));
        EXPECT_EQ(doc.GetMainMemory().be16(0x2736), before.be16(0x2736));
        EXPECT_EQ(doc.GetMainMemory().byteAt(0x2743) & 0x0F, 3);
    }
    {
        // Limits typed on a page that shows them: refused, then corrected and stored.
        CKQ70Doc doc;
        storeDefaults(doc);
        test::ScriptedPrompt prompt;
        prompt.expectMessage(std::string(text::MAX_MIN_FREQUENCY_ERROR), MessageAnswer::Ok,
                             MessageIcon::Stop);
        AllShownHardwareDialog page(doc, ACCESS_MANUFACTURE, prompt);
        page.OnInitDialog();
        ASSERT_TRUE(page.TypeText(IDC_HW_FREQUENCY_MIN, "456"));
        ASSERT_TRUE(page.TypeText(IDC_HW_FREQUENCY_MAX, "436"));
        EXPECT_FALSE(page.OnOK());
        ASSERT_TRUE(page.TypeText(IDC_HW_FREQUENCY_MIN, "436"));
        ASSERT_TRUE(page.TypeText(IDC_HW_FREQUENCY_MAX, "456"));
        ASSERT_TRUE(page.OnOK());
        EXPECT_EQ(doc.GetMainMemory().be16(0x2734), 4360);
        EXPECT_EQ(doc.GetMainMemory().be16(0x2736), 4560);
        EXPECT_TRUE(doc.GetHardwareEdited());
    }
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
        CKQ70Doc doc;
        storeDefaults(doc);
        test::ScriptedPrompt prompt;
        AllShownHardwareDialog page(doc, ACCESS_MANUFACTURE, prompt);
        page.OnInitDialog();
        ASSERT_TRUE(page.SelectItemValue(c.id, c.value));
        ASSERT_TRUE(page.OnOK());
        EXPECT_EQ(page.BandChanged(), c.band) << c.id;
        EXPECT_EQ(page.RadioChannelChanged(), c.radioChannel) << c.id;
        EXPECT_EQ(page.DisplayTypeChanged(), c.display) << c.id;
        EXPECT_EQ(doc.GetHardwareEdited(), c.band || c.radioChannel || c.display) << c.id;
        EXPECT_EQ(doc.GetMainMemory().byteAt(0x0007), doc.GetMainMemory().byteAt(0x26E9));
    }
}

} // namespace
} // namespace kq70
