// How close a full Upload and Download of a 256-channel radio come to the speed of the wire.
//
// The limit is every byte on the lead (what the program sends, which the one-wire lead also
// hands back, and the radio's answers) times 11 bits over the baud rate, plus the pauses the
// protocol requires (500 ms before an upload's blocks, 1000 ms before a download's).
//
//   InProcess: the simulated radio in this process, pacing on, on a manual clock: the
//              virtual time the job took against the limit (the job's own waiting), and
//              the real time the simulation cost.
//   Pty:       kq70-radiosim --pace in its own process on a pseudo-terminal, through the real
//              serial code on the wall clock: the time taken against the limit, and the CPU
//              time this process used meanwhile.
//
// A download runs with and without the read-back of what it wrote (verify:1 and verify:0).
//
// Run: build/<tree>/bench/transfer [--benchmark_filter=InProcess]

#include "BenchSupport.h"
#include "InProcessRadio.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "frame/DocumentListener.h"
#include "frame/RadioCommands.h"
#include "link/CommProgress.h"
#include "link/HCommRequest.h"
#include "link/HKqCommonCommunication.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SystemClock.h"
#include "support/RadioSimProcess.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace kq70 {
namespace {

using namespace bench;

constexpr double BITS_PER_BYTE = 11.0;

// Counts the bytes that come off the lead; with the echo that is every byte on it.
class CountingDevice : public SerialDevice {
public:
    explicit CountingDevice(SerialDevice& device) : m_device(device) {}

    bool open(const std::string& name) override { return m_device.open(name); }
    bool isOpen() const override { return m_device.isOpen(); }
    int portKind() const override { return m_device.portKind(); }
    bool setTimeouts(const SerialTimeouts& t) override { return m_device.setTimeouts(t); }
    bool configure(const SerialLineSettings& s) override { return m_device.configure(s); }
    bool purgeReceive() override { return m_device.purgeReceive(); }
    bool purgeSend() override { return m_device.purgeSend(); }
    bool clearErrors() override { return m_device.clearErrors(); }
    bool write(std::span<const std::uint8_t> bytes, std::size_t& written) override {
        return m_device.write(bytes, written);
    }
    bool read(std::span<std::uint8_t> buffer, std::size_t& received) override {
        const bool ok = m_device.read(buffer, received);
        m_bytesRead += received;
        return ok;
    }
    bool setDtr(bool raised) override { return m_device.setDtr(raised); }
    bool close() override { return m_device.close(); }

    std::size_t bytesRead() const { return m_bytesRead; }

private:
    SerialDevice& m_device;
    std::size_t m_bytesRead = 0;
};

class QuietProgress : public CommProgress {
public:
    void setStatus(std::string_view) override {}
    void setRange(int) override {}
    void setPosition(int) override {}
};

double protocolPause(TransferDirection direction) {
    const auto pause = direction == TRANSFER_UPLOAD ? HKQ70CommunicationDialog::UPLOAD_PAUSE
                                                    : HKQ70CommunicationDialog::DOWNLOAD_PAUSE;
    return std::chrono::duration<double>(pause).count();
}

double wireLimit(std::size_t bytes, int baud, TransferDirection direction) {
    return static_cast<double>(bytes) * BITS_PER_BYTE / baud + protocolPause(direction);
}

// One Radio menu command on `device`: 0 when the job succeeded.
int runCommand(TransferDirection direction, SerialDevice& device, Clock& clock,
               const std::string& portName, int baud, bool verify, const RadioImage& document) {
    CKQ70Doc doc;
    doc.GetMainMemory() = document;
    AppSettings settings;
    settings.portName = portName;
    settings.baudRate = baud;
    settings.verifyDownload = verify;
    AccessMode accessMode;
    YesPrompt prompt;
    DocumentListener listener;
    LastPortKind lastPortKind;
    QuietProgress progress;
    RadioCommands commands(doc, settings, accessMode, "/nonexistent", prompt, listener,
                           RadioLink{device, clock, lastPortKind, progress}, {});
    const std::optional<int> result =
        direction == TRANSFER_UPLOAD ? commands.OnRadioUpload() : commands.OnRadioDownload();
    return result.value_or(1);
}

void reportLimit(benchmark::State& state, double taken, double limit) {
    state.counters["wire_limit_s"] = limit;
    state.counters["taken_s"] = taken;
    state.counters["ratio"] = taken / limit;
}

void InProcess(benchmark::State& state) {
    const auto direction = static_cast<TransferDirection>(state.range(0));
    const int baud = static_cast<int>(state.range(1));
    const bool verify = state.range(2) != 0;
    const RadioImage radio = radioWith256Channels();
    for (auto _ : state) {
        InProcessRadio sim(radio);
        sim.radio.setPacing(true);
        sim.radio.setRecordTranscript(false);
        sim.radio.enterCloneMode();
        CountingDevice device(sim.link);
        const Clock::Duration start = sim.clock.now();
        if (runCommand(direction, device, sim.clock, "sim", baud, verify, radio) != 0) {
            state.SkipWithError("the job failed");
            return;
        }
        const double taken = std::chrono::duration<double>(sim.clock.now() - start).count();
        reportLimit(state, taken, wireLimit(device.bytesRead(), baud, direction));
    }
}

// kq70-radiosim on a pseudo-terminal; the measured job starts with the radio in clone mode,
// as a job after an earlier one does, so no time goes into waiting for its offer.
void Pty(benchmark::State& state) {
    const auto direction = static_cast<TransferDirection>(state.range(0));
    const int baud = static_cast<int>(state.range(1));
    const bool verify = state.range(2) != 0;
    const RadioImage radio = radioWith256Channels();
    const RadioImageFile image(radio);
    if (!image.written()) {
        state.SkipWithError("the radio image could not be written");
        return;
    }
    const std::string& imagePath = image.path();
    test::RadioSimProcess sim({"--image", imagePath, "--pace", "--baud", std::to_string(baud)});
    const std::string port = sim.firstLine(10000);
    SystemClock clock;
    PosixSerialDevice serial(clock);
    for (auto _ : state) {
        {
            LastPortKind kind;
            HSerialPort handshakePort(serial, kind);
            QuietProgress progress;
            HKqCommonCommunication link(handshakePort, progress, clock);
            HCommRequest request(0);
            request.m_portName = port;
            request.SetBaudRate(static_cast<std::uint32_t>(baud));
            RadioImage buffer;
            request.m_workBuffer = &buffer;
            if (!link.OpenPortForJob(request) || !link.SetCloneMode(request, true)) {
                state.SkipWithError("no handshake with kq70-radiosim");
                return;
            }
            handshakePort.Close();
        }
        CountingDevice device(serial);
        const double cpuBefore = cpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const int status = runCommand(direction, device, clock, port, baud, verify, radio);
        const double taken =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = cpuSeconds() - cpuBefore;
        if (status != 0) {
            state.SkipWithError("the job failed");
            return;
        }
        state.SetIterationTime(taken);
        reportLimit(state, taken, wireLimit(device.bytesRead(), baud, direction));
        state.counters["cpu_pct"] = 100.0 * cpu / taken;
    }
    sim.finish(SIGTERM);
}

void transferArguments(benchmark::internal::Benchmark* benchmark) {
    for (const int baud : {9600, 19200, 38400}) {
        benchmark->Args({TRANSFER_UPLOAD, baud, 0});
        benchmark->Args({TRANSFER_DOWNLOAD, baud, 0});
        benchmark->Args({TRANSFER_DOWNLOAD, baud, 1});
    }
    benchmark->ArgNames({"download", "baud", "verify"});
}

BENCHMARK(InProcess)->Apply(transferArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(Pty)->Apply(transferArguments)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
} // namespace kq70

BENCHMARK_MAIN();
