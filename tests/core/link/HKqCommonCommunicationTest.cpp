#include "link/HKqCommonCommunication.h"

#include "DialogJobs.h"
#include "support/RecordingProgress.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kq70 {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// Memory with a different value in every byte, so a unit in the wrong place shows.
RadioImage patternedMemory() {
    RadioImage memory = makeSimulatorSeedImage();
    for (std::size_t offset = 0; offset < TRANSFER_SIZE; ++offset) {
        if (offset < HARDWARE_BLOCK_OFFSET || offset > HARDWARE_BLOCK_OFFSET + 1) {
            memory.setByte(offset, static_cast<std::uint8_t>(offset * 7 + offset / 256));
        }
    }
    return memory;
}

class HKqCommonCommunicationTest : public ::testing::Test, protected test::RadioOnPort {
protected:
    HKqCommonCommunicationTest() : RadioOnPort(patternedMemory()) {
        request.m_workBuffer = workBuffer.get();
        request.m_image = image.get();
    }

    void openPort() { ASSERT_TRUE(comm.OpenPortForJob(request)); }

    void openInCloneMode() {
        sim.radio.enterCloneMode();
        openPort();
    }

    const SimFrame& lastFrame() const { return sim.radio.transcript().back(); }

    test::RecordingProgress progress;
    HKqCommonCommunication comm{port, progress, sim.clock};
    std::unique_ptr<RadioImage> workBuffer = std::make_unique<RadioImage>();
    std::unique_ptr<RadioImage> image = std::make_unique<RadioImage>();
    HCommRequest request{0};
};

TEST_F(HKqCommonCommunicationTest, OpenPortForJobTakesTheRequestsLineSettings) {
    request.m_portNumber = 3;
    request.SetBaudRate(19200);
    openPort();
    EXPECT_EQ(sim.link.openedName(), "/dev/ttyS2");
    EXPECT_EQ(sim.link.settings().BaudRate, 19200u);
    EXPECT_EQ(sim.link.settings().StopBits, TWOSTOPBITS);
    EXPECT_EQ(port.GetEchoSuppression(), 0u);
    EXPECT_EQ(port.GetIdentity()[2], 0x8C);
}

TEST_F(HKqCommonCommunicationTest, ReadBlockPutsEveryUnitInItsPlace) {
    openInCloneMode();
    struct Case {
        int area;
        std::uint8_t address;
        std::size_t offset;
        std::size_t size;
        Bytes frame;
    };
    const std::vector<Case> cases = {
        {AREA_EEPROM, 0x00, 0x000, 2, {0xF0, 0x02, 0x00, 0xF2}},
        {AREA_EEPROM, 0xFF, 0x1FE, 2, {0xF0, 0x02, 0xFF, 0xF1}},
        {AREA_FLASH, 0x00, 0x200, 128, {0xF2, 0x02, 0x00, 0xF4}},
        {AREA_FLASH, 0x49, 0x2680, 128, {0xF2, 0x02, 0x49, 0x3D}},
        {AREA_FLASH, 0x4F, 0x2980, 128, {0xF2, 0x02, 0x4F, 0x43}},
    };
    RadioImage expected;
    for (const Case& c : cases) {
        ASSERT_TRUE(comm.ReadBlock(c.area, c.address, 0, *workBuffer, request)) << c.offset;
        EXPECT_EQ(lastFrame().request, c.frame);
        const auto want = sim.radio.memory().range(c.offset, c.size);
        std::copy(want.begin(), want.end(), expected.range(c.offset, c.size).begin());
    }
    EXPECT_EQ(*workBuffer, expected) << "every unit in its place, nothing outside touched";
}

TEST_F(HKqCommonCommunicationTest, WriteBlockStoresInTheRadio) {
    openInCloneMode();
    *image = test::unlikeAnyRadio();
    ASSERT_TRUE(comm.WriteBlock(AREA_EEPROM, 0x7F, 0, *image, &request));
    EXPECT_EQ(lastFrame().request, (Bytes{0xF1, 0x04, 0x7F, 0xCA, 0xC7, 0x05}));
    EXPECT_EQ(sim.radio.memory().be16(0xFE), image->be16(0xFE));

    ASSERT_TRUE(comm.WriteBlock(AREA_FLASH, 0x42, 0, *image, nullptr));
    EXPECT_EQ(test::firstDifference(sim.radio.memory(), *image, flashPageOffset(0x42), 128), "");
}

// A read fails on any answer but the right one and leaves the buffer as it was; a write
// fails on anything but the radio's acknowledgement.
TEST_F(HKqCommonCommunicationTest, ExchangesFailOnAnyButTheRightAnswer) {
    struct Case {
        SimFaultKind fault;
        int area;
        bool write;
        std::uint32_t code; // a read leaves it in the request; 99 means unchanged
    };
    // Each kind once per direction, the areas taking turns; the fault matrix has every kind at
    // every frame of whole transfers.
    const std::vector<Case> cases = {
        {SimFaultKind::BadChecksum, AREA_EEPROM, false, 99},
        {SimFaultKind::WrongCommand, AREA_FLASH, false, 99},
        {SimFaultKind::Silence, AREA_EEPROM, false, 2},
        {SimFaultKind::Nak, AREA_FLASH, false, 2},
        {SimFaultKind::Nak, AREA_EEPROM, true, 0},
        {SimFaultKind::WrongCommand, AREA_FLASH, true, 0},
        {SimFaultKind::BadChecksum, AREA_FLASH, true, 0},
        {SimFaultKind::Silence, AREA_EEPROM, true, 0},
    };
    openInCloneMode();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.fault) << " area " << c.area
                                        << (c.write ? " write" : " read"));
        sim.radio.addFault({c.fault, sim.radio.framesTaken() + 1, 0});
        if (c.write) {
            EXPECT_FALSE(comm.WriteBlock(c.area, 0x10, 0, *image, &request));
            continue;
        }
        workBuffer->bytes()[0x2680] = 0x5C;
        const RadioImage before = *workBuffer;
        request.m_errorCode = 99;
        EXPECT_FALSE(comm.ReadBlock(c.area, 0x49, 0, *workBuffer, request));
        EXPECT_EQ(*workBuffer, before);
        EXPECT_EQ(request.m_errorCode, c.code);
        ASSERT_EQ(lastFrame().fault, c.fault);
    }
    EXPECT_TRUE(comm.WriteBlock(AREA_FLASH, 0x10, 0, *image, nullptr));
}

TEST_F(HKqCommonCommunicationTest, PagesBeyondTheFlashAreRefusedUnsent) {
    openInCloneMode();
    const RadioImage before = *workBuffer;
    EXPECT_FALSE(comm.ReadBlock(AREA_FLASH, 0x50, 0, *workBuffer, request));
    EXPECT_FALSE(comm.ReadBlock(AREA_FLASH, 0xFF, 0, *workBuffer, request));
    EXPECT_FALSE(comm.WriteBlock(AREA_FLASH, 0x50, 0, *image, &request));
    EXPECT_EQ(sim.radio.bytesReceived(), 0u);
    EXPECT_EQ(*workBuffer, before);
}

TEST_F(HKqCommonCommunicationTest, FailedSendsAreRetriedAndLeaveTheirCode) {
    openInCloneMode();
    port.SetPortKind(PORT_KIND_OTHER); // every send is refused
    EXPECT_FALSE(comm.ReadBlock(AREA_EEPROM, 1, 2, *workBuffer, request));
    EXPECT_EQ(request.m_errorCode, static_cast<std::uint32_t>(PORT_COMM_ERROR));
    EXPECT_FALSE(comm.WriteBlock(AREA_EEPROM, 1, 2, *image, nullptr));
}

TEST_F(HKqCommonCommunicationTest, HandshakeAnswersTheCheckByteThroughLineNoise) {
    struct Case {
        unsigned garbage;
        bool succeeds;
    };
    for (const Case c : {Case{3, true}, Case{9, true}, Case{10, false}}) {
        InProcessRadio noisy;
        HSerialPort noisyPort(noisy.link, lastKind);
        HKqCommonCommunication noisyComm(noisyPort, progress, noisy.clock);
        noisy.radio.addFault({SimFaultKind::GarbageBeforeCheck, 0, c.garbage});
        noisy.radio.switchOn(noisy.clock.now());
        ASSERT_TRUE(noisyComm.OpenPortForJob(request));
        request.m_errorCode = 99;
        EXPECT_EQ(noisyComm.SetCloneMode(request, false), c.succeeds) << c.garbage;
        EXPECT_EQ(noisy.radio.state() == SimState::CloneMode, c.succeeds);
        if (c.succeeds) {
            EXPECT_EQ(noisy.radio.transcript().back().request, Bytes{POWER_ON_COMMAND});
        } else {
            EXPECT_EQ(request.m_errorCode, 0u);
        }
    }
}

TEST_F(HKqCommonCommunicationTest, HandshakeGivesUpAfterTenSilentReads) {
    sim.radio.addFault({SimFaultKind::NeverOffer, 0, 0});
    sim.radio.switchOn(sim.clock.now());
    openPort();
    request.m_errorCode = 2;
    const auto before = sim.clock.now();
    EXPECT_FALSE(comm.SetCloneMode(request, false));
    EXPECT_EQ(request.m_errorCode, 0u) << "the caller words this as \"Switch radio On!\"";
    EXPECT_EQ(sim.clock.now() - before, 10 * 1005ms);
    EXPECT_EQ(sim.radio.bytesReceived(), 0u);
    EXPECT_EQ(progress.statuses,
              std::vector<std::string>{std::string(text::SWITCH_RADIO_ON_TO_START)});
}

TEST_F(HKqCommonCommunicationTest, ProbeFindsARadioStillInCloneMode) {
    openInCloneMode();
    ASSERT_TRUE(comm.SetCloneMode(request, true));
    ASSERT_EQ(sim.radio.transcript().size(), 1u) << "no handshake was needed";
    EXPECT_EQ(lastFrame().request, (Bytes{0xF0, 0x02, 0x00, 0xF2}));
    EXPECT_EQ(workBuffer->be16(0), sim.radio.memory().be16(0));
}

TEST_F(HKqCommonCommunicationTest, ProbeOfAnOfferingRadioFallsBackToTheHandshake) {
    request.m_workBuffer = nullptr; // the probe still needs somewhere to read into
    sim.radio.switchOn(sim.clock.now());
    openPort();
    ASSERT_TRUE(comm.SetCloneMode(request, true));
    EXPECT_EQ(sim.radio.state(), SimState::CloneMode);
}

TEST_F(HKqCommonCommunicationTest, AdjustmentModeHandshakeAndReset) {
    sim.radio.switchOn(sim.clock.now());
    openPort();
    ASSERT_TRUE(comm.SetAdjMode(request));
    EXPECT_EQ(sim.radio.state(), SimState::AdjustmentMode);
    EXPECT_EQ(sim.clock.totalSlept(), 50ms);

    EXPECT_EQ(comm.SendReset(request), 0);
    EXPECT_EQ(sim.radio.state(), SimState::Off);
    EXPECT_EQ(lastFrame().request, (Bytes{0x38, 0x01, 0x39}));
}

TEST_F(HKqCommonCommunicationTest, FlashLastResolvesByCapacity) {
    struct Case {
        int radioChannelValue;
        int capacity;
        std::uint8_t last;      // of reads and writes alike
        std::uint8_t alignment; // of the alignment jobs 2–4
    };
    // The smallest, the largest ending inside the alignment's pages, the first past them,
    // and the largest.
    const Case cases[] = {{0, 1, 2, 13}, {4, 32, 10, 13}, {5, 48, 14, 14}, {6, 256, 66, 66}};
    for (const Case& c : cases) {
        RadioImage radio;
        radio.setByte(HARDWARE_BLOCK_OFFSET + 1,
                      static_cast<std::uint8_t>(c.radioChannelValue << 4));
        ASSERT_EQ(channelCapacityForRadioChannel(radioChannelValueOf(radio)), c.capacity);
        for (std::uint32_t job : {0u, 1u, 2u, 3u, 4u, 8u}) {
            const std::uint8_t last = job >= 2 && job <= 4 ? c.alignment : c.last;
            RangeList reads{{0x00, 0x01}, {0x02, 0xFF}, {0x42, 0x4F}};
            RangeList writes = reads;
            HKqCommonCommunication::ResolveFlashRanges(reads, radio, false, job);
            HKqCommonCommunication::ResolveFlashRanges(writes, radio, true, job);
            EXPECT_EQ(reads[1], (BlockRange{0x02, last})) << c.capacity << " job " << job;
            EXPECT_EQ(writes[1], (BlockRange{0x02, last})) << c.capacity << " job " << job;
            EXPECT_EQ(reads[2], (BlockRange{0x42, 0x4F})) << "explicit ranges stay";
        }
    }
    // From a later first page a write stops at 0x42 and nothing goes past the last page.
    EXPECT_EQ(HKqCommonCommunication::ResolvedFlashLast(0x10, 256, true, 1), 0x42);
    EXPECT_EQ(HKqCommonCommunication::ResolvedFlashLast(0x10, 256, false, 0), 0x4F);
}

TEST_F(HKqCommonCommunicationTest, UploadListsMoveTheRadioAndDriveTheProgress) {
    openInCloneMode();
    ASSERT_TRUE(comm.ReadBlock(AREA_FLASH, 0x49, 0, *workBuffer, request));
    request.m_eepromRead = {{0x00, 0xB9}};
    request.m_flashRead = {{0x00, 0x01}, {0x02, 0xFF}, {0x42, 0x4F}};
    ASSERT_TRUE(comm.PrepareReadPhase(request));
    EXPECT_EQ(request.m_flashRead, (RangeList{{0x00, 0x01}, {0x02, 0x06}, {0x42, 0x4F}}));
    EXPECT_EQ(progress.ranges, std::vector<int>{21});

    ASSERT_TRUE(comm.ReadList(AREA_EEPROM, request.m_eepromRead, *workBuffer, request));
    ASSERT_TRUE(comm.ReadList(AREA_FLASH, request.m_flashRead, *workBuffer, request));
    EXPECT_EQ(progress.positions.size(), 1u + 2u + 21u) << "start, every 64 words, every page";
    EXPECT_EQ(progress.positions.back(), 23);
    for (const auto& [offset, size] :
         {std::pair{0x000, 0x174}, std::pair{0x200, 0x380}, std::pair{0x2300, 0x700}}) {
        EXPECT_EQ(test::firstDifference(*workBuffer, sim.radio.memory(), offset, size), "");
    }
    EXPECT_EQ(workBuffer->byteAt(0x174), 0) << "word 0xBA was not in the list";
    EXPECT_EQ(workBuffer->byteAt(0x580), 0) << "page 7 was not in the list";
}

TEST_F(HKqCommonCommunicationTest, WriteListStopsAtTheFirstFailure) {
    openInCloneMode();
    image->setByte(HARDWARE_BLOCK_OFFSET + 1, 0x60); // 256 channels
    image->setByte(0x300, 0xAB);
    request.m_flashWrite = {{0x02, 0xFF}};
    ASSERT_TRUE(comm.PrepareWritePhase(request));
    EXPECT_EQ(request.m_flashWrite, (RangeList{{0x02, 0x42}}));
    EXPECT_EQ(progress.ranges, std::vector<int>{65});

    sim.radio.addFault({SimFaultKind::Nak, 3, 0});
    EXPECT_FALSE(comm.WriteList(AREA_FLASH, request.m_flashWrite, *image, request));
    EXPECT_EQ(sim.radio.framesTaken(), 3u);
    EXPECT_EQ(sim.radio.memory().byteAt(0x300), 0xAB);
}

} // namespace
} // namespace kq70
