#include "link/HKQ70CommunicationDialog.h"

#include "DialogJobs.h"
#include "app/AccessMode.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "frame/AdjustmentRecoverCommand.h"
#include "params/HHardwareParams.h"
#include "support/CliRun.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompt.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kq70 {
namespace {

using namespace test;

// The icon of a job's closing message is the job runner's (its own test); here only the text.
class HKQ70CommunicationDialogTest : public ::testing::Test, protected RadioOnPort {
protected:
    int run(std::uint32_t job, int accessMode = ACCESS_NORMAL) {
        return runOn(sim, job, image, accessMode);
    }

    int runOn(InProcessRadio& radio, std::uint32_t job, RadioImage& document,
              int accessMode = ACCESS_NORMAL, UserPrompt* answers = nullptr) {
        return DialogJob(radio.link, radio.clock, job, answers ? *answers : prompt,
                         context(accessMode), progress)
            .run(document);
    }

    CommJobContext context(int accessMode) const { return {accessMode, home.path(), false, false}; }

    test::RecordingProgress progress;
    ScriptedPrompt prompt;
    test::TempFolder home;
    RadioImage image = unlikeAnyRadio();
};

TEST_F(HKQ70CommunicationDialogTest, SlotsOutsideTheJobTableFailQuietly) {
    // A slot nobody requests and a job that is no request fail quietly; the job runner's own
    // test has the slots beyond the table.
    EXPECT_EQ(run(5), 1);
    HKQ70CommunicationDialog dialog(0, port, progress, prompt, sim.clock, {});
    EXPECT_EQ(dialog.RunJob(std::make_unique<HCommJob>(JOB_UPLOAD)), 1);
    EXPECT_EQ(sim.link.openCount(), 0) << "no port is opened for a job that is not there";
}

TEST_F(HKQ70CommunicationDialogTest, UploadOfEveryCapacityCompletesTheChannelTable) {
    RadioImage defaults;
    LoadBandDefaultImage(home.path(), 12, defaults);
    // The smallest capacity, the usual one, and the largest, which leaves no record to the
    // default image.
    for (const int radioChannel : {0, 2, 6}) {
        SCOPED_TRACE(radioChannel);
        const RadioImage radio = test::radioWithChannels(radioChannel);
        sim.radio.memory() = radio;
        sim.radio.switchOn(sim.clock.now());
        image = unlikeAnyRadio();
        const RadioImage before = image;
        prompt.expectMessage(std::string(text::UPLOAD_COMPLETE));
        ASSERT_EQ(run(JOB_UPLOAD), 0);

        const int capacity = channelCapacityForRadioChannel(radioChannel);
        const std::size_t recordsEnd = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * capacity;
        const std::size_t tableEnd = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 256;
        // The radio's bytes, but: words the upload does not read are the cleared work buffer's,
        // records beyond the capacity the default image's, and the program trailer, which never
        // comes over the wire, the document's.
        RadioImage expected = radio;
        const auto take = [&expected](const RadioImage& from, std::size_t first, std::size_t end) {
            for (std::size_t i = first; i < end; ++i) {
                expected.setByte(i, from.byteAt(i));
            }
        };
        take(RadioImage(), eepromWordOffset(0xBA), EEPROM_SIZE);
        take(defaults, recordsEnd, tableEnd);
        take(before, TRANSFER_SIZE, IMAGE_SIZE);
        EXPECT_EQ(firstDifference(image, expected, 0, IMAGE_SIZE), "");
    }
    EXPECT_TRUE(filesIn(home.path()).empty()) << "no template file is written";
}

TEST_F(HKQ70CommunicationDialogTest, UploadCompletionPrefersTheBandsTemplateAndSkipsUnknownBands) {
    RadioImage radio = test::radioWithChannels(2);
    RadioImage templateImage;
    std::fill(templateImage.bytes().begin(), templateImage.bytes().end(), 0x5E);
    ASSERT_TRUE(WriteDataFile(home.file("default_pmr.k70"), templateImage, prompt));
    const auto templateBytes = test::TempFolder::readBytes(home.file("default_pmr.k70"));

    sim.radio.memory() = radio;
    sim.radio.enterCloneMode();
    prompt.expectMessage(std::string(text::UPLOAD_COMPLETE));
    ASSERT_EQ(run(JOB_UPLOAD), 0);
    const std::size_t recordsEnd = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 16;
    EXPECT_EQ(image.byteAt(recordsEnd), 0x5E);
    EXPECT_EQ(image.byteAt(0x2314), 0x5E);
    EXPECT_EQ(test::TempFolder::readBytes(home.file("default_pmr.k70")), templateBytes);

    // Band 2 has no default image: what came from the radio stays.
    radio.setByte(HARDWARE_BLOCK_OFFSET,
                  static_cast<std::uint8_t>((radio.byteAt(HARDWARE_BLOCK_OFFSET) & 0xF0) | 2));
    sim.radio.memory() = radio;
    prompt.expectMessage(std::string(text::UPLOAD_COMPLETE));
    ASSERT_EQ(run(JOB_UPLOAD), 0);
    EXPECT_EQ(firstDifference(image, radio, recordsEnd, 0x580 - recordsEnd), "")
        << "the rest of the last page read is the radio's";
    EXPECT_EQ(image.byteAt(0x1000), 0x00) << "pages never read stay as the work buffer had them";
}

TEST_F(HKQ70CommunicationDialogTest, HandshakeFailuresNameTheirCause) {
    struct Case {
        const char* name;
        std::string port;
        bool neverOffer;
        bool lineBroken;
        std::string_view message;
    };
    const std::vector<Case> cases = {
        {"port busy or absent", "", false, false, text::PORT_OPEN_ERROR},
        {"radio never offers", "/dev/ttyUSB0", true, false, text::SWITCH_RADIO_ON},
        {"line error", "/dev/ttyUSB0", false, true, text::COMMUNICATION_ERROR},
    };
    for (const std::uint32_t job : {JOB_UPLOAD, JOB_DOWNLOAD}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " job " + std::to_string(job));
            InProcessRadio radio;
            SimulatorLink link(radio.radio, radio.clock, "/dev/ttyUSB0");
            if (c.neverOffer) {
                radio.radio.addFault({SimFaultKind::NeverOffer, 0, 0});
            }
            radio.radio.switchOn(radio.clock.now());
            link.setLineBroken(c.lineBroken);
            image = unlikeAnyRadio();
            const RadioImage before = image;
            prompt.expectMessage(std::string(c.message), MessageAnswer::Ok, MessageIcon::Stop);
            DialogJob dialog(link, radio.clock, job, prompt, context(0), progress);
            EXPECT_EQ(dialog.run(image, c.port.empty() ? "/dev/ttyS7" : c.port), 1);
            EXPECT_EQ(image, before);
            EXPECT_TRUE(radio.radio.transcript().empty()) << "no frame reached the radio";
        }
    }
}

TEST_F(HKQ70CommunicationDialogTest, ProductCheckRefusesOtherRadiosAndResetsThem) {
    struct Case {
        int accessMode;
        std::uint8_t productionSuffix;
        bool otherProduct;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {ACCESS_NORMAL, 0x00, false, true},      {ACCESS_NORMAL, 0x01, false, false},
        {ACCESS_MANUFACTURE, 0x01, false, true}, {ACCESS_E_MODE, 0x7F, false, true},
        {ACCESS_NORMAL, 0x00, true, false},      {ACCESS_MANUFACTURE, 0x00, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.accessMode << " suffix "
                                        << int(c.productionSuffix) << " other " << c.otherProduct);
        InProcessRadio radio;
        radio.radio.memory().setByte(PRODUCTION_CODE_OFFSET + 1, c.productionSuffix);
        if (c.otherProduct) {
            radio.radio.addFault({SimFaultKind::WrongProductCode, 0, 0});
        }
        radio.radio.enterCloneMode();
        image = unlikeAnyRadio();
        const RadioImage before = image;
        prompt.expectMessage(
            std::string(c.accepted ? text::UPLOAD_COMPLETE : text::HARDWARE_TYPE_MISMATCHED));
        EXPECT_EQ(runOn(radio, JOB_UPLOAD, image, c.accessMode), c.accepted ? 0 : 1);
        const auto& frames = radio.radio.transcript();
        ASSERT_FALSE(frames.empty());
        EXPECT_EQ(frames.back().request[0] == RESET_COMMAND_BYTE, !c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(image, before);
            EXPECT_EQ(frames.size(), 5u) << "probe, hardware page, two words, reset: no more";
        }
    }
}

TEST_F(HKQ70CommunicationDialogTest, ProgrammingPassword) {
    struct Case {
        const char* name;
        int accessMode;
        std::uint32_t job;
        std::vector<std::optional<std::string>> entries;
        std::string documentPassword; // empty: the document has none
        int result;
        int mismatches; // times the mismatch is shown
        bool reset;
    };
    const std::vector<Case> cases = {
        {"right, in lower case", 0, JOB_UPLOAD, {"12ab34"}, "", 0, 0, false},
        {"wrong, then right", 0, JOB_UPLOAD, {"000000", "12AB34"}, "", 0, 1, false},
        {"wrong three times", 0, JOB_UPLOAD, {"1", "12AB35", "12AB3"}, "", 1, 4, true},
        {"cancelled", 0, JOB_UPLOAD, {std::nullopt}, "", 1, 0, false},
        {"wrong, then cancelled", 2, JOB_UPLOAD, {"999999", std::nullopt}, "", 1, 1, false},
        {"manufacture mode asks nothing", 1, JOB_UPLOAD, {}, "", 0, 0, false},
        {"upload: document's ignored", 0, JOB_UPLOAD, {"12AB34"}, "12AB34", 0, 0, false},
        {"download: document's right", 0, JOB_DOWNLOAD, {}, "12AB34", 0, 0, true},
        {"download: document's wrong", 0, JOB_DOWNLOAD, {std::nullopt}, "12AB35", 1, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessRadio radio;
        test::setProgrammingPassword(radio.radio.memory(), "12AB34");
        radio.radio.enterCloneMode();
        ScriptedPrompt answers;
        const std::string mismatch(Strings::get(IDS_PASSWORD_MISMATCHED));
        for (const auto& entry : c.entries) {
            answers.expectPassword(entry);
            if (entry && *entry != "12AB34" && *entry != "12ab34") {
                answers.expectMessage(mismatch, MessageAnswer::Ok, MessageIcon::Exclamation);
            }
        }
        if (c.mismatches == 4) {
            answers.expectMessage(mismatch, MessageAnswer::Ok, MessageIcon::Exclamation);
        }
        if (c.result == 0) {
            answers.expectMessage(
                std::string(c.job == JOB_UPLOAD ? text::UPLOAD_COMPLETE : text::DOWNLOAD_COMPLETE));
        }
        // The document is the radio's own data, so a download passes its checks.
        RadioImage document = radio.radio.memory();
        if (!c.documentPassword.empty()) {
            test::setProgrammingPassword(document, c.documentPassword);
        }
        EXPECT_EQ(runOn(radio, c.job, document, c.accessMode, &answers), c.result);
        EXPECT_EQ(countFrames(radio.radio, isReset), c.reset ? 1u : 0u);
    }
}

// Which failures reset the radio and which name an address; the fault matrix has the messages
// and the state a failure at every frame leaves.
TEST_F(HKQ70CommunicationDialogTest, FailedExchangesEndTheJobWithTheirMessage) {
    struct Case {
        std::uint32_t job;
        SimFaultKind fault;
        unsigned frame;
        std::uint8_t command; // of the frame that fails
        std::string message;
        bool reset;
    };
    const std::string comm(text::COMMUNICATION_ERROR);
    // The matrix shows every kind of fault acts alike at every frame; here one kind a row.
    const std::vector<Case> cases = {
        // Upload: 1 hardware page, 2–3 product words, 4 password page, then the lists.
        {JOB_UPLOAD, SimFaultKind::Silence, 4, CMD_FLASH_READ, comm, true},
        {JOB_UPLOAD, SimFaultKind::BadChecksum, 100, CMD_EEPROM_READ, comm, false},
        // Download: 80–275 EEPROM writes, 297–492 the words read back, 493–513 the pages read back
        // (0x00–0x06, then 0x42–0x4F).
        {JOB_DOWNLOAD, SimFaultKind::WrongCommand, 150, CMD_EEPROM_WRITE, comm, false},
        {JOB_DOWNLOAD, SimFaultKind::Nak, 297, CMD_EEPROM_READ,
         "Verify failed\r\nAddress = EEPROM word 04h (no answer)", true},
        {JOB_DOWNLOAD, SimFaultKind::Silence, 500, CMD_FLASH_READ,
         "Verify failed\r\nAddress = Flash F100h (no answer)", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "job " << c.job << " fault " << describeSimFault({c.fault, c.frame, 0}));
        InProcessRadio radio;
        radio.radio.addFault({c.fault, c.frame, 0});
        radio.radio.switchOn(radio.clock.now());
        RadioImage document = c.job == JOB_UPLOAD ? unlikeAnyRadio() : radio.radio.memory();
        prompt.expectMessage(c.message, MessageAnswer::Ok, MessageIcon::Stop);
        EXPECT_EQ(runOn(radio, c.job, document), 1);
        const auto requests = requestsOf(radio.radio);
        ASSERT_GE(requests.size(), c.frame);
        EXPECT_EQ(requests[c.frame - 1][0], c.command) << "the fault hit the intended exchange";
        EXPECT_EQ(isReset(requests.back()), c.reset);
    }
}

// The read-back sits between the last page written and the markers; without it the frames
// are exactly those of a download that never verifies.
TEST_F(HKQ70CommunicationDialogTest, DownloadReadsBackEverythingItWroteBeforeTheMarkers) {
    struct Result {
        std::vector<std::vector<std::uint8_t>> requests;
        RadioImage radio;
        RadioImage document;
        test::RecordingProgress progress;
    };
    const auto download = [this](bool verify, int accessMode) {
        InProcessRadio radio;
        radio.radio.switchOn(radio.clock.now());
        Result result;
        result.document = radio.radio.memory();
        result.document.setByte(CHANNEL_TABLE_OFFSET + 40, 0x77);
        CommJobContext jobContext = context(accessMode);
        jobContext.verifyDownload = verify;
        prompt.expectMessage(std::string(text::DOWNLOAD_COMPLETE));
        DialogJob dialog(radio.link, radio.clock, JOB_DOWNLOAD, prompt, jobContext,
                         result.progress);
        EXPECT_EQ(dialog.run(result.document), 0);
        result.requests = requestsOf(radio.radio);
        result.radio = radio.radio.memory();
        return result;
    };
    for (const int accessMode : {ACCESS_NORMAL, ACCESS_MANUFACTURE}) {
        SCOPED_TRACE(accessMode);
        const Result verified = download(true, accessMode);
        const Result plain = download(false, accessMode);

        // Everything written before the two markers and the reset, and the reads between.
        const auto& frames = verified.requests;
        ASSERT_GE(frames.size(), 4u);
        const auto lastWrite = std::find_if(frames.rbegin() + 3, frames.rend(), isWrite).base();
        std::vector<std::pair<std::uint8_t, std::uint8_t>> written;
        for (auto it = std::find_if(frames.begin(), lastWrite, isWrite); it != lastWrite; ++it) {
            ASSERT_TRUE(isWrite(*it)) << "the writes come in one run";
            written.emplace_back((*it)[0] == CMD_EEPROM_WRITE ? 0 : 1, (*it)[2]);
        }
        std::sort(written.begin(), written.end());
        written.erase(std::unique(written.begin(), written.end()), written.end());
        std::vector<std::pair<std::uint8_t, std::uint8_t>> readBack;
        for (auto it = lastWrite; it != frames.end() - 3; ++it) {
            ASSERT_TRUE((*it)[0] == CMD_EEPROM_READ || (*it)[0] == CMD_FLASH_READ);
            readBack.emplace_back((*it)[0] == CMD_EEPROM_READ ? 0 : 1, (*it)[2]);
        }
        EXPECT_EQ(readBack, written) << "every unit written, once, in address order";
        EXPECT_EQ(frames[frames.size() - 3],
                  (std::vector<std::uint8_t>{0xF1, 0x04, 0xB8, 0x5A, 0xA5, 0xAC}));
        EXPECT_EQ(frames[frames.size() - 2][2], 0x7F);
        EXPECT_EQ(frames.back()[0], RESET_COMMAND_BYTE);

        std::vector<std::vector<std::uint8_t>> withoutReadBack(frames.begin(), lastWrite);
        withoutReadBack.insert(withoutReadBack.end(), frames.end() - 3, frames.end());
        EXPECT_EQ(plain.requests, withoutReadBack);
        EXPECT_EQ(plain.radio, verified.radio);
        EXPECT_EQ(plain.document, verified.document);

        // The bar runs once more, over the pages read back.
        const auto pagesRead = std::count_if(readBack.begin(), readBack.end(),
                                             [](const auto& unit) { return unit.first == 1; });
        EXPECT_EQ(verified.progress.ranges.size(), plain.progress.ranges.size() + 1);
        EXPECT_EQ(verified.progress.ranges.back(), pagesRead);
        EXPECT_GE(verified.progress.positions.back(), pagesRead);
    }
}

// A radio that acknowledges a write but keeps something else is caught by the read-back:
// its markers are never validated, it is reset, and the first differing address is named.
TEST_F(HKQ70CommunicationDialogTest, AVerifyFailureLeavesTheRadioMarkedIncomplete) {
    struct Case {
        const char* name;
        std::vector<SimFault> faults;
        std::string message;
    };
    // Frames 80–275 write words 0x04–0x80, 0xB8 and 0xBA–0xFF; 276–296 write pages 0x00–0x06
    // and 0x42–0x4F.
    const std::vector<Case> cases = {
        {"a byte in flash page 3",
         {{SimFaultKind::CorruptStore, 279, 77}},
         "Verify failed\r\nAddress = Flash D1CDh"},
        {"the last byte of the last page",
         {{SimFaultKind::CorruptStore, 296, 127}},
         "Verify failed\r\nAddress = Flash F7FFh"},
        {"an EEPROM word",
         {{SimFaultKind::CorruptStore, 92, 1}},
         "Verify failed\r\nAddress = EEPROM word 10h"},
        {"a word and a page: the word comes first",
         {{SimFaultKind::CorruptStore, 278, 0}, {SimFaultKind::CorruptStore, 108, 0}},
         "Verify failed\r\nAddress = EEPROM word 20h"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessRadio radio;
        for (const SimFault& fault : c.faults) {
            radio.radio.addFault(fault);
        }
        radio.radio.switchOn(radio.clock.now());
        RadioImage document = radio.radio.memory();
        prompt.expectMessage(c.message, MessageAnswer::Ok, MessageIcon::Stop);
        EXPECT_EQ(runOn(radio, JOB_DOWNLOAD, document), 1);

        EXPECT_EQ(radio.radio.memory().be16(eepromWordOffset(MARKER_WORD)), MARKER_IN_PROGRESS)
            << "the radio stays marked incomplete";
        EXPECT_EQ(document.be16(eepromWordOffset(MARKER_WORD)), MARKER_IN_PROGRESS);
        const auto requests = requestsOf(radio.radio);
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(requests.back()[0], RESET_COMMAND_BYTE);
        const auto lastWrite = std::find_if(requests.rbegin(), requests.rend(), isWrite);
        EXPECT_EQ((*lastWrite)[0], CMD_FLASH_WRITE) << "no marker is written after the read-back";
    }
}

// A document the radio cannot take stops the download before anything is written; a
// warning lets it go on.
TEST_F(HKQ70CommunicationDialogTest, ChecksOfDocumentAndRadioBeforeAnyWrite) {
    using Spoil = std::function<void(RadioImage & document, RadioImage & radio)>;
    // Channel steps of document and radio; `fineRow`: a channel of the document uses step row 2.
    const auto steps = [](int documentStep, int radioStep, bool fineRow) -> Spoil {
        return [=](RadioImage& document, RadioImage& radio) {
            test::setHardwareValue(radio, HW_CHANNEL_STEP, radioStep);
            document = radio;
            test::setHardwareValue(document, HW_CHANNEL_STEP, documentStep);
            const std::size_t record = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 15;
            if (fineRow) {
                document.setByte(record, static_cast<std::uint8_t>(
                                             (document.byteAt(record) & ~0x18) | (2 << 3)));
            }
        };
    };
    const Spoil bandFour = [](RadioImage& document, RadioImage&) {
        test::setHardwareValue(document, HW_FREQUENCY_BAND, 4);
    };
    const Spoil badAdjustment = [](RadioImage&, RadioImage& radio) {
        const std::size_t at = WORKING_ADJUSTMENT_OFFSET + 20;
        radio.setByte(at, radio.byteAt(at) ^ 0x01);
    };
    const std::string stepMismatch(Strings::get(IDS_CHANNEL_STEP_MISMATCHED));
    struct Case {
        const char* name;
        Spoil spoil;
        std::vector<std::pair<std::string, MessageIcon>> messages;
        bool written;
    };
    const Case cases[] = {
        {"steps 0/0, fine row", steps(0, 0, true), {}, true},
        {"steps 3/0", steps(3, 0, false), {{stepMismatch, MessageIcon::Exclamation}}, true},
        {"steps 0/3", steps(0, 3, false), {}, true},
        {"steps 0/3, fine row", steps(0, 3, true), {{stepMismatch, MessageIcon::Stop}}, false},
        {"steps 1/3, fine row", steps(1, 3, true), {}, true},
        {"steps 2/1, fine row", steps(2, 1, true), {}, true},
        {"another band",
         bandFour,
         {{std::string(Strings::get(IDS_FREQUENCY_BAND_MISMATCHED)), MessageIcon::Stop}},
         false},
        {"radio's adjustment data damaged",
         badAdjustment,
         {{std::string(Strings::get(IDS_ADJ_DATA_CHECKSUM_ERROR)), MessageIcon::Exclamation},
          {std::string(text::ADJ_CHECKSUM_ERROR), MessageIcon::Stop}},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InProcessRadio radio;
        RadioImage document = radio.radio.memory();
        c.spoil(document, radio.radio.memory());
        const RadioImage documentBefore = document;
        radio.radio.enterCloneMode();
        for (const auto& [message, icon] : c.messages) {
            prompt.expectMessage(message, MessageAnswer::Ok, icon);
        }
        if (c.written) {
            prompt.expectMessage(std::string(text::DOWNLOAD_COMPLETE));
        }
        EXPECT_EQ(runOn(radio, JOB_DOWNLOAD, document), c.written ? 0 : 1);
        EXPECT_EQ(countFrames(radio.radio, isWrite) > 0, c.written);
        if (!c.written) {
            EXPECT_EQ(document, documentBefore);
            EXPECT_EQ(countFrames(radio.radio, isReset), 1u);
        }
    }
}
// A document written into the radio and read back: the radio holds the document in every
// range written and keeps its own data where the merge says so. The modes other than normal
// share one set of lists.
TEST_F(HKQ70CommunicationDialogTest, DownloadThenUploadGivesBackTheDocument) {
    for (const int accessMode : {ACCESS_NORMAL, ACCESS_MANUFACTURE}) {
        SCOPED_TRACE(accessMode);
        InProcessRadio radio;
        const RadioImage radioOwn = radio.radio.memory();
        // The document is another radio's data: other channels, tags and settings.
        RadioImage document = radioOwn;
        for (std::size_t offset = 0x0008; offset < 0x0100; ++offset) {
            document.setByte(offset, static_cast<std::uint8_t>(offset * 3));
        }
        for (std::size_t offset = 0x0200; offset < 0x26E8; ++offset) {
            document.setByte(offset, static_cast<std::uint8_t>(offset * 7 + 1));
        }
        test::setHardwareValue(document, HW_RADIO_CHANNEL, 2);
        // Its adjustment data and lot differ too: the radio keeps its own.
        document.setByte(0x0110, static_cast<std::uint8_t>(radioOwn.byteAt(0x0110) + 1));
        document.setByte(0x29EF, 0x99);
        document.setByte(0x2743, static_cast<std::uint8_t>(radioOwn.byteAt(0x2743) ^ 0x11));

        radio.radio.switchOn(radio.clock.now());
        prompt.expectMessage(std::string(text::DOWNLOAD_COMPLETE));
        ASSERT_EQ(runOn(radio, JOB_DOWNLOAD, document, accessMode), 0);

        const RadioImage& inRadio = radio.radio.memory();
        EXPECT_EQ(document.be16(MARKER_OFFSET), MARKER_DONE);
        EXPECT_EQ(document.be16(0x00FE), 0xA55A);
        EXPECT_EQ(firstDifference(document, radioOwn, 0x0102, 0x016C - 0x0102), "");
        EXPECT_EQ(document.byteAt(0x29EF), radioOwn.byteAt(0x29EF));
        EXPECT_EQ(document.byteAt(0x2743) == radioOwn.byteAt(0x2743), accessMode == ACCESS_NORMAL)
            << "only normal mode takes the radio's whole hardware block";

        std::vector<BlockRange> words = {{0x04, 0x80}, {0xB8, 0xB8}, {0xBA, 0xFF}};
        if (accessMode != ACCESS_NORMAL) {
            words = {{0x01, 0x01}, {0x03, 0x03}, {0x04, 0x80}, {0xB6, 0xB8}, {0xBA, 0xFF}};
        }
        // Image offsets of what was written: those words and flash pages 0x00–0x06, 0x42–0x4F.
        std::vector<std::pair<std::size_t, std::size_t>> written = {
            {flashPageOffset(0x00), flashPageOffset(0x07)},
            {flashPageOffset(0x42), flashPageOffset(0x50)}};
        for (const BlockRange& range : words) {
            written.emplace_back(eepromWordOffset(range.first), eepromWordOffset(range.last + 1));
        }
        for (const auto& [first, end] : written) {
            EXPECT_EQ(firstDifference(inRadio, document, first, end - first), "") << first;
        }

        // Read back, the document comes out again wherever the upload reads what was written.
        radio.radio.enterCloneMode();
        RadioImage uploaded;
        prompt.expectMessage(std::string(text::UPLOAD_COMPLETE));
        ASSERT_EQ(runOn(radio, JOB_UPLOAD, uploaded, accessMode), 0);
        EXPECT_EQ(firstDifference(uploaded, document, eepromWordOffset(0x04),
                                  eepromWordOffset(0xBA) - eepromWordOffset(0x04)),
                  "");
        EXPECT_EQ(firstDifference(uploaded, document, FLASH_OFFSET, 0x515 - FLASH_OFFSET), "");
        const std::size_t tableEnd = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * 256;
        EXPECT_EQ(firstDifference(uploaded, document, tableEnd, TRANSFER_SIZE - tableEnd), "");
    }
}

// The recovery jobs, each in a dialog of its own as the Adjustment Recover command runs them.
class RecoveryJobsTest : public HKQ70CommunicationDialogTest {
protected:
    int runRecoveryJob(std::uint32_t job, RadioImage& buffer, RangeList eepromWrite = {},
                       RangeList flashWrite = {}) {
        HKQ70CommunicationDialog dialog(TRANSFER_UPLOAD, port, progress, prompt, sim.clock,
                                        context(ACCESS_MANUFACTURE));
        auto request = std::make_unique<HCommRequest>(job);
        request->m_workBuffer = &buffer;
        if (job == JOB_RECOVERY_READ) {
            AdjustmentRecoverCommand::SetReadRangeLists(*request);
        } else {
            request->m_image = &buffer;
        }
        request->m_eepromWrite = std::move(eepromWrite);
        request->m_flashWrite = std::move(flashWrite);
        return dialog.RunJob(std::move(request));
    }

    // Job 8 on the simulated radio as it is now; the radio is left in clone mode.
    std::unique_ptr<RadioImage> readRadio() {
        sim.radio.switchOn(sim.clock.now());
        auto buffer = std::make_unique<RadioImage>();
        EXPECT_EQ(runRecoveryJob(JOB_RECOVERY_READ, *buffer), 0);
        return buffer;
    }
};

// The repair compares the whole channel table, so the read must take every record the
// radio's capacity holds, whatever that capacity is.
TEST_F(RecoveryJobsTest, TheReadTakesTheWholeChannelTableOfEveryCapacity) {
    for (const int radioChannel : {0, 3, 6}) {
        SCOPED_TRACE(radioChannel);
        const RadioImage radio = test::radioWithChannels(radioChannel);
        sim.radio.memory() = radio;
        const auto buffer = readRadio();

        const int capacity = channelCapacityForRadioChannel(radioChannel);
        const std::size_t tableEnd = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * capacity;
        EXPECT_EQ(firstDifference(*buffer, radio, 0, eepromWordOffset(0xFF)), "");
        EXPECT_EQ(buffer->be16(eepromWordOffset(0xFF)), 0) << "the last word is not read";
        EXPECT_EQ(firstDifference(*buffer, radio, FLASH_OFFSET, tableEnd - FLASH_OFFSET), "");
        EXPECT_EQ(firstDifference(*buffer, radio, flashPageOffset(0x49),
                                  flashPageOffset(0x50) - flashPageOffset(0x49)),
                  "");
        EXPECT_EQ(countFrames(sim.radio, isWrite), 0u);
    }
}

TEST_F(RecoveryJobsTest, TheWriteFindsTheRadioStillInCloneModeAndMarksItComplete) {
    auto buffer = readRadio();
    // Word 0 differs from the radio's: the probe that finds the radio must not read over it.
    buffer->setBe16(0x0000, 0x1234);
    buffer->setByte(flashPageOffset(0x4F) + 3, 0xA7);
    prompt.expectMessage(std::string(text::ADJ_RECOVERY_COMPLETE));

    ASSERT_EQ(runRecoveryJob(JOB_RECOVERY_WRITE, *buffer, {{0x00, 0x00}}, {{73, 79}}), 0);
    const RadioImage& radio = sim.radio.memory();
    EXPECT_EQ(radio.be16(0x0000), 0x1234);
    EXPECT_EQ(radio.byteAt(flashPageOffset(0x4F) + 3), 0xA7);
    EXPECT_EQ(radio.be16(eepromWordOffset(MARKER_WORD)), MARKER_DONE);
    EXPECT_EQ(radio.be16(eepromWordOffset(0x7F)), 0xA55A);
    EXPECT_EQ(sim.radio.state(), SimState::Off) << "the write ends with the reset";
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(RecoveryJobsTest, AFailedOrLostWriteNeverLooksComplete) {
    // Frames of the write after the probe: marker 0xB8, word 0xFF, pages 73–79, then the
    // read back of word 0xFF and pages 73–79, then the two markers.
    struct Case {
        const char* name;
        SimFaultKind fault;
        unsigned frameAfterRead;
        std::string_view message;
    };
    const Case cases[] = {
        {"page refused", SimFaultKind::Nak, 5, text::ADJ_RECOVER_FAILED},
        {"page not kept", SimFaultKind::LostWrite, 5, text::ADJ_DATA_MISMATCHED_RECOVER},
        {"read back silent", SimFaultKind::Silence, 13, text::ADJ_RECOVER_FAILED},
        {"final marker refused", SimFaultKind::Silence, 19, text::ADJ_RECOVER_FAILED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.radio.memory() = makeSimulatorSeedImage();
        auto buffer = readRadio();
        buffer->setByte(flashPageOffset(74) + 9, 0x3C);
        sim.radio.addFault({c.fault, sim.radio.framesTaken() + c.frameAfterRead, 0});
        prompt.expectMessage(std::string(c.message), MessageAnswer::Ok, MessageIcon::Stop);

        EXPECT_EQ(runRecoveryJob(JOB_RECOVERY_WRITE, *buffer, {}, {{73, 79}}), 1);
        EXPECT_EQ(sim.radio.memory().be16(eepromWordOffset(MARKER_WORD)), MARKER_IN_PROGRESS);
        EXPECT_EQ(sim.radio.state(), SimState::CloneMode) << "left for another try";
    }
}

TEST_F(RecoveryJobsTest, TheWriteGoesOnlyToTheRadioStillWaitingFromTheRead) {
    auto buffer = readRadio();
    // Switched off and on: whichever radio now offers a connection is not written.
    sim.radio.switchOff();
    sim.radio.switchOn(sim.clock.now());
    const RadioImage before = sim.radio.memory();
    prompt.expectMessage(std::string(text::ADJ_RECOVER_FAILED));

    EXPECT_EQ(runRecoveryJob(JOB_RECOVERY_WRITE, *buffer, {{0, 255}}, {{0, 79}}), 1);
    EXPECT_EQ(sim.radio.memory(), before);
    EXPECT_EQ(countFrames(sim.radio, isWrite), 0u);
}

} // namespace
} // namespace kq70
