#include "frame/RadioCommands.h"

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "link/CancelFlag.h"
#include "params/HHardwareParams.h"
#include "params/HMiscParams.h"
#include "support/ChannelViewHarness.h"
#include "support/FrameFixtures.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kq70 {
namespace {

using test::ScriptedPrompt;

std::int32_t miscValue(const RadioImage& image, std::size_t index) {
    HMiscParams misc;
    misc.extract(image);
    return misc.get(index);
}

class RadioCommandsTest : public ::testing::Test, protected test::SimulatedRadioLink {
protected:
    RadioCommandsTest() {
        settings.portName = "/dev/ttyUSB0";
        settings.baudRate = 19200;
        settings.items[RadioCommands::TAG_COLUMN_ITEM] = 0;
        doc.SetCurrentFilePath(home.file("mine.k70"));
    }

    // A document on disk, with edits the upload must forget.
    void openDocument(const RadioImage& image) {
        doc.GetMainMemory() = image;
        doc.SetWord1Edited(true);
        doc.SetHardwareEdited(true);
    }

    ScriptedPrompt prompt;
    test::TempFolder home;
    CKQ70Doc doc;
    AppSettings settings;
    AccessMode accessMode;
    test::SaveCounter listener;
    RadioCommands commands{
        doc, settings, accessMode, home.path(), prompt, listener, link(), [this] {
            return doc.SaveModifiedData(
                prompt, [this] { return doc.WriteToFile(doc.GetCurrentFilePath(), prompt); });
        }};
};

// What Compare With Radio takes of the radio: what an Upload reads of a 16-channel radio, the
// records beyond its capacity left out.
TEST_F(RadioCommandsTest, TheAreasAnUploadReads) {
    const RadioImage radio = sim.radio.memory();
    RadioImage into = radio;
    for (std::size_t i = 0; i < IMAGE_SIZE; ++i) {
        into.setByte(i, static_cast<std::uint8_t>(~radio.byteAt(i)));
    }
    RadioCommands::TakeUploadedAreas(radio, into);
    const std::size_t record16 = CHANNEL_TABLE_OFFSET + 16 * CHANNEL_RECORD_SIZE;
    const std::pair<std::size_t, bool> cases[] = {
        {eepromWordOffset(0xB9) + 1, true},
        {eepromWordOffset(0xBA), false},
        {flashPageOffset(0x01), true},
        {record16 - 1, true},
        {record16, false},
        {flashPageOffset(0x07), false},
        {flashPageOffset(0x41) + 127, false},
        {flashPageOffset(0x42) + 0x20, true},
        {flashPageOffset(0x4F) + 127, true},
        {TRAILER_OFFSET, false},
    };
    for (const auto& [offset, taken] : cases) {
        EXPECT_EQ(into.byteAt(offset) == radio.byteAt(offset), taken) << std::hex << offset;
    }
}

TEST_F(RadioCommandsTest, UploadMakesTheRadiosDataAnUntitledModifiedDocument) {
    RadioImage radio = sim.radio.memory();
    test::setMiscValue(radio, HMiscParams::ARTS_MODE, HMiscParams::ARTS_MODE_TX);
    test::setMiscValue(radio, HMiscParams::ARTS_BEEP, 1);
    sim.radio.memory() = radio;
    RadioImage previous = test::radioWithChannels(6);
    previous.setBe32(TRAILER_OFFSET, 0x12345678);
    openDocument(previous);
    doc.GetUndoHistory().record("Hardware page", test::radioWithChannels(5), {});
    sim.radio.switchOn(sim.clock.now());
    int executed = 0;
    commands.SetJobExecutor([&executed](const std::function<int()>& job) {
        ++executed;
        return job();
    });

    prompt.expectMessage(std::string(text::UPLOAD_COMPLETE), MessageAnswer::Ok,
                         MessageIcon::Information);
    EXPECT_EQ(commands.OnRadioUpload(), 0);
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(sim.link.openedName(), "/dev/ttyUSB0");
    EXPECT_EQ(sim.link.settings().BaudRate, 19200u);

    const RadioImage& image = doc.GetMainMemory();
    EXPECT_EQ(test::firstDifference(image, radio, 0, 0x0262), "");
    EXPECT_EQ(miscValue(image, HMiscParams::ARTS_BEEP), 0) << "no ARTS beep in ARTS TX mode";
    EXPECT_EQ(image.be32(TRAILER_OFFSET), 0u) << "no default split";
    EXPECT_EQ(doc.GetCurrentFilePath(), NO_FILE_MARKER);
    EXPECT_TRUE(doc.GetDataModified()) << "closing offers to save the radio's data";
    EXPECT_FALSE(doc.GetHardwareEdited());
    EXPECT_FALSE(doc.GetUndoHistory().canUndo()) << "the old document's steps are gone";
    EXPECT_EQ(settings.items[RadioCommands::TAG_COLUMN_ITEM], 1) << "the radio has a display";
}

TEST_F(RadioCommandsTest, UploadKeepsTheArtsBeepOutsideArtsTransmitMode) {
    test::setMiscValue(sim.radio.memory(), HMiscParams::ARTS_MODE, HMiscParams::ARTS_MODE_TRX);
    test::setMiscValue(sim.radio.memory(), HMiscParams::ARTS_BEEP, 1);
    test::setHardwareValue(sim.radio.memory(), HW_LCD_TYPE, 0);
    sim.radio.enterCloneMode();
    prompt.expectMessage(std::string(text::UPLOAD_COMPLETE));
    EXPECT_EQ(commands.OnRadioUpload(), 0);
    EXPECT_EQ(miscValue(doc.GetMainMemory(), HMiscParams::ARTS_BEEP), 1);
    EXPECT_EQ(settings.items[RadioCommands::TAG_COLUMN_ITEM], 0) << "no display, no change";
}

TEST_F(RadioCommandsTest, UploadOffersToSaveChangesFirst) {
    const RadioImage previous = test::radioWithChannels(4);
    openDocument(previous);
    doc.SetDataModified(true);
    sim.radio.enterCloneMode();

    prompt.expectMessage(std::string(Strings::get(IDS_SAVE_CHANGES)), MessageAnswer::Cancel);
    EXPECT_EQ(commands.OnRadioUpload(), std::nullopt);
    EXPECT_EQ(sim.link.openCount(), 0) << "Cancel ends the command before the port is opened";
    EXPECT_EQ(doc.GetMainMemory(), previous);

    prompt.expectMessage(std::string(Strings::get(IDS_SAVE_CHANGES)), MessageAnswer::Yes);
    prompt.expectMessage(std::string(text::UPLOAD_COMPLETE));
    EXPECT_EQ(commands.OnRadioUpload(), 0);
    EXPECT_EQ(test::TempFolder::readBytes(home.file("mine.k70")).size(), IMAGE_SIZE)
        << "the changes were saved before they were replaced";
}

// Whether the changes were kept or "No" was answered to saving them, a failed or stopped
// upload leaves the document exactly as it was, its modified mark included; a stop is told
// apart from a failure.
TEST_F(RadioCommandsTest, AFailedOrStoppedUploadChangesNothing) {
    struct Case {
        const char* name;
        bool modified;
        bool stop;
        std::string_view message;
    };
    const Case cases[] = {
        {"failed", false, false, text::COMMUNICATION_ERROR},
        {"failed after No to saving", true, false, text::COMMUNICATION_ERROR},
        {"stopped while waiting for the radio", false, true, text::UPLOAD_CANCELLED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessRadio radio;
        RadioCommands upload(doc, settings, accessMode, home.path(), prompt, listener,
                             RadioLink{radio.link, radio.clock, lastKind, progress},
                             [this] { return doc.SaveModifiedData(prompt, nullptr); });
        const RadioImage previous = test::radioWithChannels(5);
        openDocument(previous);
        doc.SetDataModified(c.modified);
        doc.GetUndoHistory().record("Hardware page", test::radioWithChannels(4), {});
        radio.radio.addFault({SimFaultKind::Silence, 150, 0});
        radio.radio.switchOn(radio.clock.now());
        CancelFlag flag;
        if (c.stop) {
            flag.request();
        }
        upload.SetCancelFlag(&flag);

        if (c.modified) {
            prompt.expectMessage(std::string(Strings::get(IDS_SAVE_CHANGES)), MessageAnswer::No);
        }
        prompt.expectMessage(std::string(c.message), MessageAnswer::Ok, MessageIcon::Stop);
        EXPECT_EQ(upload.OnRadioUpload(), 1);
        EXPECT_EQ(upload.GetLastJobCancelled(), c.stop);
        EXPECT_EQ(doc.GetMainMemory(), previous);
        EXPECT_EQ(doc.GetCurrentFilePath(), home.file("mine.k70"));
        EXPECT_EQ(doc.GetDataModified(), c.modified);
        EXPECT_TRUE(doc.GetHardwareEdited());
        EXPECT_TRUE(doc.GetUndoHistory().canUndo()) << "steps of the document kept are kept";
    }
}

TEST_F(RadioCommandsTest, DownloadAsksBeforeItSendsAnything) {
    struct Case {
        const char* name;
        bool outOfRange;
        std::vector<MessageAnswer> answers;
        bool sent;
    };
    const std::vector<Case> cases = {
        {"No", false, {MessageAnswer::No}, false},
        {"out of range, No", true, {MessageAnswer::Yes, MessageAnswer::No}, false},
        {"out of range, Yes", true, {MessageAnswer::Yes, MessageAnswer::Yes}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioImage document = sim.radio.memory();
        document.setBe16(0x0000, 0x1234);
        if (c.outOfRange) {
            test::setHardwareValue(document, HW_FREQUENCY_MAX, 440000000);
        }
        doc.GetMainMemory() = document;
        sim.radio.enterCloneMode();
        const RadioImage radioBefore = sim.radio.memory();
        const auto opened = sim.link.openCount();

        prompt.expectMessage(std::string(text::START_DOWNLOADING), c.answers[0],
                             MessageIcon::Question, MessageButtons::YesNo);
        if (c.outOfRange) {
            prompt.expectMessage(std::string(text::OUT_OF_RANGE_CONTINUE), c.answers[1],
                                 MessageIcon::Question, MessageButtons::YesNo);
        }
        if (c.sent) {
            prompt.expectMessage(std::string(text::DOWNLOAD_COMPLETE));
        }
        const std::optional<int> result = commands.OnRadioDownload();
        EXPECT_EQ(result, c.sent ? std::optional<int>(0) : std::nullopt);
        EXPECT_EQ(sim.link.openCount() > opened, c.sent);
        if (c.sent) {
            EXPECT_EQ(sim.radio.memory().be16(WORD0_MIRROR_OFFSET), 0x1234)
                << "the mirrors are made before the write";
        } else {
            EXPECT_EQ(sim.radio.memory(), radioBefore);
            EXPECT_EQ(doc.GetMainMemory(), document);
        }
    }
}

TEST_F(RadioCommandsTest, AFailedDownloadReportsFailure) {
    RadioImage document = sim.radio.memory();
    test::setHardwareValue(document, HW_FREQUENCY_BAND, 9);
    doc.GetMainMemory() = document;
    sim.radio.enterCloneMode();
    prompt.expectMessage(std::string(text::START_DOWNLOADING), MessageAnswer::Yes);
    prompt.expectMessage(std::string(Strings::get(IDS_FREQUENCY_BAND_MISMATCHED)));
    EXPECT_EQ(commands.OnRadioDownload(), 1);
}

} // namespace
} // namespace kq70
