// Writes the transfer and frame-parser seeds: what a clean Upload and Download exchange
// with the simulated radio, recorded at the serial device. Run by scripts/fuzz-seeds.
#include "FuzzSupport.h"
#include "InProcessRadio.h"
#include "app/AccessMode.h"
#include "frame/RadioCommands.h"
#include "image/RadioImage.h"
#include "link/CommProgress.h"
#include "link/HCommRequest.h"
#include "link/HKQ70CommunicationDialog.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"

#include <cstdio>
#include <memory>
#include <vector>

using namespace kq70;

namespace {

// Passes everything to the simulator's link and keeps the bytes each way.
class RecordingDevice : public SerialDevice {
public:
    explicit RecordingDevice(SerialDevice& inner) : m_inner(inner) {}
    bool open(const std::string& name) override { return m_inner.open(name); }
    bool isOpen() const override { return m_inner.isOpen(); }
    int portKind() const override { return m_inner.portKind(); }
    bool setTimeouts(const SerialTimeouts& t) override { return m_inner.setTimeouts(t); }
    bool configure(const SerialLineSettings& s) override { return m_inner.configure(s); }
    bool purgeReceive() override { return m_inner.purgeReceive(); }
    bool purgeSend() override { return m_inner.purgeSend(); }
    bool clearErrors() override { return m_inner.clearErrors(); }
    bool write(std::span<const std::uint8_t> bytes, std::size_t& written) override {
        const bool ok = m_inner.write(bytes, written);
        sent.insert(sent.end(), bytes.begin(), bytes.begin() + static_cast<long>(written));
        return ok;
    }
    bool read(std::span<std::uint8_t> buffer, std::size_t& received) override {
        const bool ok = m_inner.read(buffer, received);
        answers.insert(answers.end(), buffer.begin(), buffer.begin() + static_cast<long>(received));
        return ok;
    }
    bool setDtr(bool raised) override { return m_inner.setDtr(raised); }
    bool close() override { return m_inner.close(); }

    std::vector<std::uint8_t> sent;
    std::vector<std::uint8_t> answers;

private:
    SerialDevice& m_inner;
};

class NoProgress : public CommProgress {
public:
    void setStatus(std::string_view) override {}
    void setRange(int) override {}
    void setPosition(int) override {}
};

void save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    fuzz::writeScratch(path, bytes);
    std::printf("%s (%zu bytes)\n", path.c_str(), bytes.size());
}

void record(std::uint32_t job, const std::string& transferDir, const std::string& frameDir) {
    InProcessRadio radio;
    radio.radio.switchOn(radio.clock.now());
    RecordingDevice device(radio.link);
    LastPortKind lastKind;
    HSerialPort port(device, lastKind);
    NoProgress progress;
    fuzz::SilentPrompt prompt;
    HKQ70CommunicationDialog dialog(static_cast<int>(job), port, progress, prompt, radio.clock,
                                    {ACCESS_NORMAL, fuzz::scratchPath("home"), false, false});
    auto document = std::make_unique<RadioImage>(radio.radio.memory());
    auto work = std::make_unique<RadioImage>();
    auto request = std::make_unique<HCommRequest>(job);
    request->m_workBuffer = work.get();
    request->m_image = document.get();
    request->m_portName = "/dev/ttyUSB0";
    RadioCommands::SetRangeLists(*request, static_cast<TransferDirection>(job), ACCESS_NORMAL);
    if (dialog.RunJob(std::move(request)) != 0) {
        fuzz::fail("the clean transfer failed");
    }
    const char* name = job == JOB_UPLOAD ? "upload" : "download";
    // The transfer target's first byte picks the job; the rest are the radio's answers.
    std::vector<std::uint8_t> answers{static_cast<std::uint8_t>(job == JOB_UPLOAD ? 0 : 1)};
    answers.insert(answers.end(), device.answers.begin(), device.answers.end());
    save(transferDir + "/" + name, answers);
    // The frame target's first byte picks clone mode; then chunks of up to 32 line bytes.
    std::vector<std::uint8_t> frames{1};
    for (std::size_t i = 0; i < device.sent.size(); i += 32) {
        const std::size_t chunk = std::min<std::size_t>(32, device.sent.size() - i);
        frames.push_back(static_cast<std::uint8_t>(chunk - 1));
        frames.insert(frames.end(), device.sent.begin() + static_cast<long>(i),
                      device.sent.begin() + static_cast<long>(i + chunk));
    }
    save(frameDir + "/" + name, frames);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kq70-fuzz-seeds TRANSFER_CORPUS FRAME_CORPUS\n");
        return 2;
    }
    record(JOB_UPLOAD, argv[1], argv[2]);
    record(JOB_DOWNLOAD, argv[1], argv[2]);
    return 0;
}
