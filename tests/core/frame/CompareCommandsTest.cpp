#include "frame/CompareCommands.h"

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "doc/DefaultImages.h"
#include "frame/DocumentCommands.h"
#include "frame/RadioCommands.h"
#include "params/HMiscParams.h"
#include "params/HPowerSaveParams.h"
#include "support/ChannelValues.h"
#include "support/ChannelViewHarness.h"
#include "support/DataFiles.h"
#include "support/FrameFixtures.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kq70 {
namespace {

using test::ScriptedPrompt;
using test::setChannelValue;

void toggleTransmitTimer(RadioImage& image) {
    HPowerSaveParams powerSave;
    powerSave.extract(image);
    powerSave.set(HPowerSaveParams::TRANSMIT_TIMER,
                  powerSave.get(HPowerSaveParams::TRANSMIT_TIMER) == 1 ? 2 : 1);
    powerSave.store(image);
}

// What a document carries that a comparison must leave alone.
auto stateOf(const CKQ70Doc& doc) {
    return std::tuple(doc.GetMainMemory(), doc.GetCurrentFilePath(), doc.GetDataModified(),
                      doc.GetWord1Edited(), doc.GetHardwareEdited(),
                      doc.GetUndoHistory().undoCount());
}

class CompareCommandsTest : public ::testing::Test {
protected:
    CompareCommandsTest() {
        BuildDefaultImage(PMR446_BAND, doc.GetMainMemory());
        // Stored once through the channel data, so the edits below change only what they set.
        setChannelValue(doc.GetMainMemory(), 0, scan, 0);
        doc.SetCurrentFilePath(home.file("mine.k70"));
        doc.SetDataModified(true);
        doc.SetHardwareEdited(true);
        doc.GetUndoHistory().record("Hardware page", doc.GetMainMemory(), {});
    }

    CKQ70Doc doc;
    ScriptedPrompt prompt;
    test::SaveCounter events;
    test::TempFolder home;
    AccessMode mode;
    CompareCommands commands{doc, mode, prompt, events};
};

TEST_F(CompareCommandsTest, AnotherFileIsComparedByWhatThePagesAndTheGridShow) {
    RadioImage other = doc.GetMainMemory();
    setChannelValue(other, 4, txToneMode, 1);
    setChannelValue(other, 4, txToneCode, 1000);
    toggleTransmitTimer(other);
    const std::string path = test::writeDataFile(home.file("kept.k70"), other);
    const auto was = stateOf(doc);

    prompt.expectOpenFile(path);
    const auto result = commands.OnFileCompare();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->nameB, "kept.k70");
    const auto tables = CompareCommands::Tables(result->comparison);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].title, text::POWER_SAVING_TITLE);
    EXPECT_EQ(tables[1].title, text::COMPARE_SECTION_CHANNELS);
    ASSERT_EQ(tables[1].rows.size(), 1u);
    EXPECT_EQ(tables[1].rows[0].caption, "CH5 Sub Audio Enc");
    EXPECT_EQ(stateOf(doc), was);
    EXPECT_EQ(events.saves, 1) << "the view's edits count";
}

TEST_F(CompareCommandsTest, UnreadableChoicesChangeNothing) {
    const auto was = stateOf(doc);
    prompt.expectOpenFile(std::nullopt);
    EXPECT_FALSE(commands.OnFileCompare().has_value()) << "cancelled";

    // Which files are refused is the data file's check; one refused file shows the wiring.
    const std::string tooShort = home.file("short.k70");
    test::TempFolder::writeText(tooShort, "not a radio");
    prompt.expectMessage({});
    EXPECT_FALSE(commands.CompareWithFile(tooShort).has_value());
    EXPECT_TRUE(prompt.finished()) << "the user hears why";
    EXPECT_EQ(stateOf(doc), was);
}

TEST_F(CompareCommandsTest, SummaryCountsValuesAndUnshownBytes) {
    const RadioImage& a = doc.GetMainMemory();
    const std::size_t unshown = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 20 + 5;
    struct Case {
        const char* name;
        std::function<void(RadioImage&)> change;
        std::string summary;
    };
    const std::vector<Case> cases = {
        {"equal", [](RadioImage&) {}, "Both hold the same data."},
        {"one value", toggleTransmitTimer, "1 value differs."},
        {"one byte",
         [&](RadioImage& b) { b.setByte(unshown, static_cast<std::uint8_t>(~b.byteAt(unshown))); },
         "1 byte differs that no editor shows."},
        {"values and bytes",
         [&](RadioImage& b) {
             toggleTransmitTimer(b);
             setChannelValue(b, 4, txToneMode, 1);
             b.setByte(unshown, static_cast<std::uint8_t>(~b.byteAt(unshown)));
             b.setByte(unshown + 1, static_cast<std::uint8_t>(~b.byteAt(unshown + 1)));
         },
         "2 values differ. 2 bytes differ that no editor shows."},
    };
    for (const Case& c : cases) {
        RadioImage b = a;
        c.change(b);
        const ImageComparison comparison = ImageComparison::compare(a, b, ACCESS_NORMAL);
        EXPECT_EQ(CompareCommands::Summary(comparison), c.summary) << c.name;
    }
}

class CompareWithRadioTest : public ::testing::Test, protected test::SimulatedRadioLink {
protected:
    CompareWithRadioTest() {
        settings.portName = "/dev/ttyUSB0";
        // The document is what an earlier upload of this radio gave, saved and edited since.
        sim.radio.enterCloneMode();
        prompt.expectMessage(std::string(text::UPLOAD_COMPLETE));
        EXPECT_EQ(radio.OnRadioUpload(), 0);
        doc.SetCurrentFilePath(home.file("radio.k70"));
        doc.SetWord1Edited(true);
        doc.GetUndoHistory().record("Space on CH1 Scan", doc.GetMainMemory(), {});
        events.saves = 0;
    }

    ScriptedPrompt prompt;
    test::TempFolder home;
    CKQ70Doc doc;
    AppSettings settings;
    AccessMode mode;
    test::SaveCounter events;
    RadioCommands radio{doc, settings, mode, home.path(), prompt, events, link(), nullptr};
    CompareCommands commands{doc, mode, prompt, events};
};

TEST_F(CompareWithRadioTest, ShowsWhatTheRadioHoldsAndLeavesTheDocumentAlone) {
    const auto was = stateOf(doc);
    // Someone changed a channel on the radio since the upload; equal data is the next test's.
    setChannelValue(sim.radio.memory(), 1, txToneMode, 1);
    setChannelValue(sim.radio.memory(), 1, txToneCode, 1000);
    sim.radio.enterCloneMode();
    const auto changed = commands.OnRadioCompare(radio);
    ASSERT_TRUE(changed.has_value());
    ASSERT_EQ(changed->comparison.entries().size(), 1u);
    EXPECT_EQ(changed->comparison.entries()[0].caption, "CH2 Sub Audio Enc");
    EXPECT_EQ(stateOf(doc), was);
    EXPECT_EQ(events.saves, 1) << "no reload, no title, no menus: nothing of the document changed";
}

// What never goes over the wire (the trailer's default split) and what an Upload does not
// read (EEPROM words past 0xB9, flash pages past the channels) are the document's own.
TEST_F(CompareWithRadioTest, RightAfterAVerifiedDownloadNothingDiffers) {
    RadioImage& document = doc.GetMainMemory();
    test::setMiscValue(document, HMiscParams::DEFAULT_SPLIT, 5000000);
    setChannelValue(document, 1, txToneMode, 1);
    setChannelValue(document, 1, txToneCode, 1000);
    document.setByte(eepromWordOffset(0xC0), 0x5A);
    ASSERT_TRUE(settings.verifyDownload);
    sim.radio.enterCloneMode();
    prompt.expectMessage(std::string(text::START_DOWNLOADING), MessageAnswer::Yes);
    prompt.expectMessage(std::string(text::DOWNLOAD_COMPLETE));
    ASSERT_EQ(radio.OnRadioDownload(), 0);

    sim.radio.enterCloneMode();
    const auto result = commands.OnRadioCompare(radio);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(CompareCommands::Summary(result->comparison), text::COMPARE_EQUAL);
    EXPECT_EQ(result->scope, text::COMPARE_RADIO_AREAS);
}

TEST_F(CompareWithRadioTest, AFailedReadShowsNothingAndChangesNothing) {
    const auto was = stateOf(doc);
    sim.radio.addFault({SimFaultKind::Silence, sim.radio.framesTaken() + 150, 0});
    sim.radio.switchOn(sim.clock.now());
    prompt.expectMessage(std::string(text::COMMUNICATION_ERROR), MessageAnswer::Ok,
                         MessageIcon::Stop);
    EXPECT_FALSE(commands.OnRadioCompare(radio).has_value());
    EXPECT_EQ(stateOf(doc), was);
}

} // namespace
} // namespace kq70
