#include "pages/HDialog.h"
#include "fields/HParams.h"
#include "image/RadioImage.h"
#include "support/ProcessLocale.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

// A small page over three values at 0x0100: a text list, a numeric list, a scaled edit (a
// frequency in Hz shown in MHz) and a text edit.
constexpr FieldDescriptor SAMPLE_FIELDS[] = {
    numberField(0x0100, 0, 4, 2),        // 0 mode, a text list
    numberField(0x0100, 4, 4, 0),        // 1 level, a numeric list
    numberField(0x0101, 0, 32, 1340000), // 2 a frequency in units of 100 Hz
    textField(0x0105, 8, "HELLO"),       // 3 a tag
};

constexpr ComboEntry MODE_ENTRIES[] = {{"Off", 0, true}, {"Low", 2, true}, {"High", 5, true}};
constexpr ComboDefinition MODE_COMBO{.kind = LIST_TEXT, .count = 3, .entries = MODE_ENTRIES};
constexpr ComboDefinition LEVEL_COMBO{
    .kind = LIST_NUMERIC, .count = 16, .firstValueX10 = 0, .stepX10 = 10};
constexpr EditDefinition FREQUENCY_EDIT{.kind = EDIT_SCALED,
                                        .maxChars = 9,
                                        .minimum = 1000000,
                                        .maximum = 5000000,
                                        .format = "%-7.3f",
                                        .filter = FILTER_NUMERIC,
                                        .scale = 10000,
                                        .unit = " MHz"};
constexpr EditDefinition TAG_EDIT{
    .kind = EDIT_TEXT, .maxChars = 8, .format = "%s", .filter = FILTER_ALPHA_TAG};

enum SampleId : int { MODE_ID = 2000, LEVEL_ID, FREQUENCY_ID, TAG_ID };

class SamplePage : public HDialog {
public:
    SamplePage(RadioImage& image, int mode) : HDialog("HSampleDialog", image, mode) {
        AddCombo(MODE_ID, "&Mode", 0, MODE_COMBO, m_params, 0);
        AddCombo(LEVEL_ID, "&Level", 9999, LEVEL_COMBO, m_params, 1);
        AddEdit(FREQUENCY_ID, "&Frequency", IDS_PROBLEM_OPENING_FILE, FREQUENCY_EDIT, m_params, 2);
        AddEdit(TAG_ID, "T&ag", IDS_PROBLEM_READING_FILE, TAG_EDIT, m_params, 3);
    }

    void hide(int id) { SetVisible(id, false, false); }
    bool checksPass = true;

protected:
    bool CheckBeforeOk() override { return checksPass; }

private:
    HParams m_params{SAMPLE_FIELDS};
};

RadioImage imageWithDefaults() {
    RadioImage image;
    HParams(SAMPLE_FIELDS).store(image);
    return image;
}

struct OpenedSample {
    explicit OpenedSample(const RadioImage& start, int mode = 1) : image(start), page(image, mode) {
        page.OnInitDialog();
    }
    std::int32_t stored(std::size_t index) {
        HParams back(SAMPLE_FIELDS);
        back.extract(image);
        return back.get(index);
    }
    RadioImage image;
    SamplePage page;
};

TEST(HDialogTest, ListsAreFilledFromTheirDefinitions) {
    OpenedSample o(imageWithDefaults(), 0);
    const PageControl* level = o.page.GetControl(LEVEL_ID);
    ASSERT_NE(level, nullptr);
    ASSERT_EQ(level->items.size(), 16u);
    EXPECT_EQ(level->items[0].text, "0  ");
    EXPECT_EQ(level->items[15].text, "15  ");
    EXPECT_EQ(level->items[15].itemValue, 15);
    EXPECT_EQ(o.page.GetShownValue(MODE_ID), "Low");
    EXPECT_EQ(o.page.GetShownValue(FREQUENCY_ID), "134.000");
    EXPECT_EQ(o.page.GetShownValue(TAG_ID), "HELLO   ");
    EXPECT_EQ(o.page.GetControl(TAG_ID)->maxLength, 8);
}

void expectEditNumbers() {
    constexpr EditDefinition MHZ{
        .kind = EDIT_SCALED, .maxChars = 9, .format = "%-9.5f", .scale = 1000000};
    EXPECT_EQ(HDialog::FormatEdit(MHZ, 134000000), "134.00000");
    EXPECT_EQ(HDialog::FormatEdit(MHZ, 446006250), "446.00625");
    const std::pair<const char*, std::optional<std::int32_t>> parses[] = {
        {"130.0125", 130012500},      {"446.00625", 446006250}, {" +446.00625", 446006250},
        {"446.00625 MHz", 446006250}, {"-0.5", -500000},        {"446,00625", 446000000},
        {"abc", std::nullopt},        {"", std::nullopt},       {"1e400", std::nullopt},
    };
    for (const auto& [text, expected] : parses) {
        EXPECT_EQ(HDialog::ParseEdit(MHZ, text), expected) << text;
    }
    constexpr EditDefinition PLAIN{.kind = EDIT_INTEGER, .format = "%d"};
    EXPECT_EQ(HDialog::FormatEdit(PLAIN, -12), "-12");
    EXPECT_EQ(HDialog::ParseEdit(PLAIN, "42"), 42);
    EXPECT_EQ(HDialog::ParseEdit(PLAIN, "99999999999"), 2147483647);
}

TEST(HDialogTest, ScaledEditsShowAndParse) {
    expectEditNumbers();
}

// A front end sets the user's locale; "446.00625" must still be 446.00625 MHz, not 446.
TEST(HDialogTest, EditNumbersIgnoreACommaDecimalLocale) {
    const test::ProcessLocale comma("de_DE");
    if (!comma.active()) {
        GTEST_SKIP() << comma.why();
    }
    expectEditNumbers();
}

TEST(HDialogTest, NumericListWithAFirstEntryOfItsOwn) {
    static constexpr ComboDefinition SQUELCH{.kind = LIST_NUMERIC,
                                             .count = 3,
                                             .firstEntryText = "Off",
                                             .firstEntryValue = 0,
                                             .firstValueX10 = 15,
                                             .stepX10 = 5,
                                             .unit = "sec",
                                             .oneDecimal = true};
    static constexpr FieldDescriptor ONE[] = {numberField(0x10, 0, 8, 7)};
    struct Page : HDialog {
        explicit Page(RadioImage& image) : HDialog("HOne", image, 0) {
            AddCombo(1, "x", 0, SQUELCH, params, 0);
        }
        HParams params{ONE};
    };
    RadioImage image;
    Page page(image);
    page.OnInitDialog();
    const auto& items = page.GetControl(1)->items;
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "Off");
    EXPECT_EQ(items[1].text, "1.5  sec");
    EXPECT_EQ(items[3].text, "2.5  sec");
    EXPECT_EQ(items[3].itemValue, 3);
    EXPECT_EQ(page.GetShownValue(1), "Off") << "value 7 has no entry: the fallback of item 0";
}

TEST(HDialogTest, OkStoresWhatTheUserChose) {
    OpenedSample o(imageWithDefaults());
    ASSERT_TRUE(o.page.SelectItemValue(MODE_ID, 5));
    ASSERT_TRUE(o.page.SelectIndex(LEVEL_ID, 9));
    ASSERT_TRUE(o.page.TypeText(FREQUENCY_ID, "130.0125"));
    ASSERT_TRUE(o.page.TypeText(TAG_ID, "ab c!?toolong"));
    EXPECT_EQ(o.page.GetShownValue(TAG_ID), "ab ctool") << "filtered and cut to 8";
    ASSERT_TRUE(o.page.OnOK());
    EXPECT_EQ(o.stored(0), 5);
    EXPECT_EQ(o.stored(1), 9);
    EXPECT_EQ(o.stored(2), 1300125) << "rounded to the nearest unit, not truncated";
}

TEST(HDialogTest, EditsAreKeptWithinTheirRange) {
    for (const auto& [typed, stored] :
         {std::pair{"999", 5000000}, {"1", 1000000}, {"-5", 1000000}, {"250.00004", 2500000}}) {
        OpenedSample o(imageWithDefaults());
        ASSERT_TRUE(o.page.TypeText(FREQUENCY_ID, typed));
        ASSERT_TRUE(o.page.OnOK());
        EXPECT_EQ(o.stored(2), stored) << typed;
    }
}

TEST(HDialogTest, CancelFailedChecksAndHiddenControlsWriteNothing) {
    const RadioImage original = imageWithDefaults();
    OpenedSample cancelled(original);
    cancelled.page.SelectItemValue(MODE_ID, 0);
    cancelled.page.SelectIndex(LEVEL_ID, 3);
    cancelled.page.TypeText(FREQUENCY_ID, "200");
    cancelled.page.TypeText(TAG_ID, "ZZ");
    cancelled.page.OnCancel();
    EXPECT_TRUE(cancelled.image == original);

    OpenedSample failed(original);
    failed.page.TypeText(FREQUENCY_ID, "200");
    failed.page.checksPass = false;
    EXPECT_FALSE(failed.page.OnOK()) << "a failed check keeps the page open";
    EXPECT_TRUE(failed.image == original);

    // A stored value no entry carries: a hidden combo keeps it, OK changes no byte.
    RadioImage odd = original;
    odd.setByte(0x0100, static_cast<std::uint8_t>((odd.byteAt(0x0100) & 0xF0) | 0x7));
    OpenedSample hidden(odd);
    EXPECT_EQ(hidden.page.GetShownValue(MODE_ID), "Off");
    hidden.page.hide(MODE_ID);
    EXPECT_FALSE(hidden.page.SelectItemValue(MODE_ID, 2)) << "hidden controls take no input";
    ASSERT_TRUE(hidden.page.OnOK());
    EXPECT_TRUE(hidden.image == odd);

    // An untouched edit keeps digits its format does not show.
    RadioImage unshown = original;
    HParams params(SAMPLE_FIELDS);
    params.extract(unshown);
    params.set(2, 1340001); // 134.0001 MHz shows as "134.000"
    params.store(unshown);
    OpenedSample untouched(unshown);
    ASSERT_TRUE(untouched.page.OnOK());
    EXPECT_TRUE(untouched.image == unshown);
}

TEST(HDialogTest, PromptLineSplitsAtTheFirstLineFeed) {
    OpenedSample o(imageWithDefaults());
    EXPECT_EQ(o.page.GetPromptLine(), (std::pair<std::string, std::string>{" ", " "}));
    o.page.SetFocus(TAG_ID);
    EXPECT_EQ(o.page.GetPromptLine().first, "Problem reading from file\r");
    EXPECT_EQ(o.page.GetPromptLine().second, "File Name = %1");
    o.page.SetFocus(LEVEL_ID); // no text for its id: the prompt stays
    EXPECT_EQ(o.page.GetPromptLine().first, "Problem reading from file\r");
    o.page.SetFocus(MODE_ID); // id 0: blanks
    EXPECT_EQ(o.page.GetPromptLine(), (std::pair<std::string, std::string>{" ", " "}));
}

// The listing's lines themselves are compared whole in ListingPagesTest.
TEST(HDialogTest, CaptionsLoseTheirAmpersands) {
    EXPECT_EQ(HDialog::WithoutAmpersands("T&ag && x"), "Tag  x");
}

} // namespace
} // namespace kq70
