#include "service/HBasicAlignment.h"

#include "channel/HChannelData.h"
#include "core/service/ServiceTestContext.h"
#include "service/HSliderAlignDialog.h"
#include "service/HSqlAlignment.h"
#include "service/HVcoAlignAuto.h"
#include "service/HVcoAlignDialog.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kq70 {
namespace {

class HBasicAlignmentTest : public test::ServiceTest {
protected:
    HBasicAlignment window{t.com, t.set, *t.image, t.clock, t.prompt};
};

TEST_F(HBasicAlignmentTest, EighteenFieldsInTheirOrderWithLevelsInTheChosenUnit) {
    t.set.set(2, 0x85); // Threshold SQL wide: -5
    t.set.set(88, 123);
    const auto fields = window.Fields();
    ASSERT_EQ(fields.size(), 18u);
    std::vector<std::size_t> items;
    for (const auto& field : fields) {
        items.push_back(field.item);
    }
    EXPECT_EQ(items, (std::vector<std::size_t>{88, 87, 86, 91, 90, 89, 93, 13, 14, 15, 2, 6, 3, 7,
                                               0, 4, 1, 5}));
    EXPECT_EQ(fields[0].text, "123");
    EXPECT_EQ(fields[10].text, "-5 dBuV (EMF)");
    window.SetDisplayUnit(1);
    EXPECT_EQ(window.Fields()[10].text, "-11 dBuV (PD)");
}

// Every procedure is found by its entry, and no two slider or measurement procedures open a
// window for the same item.
TEST_F(HBasicAlignmentTest, EveryProcedureHasItsEntryAndAnItemOfItsOwn) {
    std::set<std::size_t> items;
    for (const ProcedureEntry& entry : HBasicAlignment::AllProcedures()) {
        EXPECT_EQ(&HBasicAlignment::EntryOf(entry.procedure), &entry);
        if (entry.kind == ProcedureKind::Slider) {
            EXPECT_TRUE(items.insert(window.MakeSlider(entry.procedure)->Item()).second)
                << entry.caption;
        } else if (entry.kind == ProcedureKind::Measurement) {
            EXPECT_TRUE(items.insert(window.MakeMeasurement(entry.procedure)->Item()).second)
                << entry.caption;
        }
    }
    // Narrow items lie four above the wide ones.
    EXPECT_EQ(window.MakeMeasurement(AlignmentProcedure::TightSqlNarrow)->Item(), 7u);
    EXPECT_EQ(window.MakeMeasurement(AlignmentProcedure::TxSaveWide)->Item(), 1u);
}

TEST(HBasicAlignmentSectionsTest, EveryProcedureOnceInTheSectionOfWhatItAligns) {
    const auto sections = HBasicAlignment::Sections();
    ASSERT_EQ(sections.size(), 4u);
    const std::vector<ProcedureKind> expected[] = {
        {ProcedureKind::VcoAuto, ProcedureKind::VcoManual},
        {ProcedureKind::Measurement, ProcedureKind::RxTune},
        {ProcedureKind::Slider},
        {ProcedureKind::Battery},
    };
    std::size_t total = 0;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        for (const ProcedureEntry& entry : sections[i].entries) {
            EXPECT_NE(std::find(expected[i].begin(), expected[i].end(), entry.kind),
                      expected[i].end())
                << entry.caption;
        }
        total += sections[i].entries.size();
    }
    EXPECT_EQ(total, HBasicAlignment::AllProcedures().size());
    // List order inside a section: the START buttons come before the further procedures.
    EXPECT_EQ(sections[0].entries.front().procedure, AlignmentProcedure::RxVco);
    EXPECT_EQ(sections[0].entries.back().procedure, AlignmentProcedure::TxVcoManual);
    EXPECT_EQ(sections[2].entries.front().procedure, AlignmentProcedure::Frequency);
}

TEST_F(HBasicAlignmentTest, TheGroupListShowsFivePointsOfEachGroup) {
    for (std::size_t item = 16; item <= 20; ++item) {
        t.set.set(item, static_cast<std::int32_t>(item));
    }
    const auto groups = window.Groups();
    ASSERT_EQ(groups.size(), 15u);
    EXPECT_EQ(groups[0].item, 18u);
    EXPECT_EQ(groups[0].values, (std::vector<int>{16, 17, 18, 19, 20}));
    EXPECT_EQ(groups[8].item, 68u);
    EXPECT_EQ(groups[10].item, 94u);
    EXPECT_EQ(groups[10].values.size(), 1u);
    window.SetSecondLayout(true);
    EXPECT_EQ(window.Groups()[8].item, 58u);
    EXPECT_EQ(window.Groups()[9].item, 63u);
    EXPECT_EQ(window.Groups()[9].caption, "Modulation Balance 2");
}

TEST_F(HBasicAlignmentTest, AfterOkTheImageHoldsTheItemsTheChecksumAndChannelsThatFollow) {
    auto before = std::make_unique<RadioImage>(*t.image);
    t.set.set(90, 200); // TX VCO Middle
    t.set.set(89, 20);  // TX VCO Low
    window.AfterOk();
    const RadioImage& image = *t.image;
    EXPECT_EQ(image.byteAt(0x29D6), 200);
    EXPECT_EQ(image.byteAt(0x29D7), 20);
    HAdustmentBackUpParams check;
    EXPECT_TRUE(check.verifyChecksum(image));
    EXPECT_EQ(t.set.get(ADJ_CHECKSUM), image.be16(0x29DF));
    // The channels' TX VCO bytes follow the new curve; their programming does not change.
    EXPECT_NE(test::firstDifference(image, *before, CHANNEL_TABLE_OFFSET, 32 * 20) +
                  test::firstDifference(image, *before, CHANNEL_ALIGNMENT_OFFSET, 40),
              "");
    auto channels = std::make_unique<HChannelData>();
    channels->extract(image);
    EXPECT_EQ(channels->getValue(0, rxFrequency), 446006250);
}

TEST_F(HBasicAlignmentTest, AFailedChannelChangeDisablesEverythingUntilOneSucceeds) {
    t.com.failing.insert(SVC_CHANGE_CHANNEL);
    t.prompt.expectMessage(std::string(Strings::get(IDS_CHANGE_CHANNEL_ERROR)));
    EXPECT_FALSE(window.ChangeChannel(4));
    EXPECT_FALSE(window.ControlsEnabled());
    EXPECT_EQ(window.CurrentChannel(), HBasicAlignment::DEFAULT_CHANNEL);
    t.com.failing.clear();
    EXPECT_TRUE(window.ChangeChannel(4));
    EXPECT_TRUE(window.ControlsEnabled());
    // Before its points are done a VCO alignment has nothing to store.
    t.set.set(88, 99);
    auto vco = window.MakeVcoAuto(VCO_RX);
    EXPECT_FALSE(vco->Ok());
    EXPECT_EQ(t.set.get(88), 99);
}

using HVcoAlignDialogTest = test::ServiceTest;

TEST_F(HVcoAlignDialogTest, TheSliderSendsItsValueAndShowsWhatIsReadBack) {
    t.set.set(90, 77);
    t.com.vco = [](int d) { return std::pair{255 - d, 230}; };
    HVcoAlignDialog dialog(t.context(), VCO_TX, VCO_MIDDLE);
    ASSERT_TRUE(dialog.Open());
    EXPECT_TRUE(t.com.transmitting);
    EXPECT_EQ(t.com.channel, 1);
    EXPECT_EQ(t.com.levels.back(), std::make_pair(0, 77));
    EXPECT_EQ(dialog.VcvText(), "178");
    dialog.SetSlider(100);
    EXPECT_EQ(dialog.VcvText(), "155");
    EXPECT_EQ(dialog.UlText(), "230");
    dialog.Ok();
    EXPECT_EQ(t.set.get(90), 100);
    EXPECT_FALSE(t.com.transmitting);
}

TEST_F(HVcoAlignDialogTest, AFailedOpeningLeavesTheRadioReceiving) {
    t.com.failing.insert(SVC_SET_ADJUST_LEVEL);
    HVcoAlignDialog dialog(t.context(), VCO_TX, VCO_LOW);
    EXPECT_FALSE(dialog.Open());
    EXPECT_FALSE(t.com.transmitting);
    EXPECT_TRUE(t.com.levels.empty());
}

TEST_F(HVcoAlignDialogTest, TenFailedReadsShowTheValueSentAndNoLock) {
    t.com.failing.insert(SVC_READ_AD);
    HVcoAlignDialog dialog(t.context(), VCO_RX, VCO_HIGH);
    ASSERT_TRUE(dialog.Open());
    t.com.vcoReads = 0;
    dialog.SetSlider(42);
    EXPECT_EQ(t.com.vcoReads, HVcoAlignDialog::READ_ATTEMPTS);
    EXPECT_EQ(dialog.VcvText(), "42");
    EXPECT_EQ(dialog.UlText(), "0");
    dialog.Cancel();
    EXPECT_NE(t.set.get(88), 42);
}

} // namespace
} // namespace kq70
