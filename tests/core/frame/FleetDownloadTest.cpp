// Several radios written at once, each simulated radio on a pseudo-terminal of its own and
// reached through the real serial code.

#include "frame/FleetDownload.h"

#include "SimulatedRadios.h"
#include "SimulatorSeed.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "frame/FleetReport.h"
#include "params/HHardwareParams.h"
#include "platform/SystemClock.h"
#include "support/CompletionMarker.h"
#include "support/FrameFixtures.h"
#include "support/ScriptedPrompt.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>

namespace kq70 {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t DOCUMENT_BYTE = 0x0020; // a byte the merge leaves to the document
// Frame 278 of a download to the simulated radio writes flash page 2; its byte 5 is image
// offset 0x0305, radio address 0xD105.
constexpr const char* CORRUPT_PAGE_2 = "corrupt@278:5";

// Radio k (from 1) of the simulated fleet, as it is before anything is written.
RadioImage radioMemory(unsigned number) {
    RadioImage memory = makeSimulatorSeedImage();
    numberSimulatedRadio(memory, number);
    return memory;
}

// The document: the simulated radio's data with a changed byte and another radio's serial
// number, so both what the radios take from it and what they keep of their own show.
RadioImage fleetDocument() {
    RadioImage document = makeSimulatorSeedImage();
    document.setByte(DOCUMENT_BYTE, 0xA5);
    document.setBe16(MANUFACTURE_DATE_OFFSET, 0x1111);
    return document;
}

// What a single Download of `document` leaves in a radio that held `radio`.
RadioImage singleDownload(const RadioImage& radio, const RadioImage& document,
                          const std::optional<std::string>& password) {
    test::SimulatedRadioLink single;
    single.sim.radio.memory() = radio;
    single.sim.radio.switchOn(single.sim.clock.now());
    CKQ70Doc doc;
    doc.GetMainMemory() = document;
    AppSettings settings;
    settings.portName = "sim";
    AccessMode accessMode;
    test::ScriptedPrompt prompt;
    prompt.expectMessage(std::string(text::START_DOWNLOADING), MessageAnswer::Yes);
    if (password) {
        prompt.expectPassword(password);
    }
    prompt.expectMessage(std::string(text::DOWNLOAD_COMPLETE));
    DocumentListener listener;
    RadioCommands commands(doc, settings, accessMode, "/nonexistent", prompt, listener,
                           single.link(), {});
    EXPECT_EQ(commands.OnRadioDownload(), 0);
    return single.sim.radio.memory();
}

struct SimulatedRadio {
    RadioImage memory;
    std::vector<std::string> faults;
    bool paced = false; // every byte takes its time on a 38400-baud line
};

// Radios 1 to `count` as they come from the factory.
std::vector<SimulatedRadio> plainRadios(unsigned count) {
    std::vector<SimulatedRadio> radios;
    for (unsigned number = 1; number <= count; ++number) {
        radios.push_back({radioMemory(number), {}});
    }
    return radios;
}

class PtyFleet {
public:
    explicit PtyFleet(const std::vector<SimulatedRadio>& radios) {
        for (std::size_t i = 0; i < radios.size(); ++i) {
            auto radio = std::make_unique<PtyRadio>(radios[i].memory, 1, m_clock);
            radio->radio.setPacing(radios[i].paced);
            radio->radio.setBaudRate(38400);
            radio->radio.setRecordTranscript(false);
            radio->radio.setRestartDelay(200ms);
            for (const std::string& word : radios[i].faults) {
                radio->radio.addFault(*parseSimFault(word));
            }
            EXPECT_TRUE(radio->runner.open()) << radio->runner.errorText();
            radio->runner.withRadio([this](RadioSimulator& r) { r.switchOn(m_clock.now()); });
            radio->runner.start();
            ports.push_back(radio->runner.devicePath());
            m_radios.push_back(std::move(radio));
        }
    }

    RadioImage memory(std::size_t radio) {
        return m_radios[radio]->runner.withRadio([](RadioSimulator& r) { return r.memory(); });
    }
    void setPacing(std::size_t radio, bool paced) {
        m_radios[radio]->runner.withRadio([paced](RadioSimulator& r) { r.setPacing(paced); });
    }
    // The lead pulled out: the radio's pseudo-terminal closes.
    void unplug(std::size_t radio) { m_radios[radio].reset(); }

    std::vector<std::string> ports;

private:
    SystemClock m_clock;
    std::vector<std::unique_ptr<PtyRadio>> m_radios;
};

// Keeps what the radios' threads report and lets the test wait for it.
class WaitingObserver : public FleetObserver {
public:
    void radioWritten(std::size_t radio) override {
        note([&] { written.insert(radio); });
    }
    void passwordWanted(std::size_t radio) override {
        note([&] { passwords.push_back(radio); });
    }

    bool waitUntil(const std::function<bool()>& condition) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 30s, condition);
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::set<std::size_t> written;
    std::vector<std::size_t> passwords;

private:
    template <typename Change> void note(Change change) {
        const std::lock_guard lock(mutex);
        change();
        changed.notify_all();
    }
};

FleetSettings fleetSettings() {
    FleetSettings settings;
    settings.job.programFolder = "/nonexistent";
    settings.baudRate = 38400;
    return settings;
}

// Three radios get exactly what a single Download gives each; the one that stores a wrong
// byte is named with its serial number and stays marked incomplete. Only the radio with a
// programming password the document does not carry asks for it.
TEST(FleetDownloadTest, FourRadiosOneStoringAWrongByte) {
    std::vector<SimulatedRadio> radios = plainRadios(4);
    test::setProgrammingPassword(radios[1].memory, "ABC123");
    radios[2].faults = {CORRUPT_PAGE_2};
    PtyFleet fleet(radios);
    const RadioImage document = fleetDocument();
    test::ScriptedPrompt prompt;
    prompt.expectMessage(std::string(text::START_DOWNLOADING), MessageAnswer::Yes)
        .expectPassword("abc123");
    WaitingObserver observer;
    FleetDownload download(document, fleetSettings(), SerialFleetLines(), prompt, observer);

    ASSERT_TRUE(download.Start(fleet.ports));
    download.Wait();

    const std::vector<FleetRadioResult> results = download.Results();
    ASSERT_EQ(results.size(), 4u);
    for (const std::size_t radio : {0u, 1u, 3u}) {
        EXPECT_EQ(results[radio].outcome, FleetOutcome::Verified)
            << FleetReport::RadioLine(results[radio]);
        const RadioImage written = fleet.memory(radio);
        const auto password = radio == 1 ? std::optional<std::string>("abc123") : std::nullopt;
        EXPECT_EQ(test::firstDifference(written,
                                        singleDownload(radios[radio].memory, document, password), 0,
                                        TRANSFER_SIZE),
                  "")
            << "radio " << radio + 1;
    }
    const FleetRadioResult& faulty = results[2];
    EXPECT_EQ(faulty.outcome, FleetOutcome::Failed);
    EXPECT_EQ(faulty.serialNumber, "45250144");
    EXPECT_EQ(fleet.memory(2).be16(test::MARKER_OFFSET), test::MARKER_IN_PROGRESS);
    EXPECT_EQ(observer.passwords, std::vector<std::size_t>{1});
}

TEST(FleetDownloadTest, UnpluggingOneMidWriteLeavesTheOthersVerified) {
    std::vector<SimulatedRadio> radios = plainRadios(4);
    radios[1].paced = true; // long enough in its writing to be unplugged there
    PtyFleet fleet(radios);
    test::ScriptedPrompt prompt;
    prompt.expectMessage(std::string(text::START_DOWNLOADING), MessageAnswer::Yes);
    WaitingObserver observer;
    FleetDownload download(fleetDocument(), fleetSettings(), SerialFleetLines(), prompt, observer);

    ASSERT_TRUE(download.Start(fleet.ports));
    ASSERT_TRUE(observer.waitUntil([&] { return observer.written.contains(1); }));
    fleet.unplug(1);
    download.Wait();

    const std::vector<FleetRadioResult> results = download.Results();
    for (const std::size_t radio : {0u, 2u, 3u}) {
        EXPECT_EQ(results[radio].outcome, FleetOutcome::Verified)
            << FleetReport::RadioLine(results[radio]);
    }
    EXPECT_EQ(results[1].outcome, FleetOutcome::Failed);
    EXPECT_TRUE(results[1].radioChanged);
}

// Two radios are being written, two have not offered a connection yet: Cancel All leaves the
// first two marked incomplete and the others untouched, and says which is which. Retry
// Failed then writes the two that answer, without asking the questions again.
TEST(FleetDownloadTest, CancelAllSaysWhichRadiosAreUntouchedAndWhichIncomplete) {
    std::vector<SimulatedRadio> radios = plainRadios(4);
    radios[2].faults = {"nooffer"};
    radios[3].faults = {"nooffer"};
    radios[0].paced = true;
    radios[1].paced = true;
    PtyFleet fleet(radios);
    test::ScriptedPrompt prompt;
    prompt.expectMessage(std::string(text::START_DOWNLOADING), MessageAnswer::Yes);
    WaitingObserver observer;
    FleetDownload download(fleetDocument(), fleetSettings(), SerialFleetLines(), prompt, observer);

    ASSERT_TRUE(download.Start(fleet.ports));
    ASSERT_TRUE(observer.waitUntil(
        [&] { return observer.written.contains(0) && observer.written.contains(1); }));
    EXPECT_FALSE(download.Start(fleet.ports)) << "a second run while the first goes on";
    download.CancelAll();
    download.Wait();

    const std::vector<FleetRadioResult> results = download.Results();
    for (std::size_t radio = 0; radio < 4; ++radio) {
        const bool written = radio < 2;
        const FleetRadioResult& result = results[radio];
        EXPECT_EQ(result.outcome, FleetOutcome::Cancelled) << radio;
        const std::string line = FleetReport::RadioLine(result);
        EXPECT_TRUE(
            line.ends_with(written ? text::FLEET_RADIO_INCOMPLETE : text::FLEET_RADIO_UNTOUCHED))
            << line;
        const RadioImage memory = fleet.memory(radio);
        if (written) {
            EXPECT_EQ(memory.be16(test::MARKER_OFFSET), test::MARKER_IN_PROGRESS) << radio;
        } else {
            EXPECT_EQ(test::firstDifference(memory, radios[radio].memory, 0, TRANSFER_SIZE), "");
        }
    }

    fleet.setPacing(0, false);
    fleet.setPacing(1, false);
    ASSERT_TRUE(download.Restart({0, 1}));
    download.Wait();
    EXPECT_EQ(fleet.memory(0).be16(test::MARKER_OFFSET), test::MARKER_DONE);
    EXPECT_EQ(download.UnsuccessfulRadios(), (std::vector<std::size_t>{2, 3}));
}

// A simulated radio in this process on virtual time, for the outcomes that would take long
// on a real line.
class InProcessLine : public FleetLine {
public:
    explicit InProcessLine(const RadioImage& memory, const std::vector<std::string>& faults = {})
        : m_sim(memory) {
        for (const std::string& word : faults) {
            m_sim.radio.addFault(*parseSimFault(word));
        }
        m_sim.radio.switchOn(m_sim.clock.now());
    }
    SerialDevice& device() override { return m_sim.link; }
    Clock& clock() override { return m_sim.clock; }

private:
    InProcessRadio m_sim;
};

TEST(FleetDownloadTest, EachRadioEndsWithItsOwnOutcome) {
    RadioImage otherBand = radioMemory(2);
    test::setHardwareValue(otherBand, HW_FREQUENCY_BAND, 4);
    RadioImage locked = radioMemory(5);
    test::setProgrammingPassword(locked, "SECRET");
    const struct {
        std::string port;
        std::optional<RadioImage> memory; // none: the port cannot be had
        std::vector<std::string> faults;
        FleetOutcome outcome;
        bool identified;
    } cases[] = {
        {"plain", radioMemory(1), {}, FleetOutcome::WrittenWithoutVerify, true},
        {"other band", otherBand, {}, FleetOutcome::Failed, true},
        {"switched off", radioMemory(4), {"nooffer"}, FleetOutcome::NotAnswering, false},
        {"locked", locked, {}, FleetOutcome::Cancelled, false},
        {"unplugged", std::nullopt, {}, FleetOutcome::Failed, false},
    };
    std::vector<std::string> ports;
    for (const auto& c : cases) {
        ports.push_back(c.port);
    }
    const FleetLineFactory lines = [&](const std::string& port) -> std::unique_ptr<FleetLine> {
        for (const auto& c : cases) {
            if (c.port == port && c.memory) {
                return std::make_unique<InProcessLine>(*c.memory, c.faults);
            }
        }
        return nullptr;
    };
    test::ScriptedPrompt prompt;
    // The locked radio's password question is answered with Cancel.
    prompt.expectMessage(std::string(text::START_DOWNLOADING), MessageAnswer::Yes)
        .expectPassword(std::nullopt);
    FleetSettings settings = fleetSettings();
    settings.job.verifyDownload = false;
    WaitingObserver observer;
    FleetDownload download(fleetDocument(), settings, lines, prompt, observer);
    ASSERT_TRUE(download.Start(ports));
    download.Wait();

    const std::vector<FleetRadioResult> results = download.Results();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(results[i].outcome, cases[i].outcome) << FleetReport::RadioLine(results[i]);
        EXPECT_EQ(!results[i].serialNumber.empty(), cases[i].identified) << cases[i].port;
        EXPECT_FALSE(results[i].radioChanged && !results[i].succeeded()) << cases[i].port;
    }
    EXPECT_EQ(
        FleetReport::Summary(results, false),
        "1 of 5 written, 2 failed: other band Frequency Band mismatched!; unplugged Port Open "
        "Error!, 1 not answering: switched off, 1 cancelled: locked (untouched)");
}

// Nothing starts when the Download's questions are answered No, and the document's frequency
// question is asked once for all radios.
TEST(FleetDownloadTest, TheQuestionsAreAskedOnceForAllRadios) {
    RadioImage outOfRange = fleetDocument();
    test::setHardwareValue(outOfRange, HW_FREQUENCY_MAX, 440000000);
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        test::ScriptedPrompt prompt;
        prompt.expectMessage(std::string(text::START_DOWNLOADING), MessageAnswer::Yes)
            .expectMessage(std::string(text::OUT_OF_RANGE_CONTINUE), answer);
        int made = 0;
        const FleetLineFactory lines = [&made](const std::string&) -> std::unique_ptr<FleetLine> {
            ++made;
            return std::make_unique<InProcessLine>(radioMemory(1));
        };
        WaitingObserver observer;
        FleetDownload download(outOfRange, fleetSettings(), lines, prompt, observer);
        EXPECT_EQ(download.Start({"a", "b", "c"}), answer == MessageAnswer::Yes);
        download.Wait();
        EXPECT_EQ(made, answer == MessageAnswer::Yes ? 3 : 0);
    }
}

} // namespace
} // namespace kq70
