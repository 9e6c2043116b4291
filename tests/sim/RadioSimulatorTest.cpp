#include "RadioSimulator.h"

#include "InProcessRadio.h"
#include "RealTimeLink.h"
#include "SimAdjustmentModel.h"
#include "SimFault.h"
#include "SimulatedRadios.h"
#include "SimulatorSeed.h"
#include "link/CloneFrame.h"
#include "link/HComAlignment.h"

#include <gtest/gtest.h>

#include <vector>

namespace kq70 {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Duration = RadioSimulator::Duration;

Bytes values(const std::vector<TimedByte>& bytes) {
    Bytes out;
    for (const TimedByte& b : bytes) {
        out.push_back(b.value);
    }
    return out;
}

Bytes withChecksum(Bytes frame) {
    frame.push_back(frameChecksum(frame));
    return frame;
}

class RadioSimulatorTest : public ::testing::Test {
protected:
    // Sends `bytes` at `now` and returns what the radio says by then, echo included.
    Bytes exchange(const Bytes& bytes, Duration now = Duration{0}) {
        radio.receive(bytes, now);
        return values(radio.takeOutput(now + 1s));
    }

    RadioSimulator radio{makeSimulatorSeedImage()};
};

TEST_F(RadioSimulatorTest, SwitchedOffItOnlyEchoes) {
    EXPECT_EQ(exchange({0x40, 0xF0, 0x02}), (Bytes{0x40, 0xF0, 0x02}));
    EXPECT_EQ(radio.state(), SimState::Off);
    EXPECT_FALSE(radio.nextEventTime());
    radio.setEcho(false);
    EXPECT_EQ(exchange({0x40}), Bytes{});
}

TEST_F(RadioSimulatorTest, OffersEveryHundredMillisecondsUntilAnswered) {
    radio.switchOn(Duration{0});
    EXPECT_EQ(radio.nextEventTime(), Duration(100ms));
    const auto offers = radio.takeOutput(350ms);
    ASSERT_EQ(offers.size(), 3u);
    EXPECT_EQ(offers[2].time, Duration(300ms));
    EXPECT_EQ(values(offers), Bytes(3, CHECK_COMMAND));

    radio.receive(Bytes{0x12, POWER_ON_COMMAND}, 350ms);
    EXPECT_EQ(radio.state(), SimState::CloneMode);
    EXPECT_EQ(values(radio.takeOutput(10s)), (Bytes{0x12, POWER_ON_COMMAND})) << "offers stop";
}

TEST_F(RadioSimulatorTest, AnswersTheFourFramesFromItsMemory) {
    radio.enterCloneMode();
    const Bytes readWord = withChecksum({CMD_EEPROM_READ, 0x02, 0x02});
    EXPECT_EQ(exchange(readWord), (Bytes{0xF0, 0x02, 0x02, 0xF4, 0xF0, 0x03, 0xC0, 0x83, 0x36}));

    const Bytes writeWord = withChecksum({CMD_EEPROM_WRITE, 0x04, 0x10, 0x12, 0x34});
    const Bytes written = exchange(writeWord);
    EXPECT_EQ(Bytes(written.begin() + 6, written.end()),
              withChecksum({CMD_EEPROM_WRITE, 0x03, 0x12, 0x34}));
    EXPECT_EQ(radio.memory().be16(0x20), 0x1234);

    Bytes writePage{CMD_FLASH_WRITE, 0x82, 0x4F};
    writePage.insert(writePage.end(), 128, 0x5A);
    const Bytes pageAnswer = exchange(withChecksum(writePage));
    EXPECT_EQ(pageAnswer.back(), ACK);
    EXPECT_EQ(pageAnswer.size(), FLASH_WRITE_FRAME_SIZE + 1);

    const Bytes page = exchange(withChecksum({CMD_FLASH_READ, 0x02, 0x4F}));
    ASSERT_EQ(page.size(), READ_REQUEST_SIZE + FLASH_READ_ANSWER_SIZE);
    EXPECT_EQ(page[4], CMD_FLASH_READ);
    EXPECT_EQ(page[5], 0x81);
    EXPECT_EQ(Bytes(page.begin() + 6, page.end() - 1), Bytes(128, 0x5A));
    EXPECT_EQ(radio.framesTaken(), 4u);
}

TEST_F(RadioSimulatorTest, DamagedFramesAndNoiseAreNotAnswered) {
    radio.enterCloneMode();
    // A frame with a wrong checksum is heard but ignored, and not counted.
    EXPECT_EQ(exchange({0xF0, 0x02, 0x00, 0x00}, 0s), (Bytes{0xF0, 0x02, 0x00, 0x00}));
    EXPECT_EQ(radio.framesTaken(), 0u);
    EXPECT_FALSE(radio.transcript().back().checksumOk);
    // Noise before a frame is skipped; the frame after it is answered.
    const Bytes answer = exchange({0x77, 0xF0, 0x09, 0xF0, 0x02, 0x01, 0xF3}, 1s);
    EXPECT_EQ(answer.size(), 7u + EEPROM_READ_ANSWER_SIZE);
    EXPECT_EQ(radio.framesTaken(), 1u);
    // Half a frame forgotten after a pause does not spoil the next one.
    radio.receive(Bytes{0xF0, 0x02}, 3s);
    radio.takeOutput(3s);
    EXPECT_EQ(exchange(withChecksum({CMD_EEPROM_READ, 0x02, 0x01}), 4s).size(), 4u + 5u);
    // A page the radio does not have: no answer to a read, a NAK to a write.
    EXPECT_EQ(exchange(withChecksum({CMD_FLASH_READ, 0x02, 0x50}), 6s).size(), 4u);
    Bytes write{CMD_FLASH_WRITE, 0x82, 0x50};
    write.insert(write.end(), 128, 0x11);
    EXPECT_EQ(exchange(withChecksum(write), 8s).back(), NAK);
}

// What each fault does to its answer, at every frame, is the link's fault matrix; here that a
// write the radio did not hear is not stored.
TEST_F(RadioSimulatorTest, AWriteMetBySilenceIsNotStored) {
    radio.enterCloneMode();
    radio.addFault({SimFaultKind::Silence, 1, 0});
    EXPECT_EQ(exchange(withChecksum({CMD_EEPROM_WRITE, 0x04, 0x10, 0xAA, 0xBB})).size(), 6u);
    EXPECT_EQ(radio.memory().be16(0x20), 0);
    EXPECT_EQ(radio.transcript()[0].fault, SimFaultKind::Silence);
}

// A corrupted store answers exactly as a good one; only the memory shows the damage.
TEST_F(RadioSimulatorTest, ACorruptedStoreIsAcknowledgedButKeepsOneByteInverted) {
    radio.enterCloneMode();
    RadioSimulator clean{makeSimulatorSeedImage()};
    clean.enterCloneMode();
    radio.addFault({SimFaultKind::CorruptStore, 1, 1});
    radio.addFault({SimFaultKind::CorruptStore, 2, 200}); // past the page: its last byte
    radio.addFault({SimFaultKind::CorruptStore, 3, 0});   // a read stores nothing
    Bytes page{CMD_FLASH_WRITE, 0x82, 0x10};
    page.insert(page.end(), 128, 0x5A);
    const Bytes frames[] = {withChecksum({CMD_EEPROM_WRITE, 0x04, 0x10, 0x12, 0x34}),
                            withChecksum(page), withChecksum({CMD_EEPROM_READ, 0x02, 0x11})};
    for (const Bytes& frame : frames) {
        clean.receive(frame, Duration{0});
        EXPECT_EQ(exchange(frame), values(clean.takeOutput(1s)));
    }
    RadioImage expected = clean.memory();
    expected.setByte(0x21, 0xCB);
    expected.setByte(flashPageOffset(0x10) + 127, 0xA5);
    EXPECT_EQ(radio.memory(), expected) << "no other byte differs";
}

TEST_F(RadioSimulatorTest, ResetSwitchesOffAndTheRadioMayComeBack) {
    radio.setRestartDelay(Duration(2s));
    radio.switchOn(Duration{0});
    radio.receive(Bytes{ADJ_MODE_COMMAND}, 150ms);
    EXPECT_EQ(radio.state(), SimState::AdjustmentMode);
    radio.receive(RESET_COMMAND, 1s);
    EXPECT_EQ(radio.state(), SimState::Off);
    radio.takeOutput(2s);
    EXPECT_EQ(radio.state(), SimState::Off);
    EXPECT_EQ(radio.nextEventTime(), Duration(3s));
    const Bytes offers = values(radio.takeOutput(3s + 250ms));
    EXPECT_EQ(radio.state(), SimState::Offering);
    EXPECT_EQ(offers, (Bytes{CHECK_COMMAND, CHECK_COMMAND}));
}

TEST_F(RadioSimulatorTest, AdjustmentModeFramesGoToTheServiceHandler) {
    std::vector<Bytes> frames;
    radio.setServiceHandler([&frames](std::span<const std::uint8_t> frame) {
        frames.emplace_back(frame.begin(), frame.end());
        return Bytes{ACK};
    });
    radio.switchOn(Duration{0});
    radio.receive(Bytes{ADJ_MODE_COMMAND}, 100ms);
    const Bytes change = withChecksum({0x30, 0x03, 0x01, 0x05});
    const Bytes answer = exchange(change, 1s);
    EXPECT_EQ(answer.back(), ACK);
    EXPECT_EQ(frames, std::vector<Bytes>{change});
    EXPECT_EQ(exchange(withChecksum({CMD_EEPROM_READ, 0x02, 0x00}), 2s).size(), 4u)
        << "block frames mean nothing in adjustment mode";
}

TEST_F(RadioSimulatorTest, PacingGivesEveryByteItsWireTime) {
    radio.setPacing(true);
    radio.setBaudRate(9600);
    radio.enterCloneMode();
    radio.receive(withChecksum({CMD_FLASH_READ, 0x02, 0x00}), Duration{0});
    const auto out = radio.takeOutput(1s);
    ASSERT_EQ(out.size(), READ_REQUEST_SIZE + FLASH_READ_ANSWER_SIZE);
    const Duration byte = Duration(11'000'000 / 9600);
    EXPECT_EQ(out[0].time, byte);
    EXPECT_EQ(out[3].time, 4 * byte) << "the echo comes as the PC's bytes arrive";
    EXPECT_EQ(out.back().time, (4 + 131) * byte);
}

TEST(SimulatorSeedTest, TheSeedIsARadioWithItsOwnConsistentIdentity) {
    const RadioImage image = makeSimulatorSeedImage();
    EXPECT_EQ(image.be16(PRODUCTION_CODE_OFFSET), 0x0C00);
    EXPECT_EQ(image.byteAt(PRODUCT_TYPE_OFFSET), 0x0C);
    EXPECT_EQ(image.be16(FLASH_PRODUCT_CODE_OFFSET), image.be16(PRODUCT_CODE_OFFSET));
    EXPECT_EQ(frequencyBandOf(image), 12);
    EXPECT_EQ(channelCapacityForRadioChannel(radioChannelValueOf(image)), 16);
    EXPECT_EQ(image.be16(HARDWARE_MIRROR_OFFSET), image.be16(HARDWARE_BLOCK_OFFSET));
    EXPECT_NE(image.be32(MANUFACTURE_DATE_OFFSET), 0u);
    EXPECT_EQ(image.be32(MANUFACTURE_MIRROR_OFFSET), image.be32(MANUFACTURE_DATE_OFFSET));
    const auto working = image.range(WORKING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE);
    const auto shipping = image.range(SHIPPING_ADJUSTMENT_OFFSET, ADJUSTMENT_DATA_SIZE);
    EXPECT_TRUE(std::equal(working.begin(), working.end(), shipping.begin()));
}

TEST(SimulatorSeedTest, ADamageBreaksTheNamedCopiesAndNothingElse) {
    struct Case {
        const char* word;
        bool flash;
        bool eeprom;
    };
    const RadioImage seed = makeSimulatorSeedImage();
    for (const Case c :
         {Case{"flash", true, false}, Case{"eeprom", false, true}, Case{"both", true, true}}) {
        SCOPED_TRACE(c.word);
        const auto damage = parseAdjustmentDamage(c.word);
        ASSERT_TRUE(damage);
        RadioImage image = seed;
        damageAdjustmentData(image, *damage);
        EXPECT_EQ(image.be16(WORKING_CHECKSUM_OFFSET) ==
                      adjustmentChecksum(image, WORKING_ADJUSTMENT_OFFSET),
                  !c.flash);
        EXPECT_EQ(image.be16(SHIPPING_CHECKSUM_OFFSET) ==
                      adjustmentChecksum(image, SHIPPING_ADJUSTMENT_OFFSET),
                  !c.eeprom);
        std::size_t changed = 0;
        for (std::size_t i = 0; i < IMAGE_SIZE; ++i) {
            changed += image.byteAt(i) != seed.byteAt(i);
        }
        EXPECT_EQ(changed, static_cast<std::size_t>(c.flash) + static_cast<std::size_t>(c.eeprom));
    }
    EXPECT_FALSE(parseAdjustmentDamage("Flash"));
    EXPECT_FALSE(parseAdjustmentDamage(""));
}

TEST(RealTimeLinkTest, TheWallClockFollowsTheSimulatedWire) {
    InProcessRadio sim;
    ManualClock wall; // stands in for the real clock: its sleeps are what the link waits
    RealTimeLink link(sim.link, sim.clock, wall);
    sim.radio.setPacing(true);
    sim.radio.enterCloneMode();
    ASSERT_TRUE(link.open("/dev/ttyS0"));
    SerialTimeouts timeouts;
    ASSERT_TRUE(link.setTimeouts(timeouts));

    const std::uint8_t frame[] = {0xF2, 0x02, 0x49, 0x3D};
    std::size_t written = 0;
    ASSERT_TRUE(link.write(frame, written));
    std::uint8_t answer[4 + 131];
    std::size_t received = 0;
    ASSERT_TRUE(link.read(answer, received));
    EXPECT_EQ(received, sizeof answer);
    EXPECT_GT(sim.clock.now(), 100ms) << "135 bytes at 9600 baud";
    EXPECT_EQ(wall.now(), sim.clock.now());

    wall.advance(20ms); // the program was slower than the wire: nothing more to wait
    sim.clock.sleep(5ms);
    link.purgeReceive();
    EXPECT_EQ(wall.now() - sim.clock.now(), 15ms);
}

TEST(SimFaultTest, ParsesTheFaultWordsAndRefusesOthers) {
    struct Case {
        std::string word;
        std::optional<SimFault> fault;
    };
    const std::vector<Case> cases = {
        {"checksum@3", SimFault{SimFaultKind::BadChecksum, 3, 0}},
        {"command@12", SimFault{SimFaultKind::WrongCommand, 12, 0}},
        {"silence@1", SimFault{SimFaultKind::Silence, 1, 0}},
        {"nak@40", SimFault{SimFaultKind::Nak, 40, 0}},
        {"lost@7", SimFault{SimFaultKind::LostWrite, 7, 0}},
        {"corrupt@7", SimFault{SimFaultKind::CorruptStore, 7, 0}},
        {"corrupt@290:127", SimFault{SimFaultKind::CorruptStore, 290, 127}},
        {"corrupt@3:", std::nullopt},
        {"nak@3:1", std::nullopt},
        {"off@9", SimFault{SimFaultKind::SwitchedOff, 9, 0}},
        {"garbage:5", SimFault{SimFaultKind::GarbageBeforeCheck, 0, 5}},
        {"nooffer", SimFault{SimFaultKind::NeverOffer, 0, 0}},
        {"product", SimFault{SimFaultKind::WrongProductCode, 0, 0}},
        {"nak@0", std::nullopt},
        {"nak@", std::nullopt},
        {"nak@3x", std::nullopt},
        {"nak@-1", std::nullopt},
        {"garbage:", std::nullopt},
        {"loud@3", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseSimFault(c.word), c.fault) << c.word;
        if (c.fault) {
            EXPECT_EQ(describeSimFault(*c.fault), c.word);
        }
    }
}

TEST(SimulatedRadiosTest, FaultWordsNameTheirRadio) {
    const struct {
        const char* text;
        std::optional<RadioFaultWord> split;
    } cases[] = {
        {"nak@5", RadioFaultWord{0, "nak@5"}},
        {"2:nak@5", RadioFaultWord{2, "nak@5"}},
        {"garbage:3", RadioFaultWord{0, "garbage:3"}},
        {"12:corrupt@278:5", RadioFaultWord{12, "corrupt@278:5"}},
        {"0:nak@5", std::nullopt},
        {"3:", std::nullopt},
        {"99999999999:nak@5", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto split = splitRadioFaultWord(c.text);
        ASSERT_EQ(split.has_value(), c.split.has_value()) << c.text;
        if (split) {
            EXPECT_EQ(split->radio, c.split->radio) << c.text;
            EXPECT_EQ(split->word, c.split->word) << c.text;
        }
    }
    EXPECT_TRUE(RadioFaultWord({0, "x"}).appliesTo(3));
    EXPECT_FALSE(RadioFaultWord({2, "x"}).appliesTo(3));
}

class SimAdjustmentModelTest : public ::testing::Test {
protected:
    void SetUp() override { model.setNoiseAmplitude(0); }

    void channel(int c) {
        model.answer(withChecksum({SVC_CHANGE_CHANNEL, 0x03, 0, std::uint8_t(c)}));
    }
    void level(int first, int second) {
        model.answer(withChecksum(
            {SVC_SET_TX_POWER_TUNE_LEVEL, 0x03, std::uint8_t(first), std::uint8_t(second)}));
    }
    Bytes read() { return model.answer(withChecksum({SVC_READ_AD, 0x01})); }

    SimAdjustmentModel model;
};

TEST_F(SimAdjustmentModelTest, TheVcoLocksOnlyInsideItsWindowWithAFallingControlVoltage) {
    for (const bool transmit : {false, true}) {
        model.answer(withChecksum({transmit ? SVC_REQUEST_TX : SVC_REQUEST_RX, 0x01}));
        for (const int c : {0, 1, 2}) {
            channel(c);
            const int centre = SimAdjustmentModel::vcoCentre(transmit, c == 0 ? 0 : c == 2 ? 2 : 1);
            int previous = 256;
            for (int d = centre - 40; d <= centre + 40; ++d) {
                level(0, d);
                EXPECT_EQ(model.lockDetector(), SimAdjustmentModel::LOCKED_UL) << d;
                EXPECT_LT(model.vcv(), previous) << d;
                previous = model.vcv();
            }
            for (const int d : {centre - 41, centre + 41}) {
                level(0, d);
                EXPECT_EQ(model.lockDetector(), SimAdjustmentModel::UNLOCKED_UL) << d;
            }
        }
    }
}

TEST_F(SimAdjustmentModelTest, TheRssiPeaksOverAFewTuneStepsAndFallsBesideThem) {
    channel(0);
    const int peak = SimAdjustmentModel::tunePeak(0);
    level(peak, 0);
    const int top = model.rssi();
    for (int t = peak - 2; t <= peak + 2; ++t) {
        level(t, 0);
        EXPECT_EQ(model.rssi(), top) << t;
    }
    level(peak + 3, 0);
    EXPECT_EQ(model.rssi(), top - SimAdjustmentModel::TUNE_FALL_PER_STEP);
    level(peak - 4, 0);
    EXPECT_EQ(model.rssi(), top - 2 * SimAdjustmentModel::TUNE_FALL_PER_STEP);
}

TEST_F(SimAdjustmentModelTest, ReadingsFollowTheGeneratorAndTheSupply) {
    model.setSignalLevel(-10);
    const int weakRssi = model.rssi();
    const int weakNsq = model.noiseSquelch();
    model.setSignalLevel(10);
    EXPECT_GT(model.rssi(), weakRssi);
    EXPECT_LT(model.noiseSquelch(), weakNsq);
    model.setSupplyVoltage(5.5);
    const int low = model.battery();
    model.setSupplyVoltage(7.5);
    EXPECT_GT(model.battery(), low);

    const Bytes answer = read();
    ASSERT_EQ(answer.size(), AD_ANSWER_SIZE);
    EXPECT_EQ(answer[0], SVC_READ_AD);
    EXPECT_EQ(answer[2 + AD_BATTERY], model.battery());
    EXPECT_EQ(answer[2 + AD_NSQ], model.noiseSquelch());
    EXPECT_EQ(answer[2 + AD_RSSI], model.rssi());
    EXPECT_EQ(answer.back(), frameChecksum(std::span(answer).first(answer.size() - 1)));
}

TEST_F(SimAdjustmentModelTest, NoiseIsSmallAndRepeatsWithItsSeed) {
    SimAdjustmentModel first(7);
    SimAdjustmentModel second(7);
    for (int i = 0; i < 50; ++i) {
        const Bytes a = first.answer(withChecksum({SVC_READ_AD, 0x01}));
        EXPECT_EQ(a, second.answer(withChecksum({SVC_READ_AD, 0x01})));
        EXPECT_LE(std::abs(a[2 + AD_BATTERY] - first.battery()), 1);
    }
}

// The channel, the keying and the two levels show in the readings and the alignment window's
// tests; these settings show nowhere else.
TEST_F(SimAdjustmentModelTest, StateShowsWhatTheRadioWasTold) {
    model.answer(withChecksum({SVC_SET_ADJUST_LEVEL, 0x04, 1, 2, 3}));
    model.answer(withChecksum({SVC_START_MODULATION, 0x03, 0x03, 0xE8}));
    model.answer(withChecksum({SVC_SET_SUB_AUDIO_MODULATION, 0x03, 0x81, 0x23}));
    model.answer(withChecksum({SVC_SET_FREQ_DA, 0x04, 9, 8, 7}));
    const SimAdjustmentState& state = model.state();
    EXPECT_EQ(state.adjustLevel, (std::array<std::uint8_t, 3>{1, 2, 3}));
    EXPECT_EQ(state.modulation, 1000);
    EXPECT_EQ(state.subAudio, (std::array<std::uint8_t, 2>{0x81, 0x23}));
    EXPECT_EQ(state.freqDa, (std::array<std::uint8_t, 3>{9, 8, 7}));
    EXPECT_EQ(model.answer(withChecksum({0x3F, 0x01})), Bytes{NAK});
}

TEST_F(SimAdjustmentModelTest, ScriptedFaultsHitTheirCommandAsOftenAsAsked) {
    model.addFault({SVC_REQUEST_RX, SimServiceFaultKind::Nak, 1});
    model.addFault({SVC_READ_AD, SimServiceFaultKind::BadFirstByte, 1});
    model.addFault({SVC_REQUEST_TX, SimServiceFaultKind::Silence, 0});
    EXPECT_EQ(model.answer(withChecksum({SVC_REQUEST_RX, 0x01})), Bytes{NAK});
    EXPECT_EQ(model.answer(withChecksum({SVC_REQUEST_RX, 0x01})), Bytes{ACK});
    EXPECT_NE(read()[0], SVC_READ_AD);
    EXPECT_EQ(read()[0], SVC_READ_AD);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(model.answer(withChecksum({SVC_REQUEST_TX, 0x01})).empty());
    }
}

TEST(SimServiceFaultTest, CommandLineWords) {
    struct Case {
        const char* word;
        std::optional<SimServiceFault> fault;
    };
    const Case cases[] = {
        {"nak:30", SimServiceFault{0x30, SimServiceFaultKind::Nak, 0}},
        {"silence:31*2", SimServiceFault{0x31, SimServiceFaultKind::Silence, 2}},
        {"byte:3b", SimServiceFault{0x3B, SimServiceFaultKind::BadFirstByte, 0}},
        {"nak:", std::nullopt},
        {"nak:130", std::nullopt},
        {"nak:30*0", std::nullopt},
        {"nak:30*", std::nullopt},
        {"drop:30", std::nullopt},
        {"nak30", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto parsed = parseSimServiceFault(c.word);
        ASSERT_EQ(parsed.has_value(), c.fault.has_value()) << c.word;
        if (parsed) {
            EXPECT_EQ(parsed->command, c.fault->command) << c.word;
            EXPECT_EQ(parsed->kind, c.fault->kind) << c.word;
            EXPECT_EQ(parsed->times, c.fault->times) << c.word;
        }
    }
}

} // namespace
} // namespace kq70
