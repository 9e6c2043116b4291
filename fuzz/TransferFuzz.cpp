// Upload and Download against a radio whose every answer is the fuzz input: the port must be
// closed afterwards, and a failed Upload must leave the document as it was.
#include "FuzzSupport.h"
#include "app/AccessMode.h"
#include "doc/DefaultImages.h"
#include "frame/RadioCommands.h"
#include "image/RadioImage.h"
#include "link/CommProgress.h"
#include "link/HCommRequest.h"
#include "link/HKQ70CommunicationDialog.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"
#include "platform/ManualClock.h"
#include "platform/SerialDevice.h"

#include <algorithm>
#include <memory>

using namespace kq70;

namespace {

// A serial device whose reads hand out the input's bytes in order; once they run out every
// read times out. Writes always go out.
class ScriptedDevice : public SerialDevice {
public:
    ScriptedDevice(std::span<const std::uint8_t> answers, ManualClock& clock)
        : m_answers(answers), m_clock(clock) {}

    bool open(const std::string&) override {
        m_open = true;
        return true;
    }
    bool isOpen() const override { return m_open; }
    int portKind() const override { return m_open ? PORT_KIND_USB_CABLE : PORT_KIND_OTHER; }
    bool setTimeouts(const SerialTimeouts&) override { return m_open; }
    bool configure(const SerialLineSettings&) override { return m_open; }
    bool purgeReceive() override { return m_open; }
    bool purgeSend() override { return m_open; }
    bool clearErrors() override { return m_open; }
    bool write(std::span<const std::uint8_t> bytes, std::size_t& written) override {
        written = m_open ? bytes.size() : 0;
        return m_open;
    }
    bool read(std::span<std::uint8_t> buffer, std::size_t& received) override {
        received = std::min(buffer.size(), m_answers.size() - m_next);
        std::copy_n(m_answers.begin() + static_cast<std::ptrdiff_t>(m_next), received,
                    buffer.begin());
        m_next += received;
        if (received < buffer.size()) {
            m_clock.advance(std::chrono::seconds(1)); // the time-out passes
        }
        return m_open;
    }
    bool setDtr(bool) override { return m_open; }
    bool close() override {
        const bool was = m_open;
        m_open = false;
        return was;
    }

private:
    std::span<const std::uint8_t> m_answers;
    std::size_t m_next = 0;
    ManualClock& m_clock;
    bool m_open = false;
};

class NoProgress : public CommProgress {
public:
    void setStatus(std::string_view) override {}
    void setRange(int) override {}
    void setPosition(int) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint32_t job = (data[0] & 1) != 0 ? JOB_DOWNLOAD : JOB_UPLOAD;
    const int mode = (data[0] & 2) != 0 ? ACCESS_MANUFACTURE : ACCESS_NORMAL;
    ManualClock clock;
    ScriptedDevice device(std::span(data + 1, size - 1), clock);
    LastPortKind lastKind;
    HSerialPort port(device, lastKind);
    NoProgress progress;
    fuzz::SilentPrompt prompt;
    const CommJobContext context{mode, fuzz::scratchPath("home"), false, false};
    HKQ70CommunicationDialog dialog(static_cast<int>(job), port, progress, prompt, clock, context);

    auto document = std::make_unique<RadioImage>(builtInImage(BuiltInImage::Uhf));
    const auto before = std::make_unique<RadioImage>(*document);
    auto work = std::make_unique<RadioImage>();
    auto request = std::make_unique<HCommRequest>(job);
    request->m_workBuffer = work.get();
    request->m_image = document.get();
    request->m_portName = "/dev/ttyUSB0";
    RadioCommands::SetRangeLists(*request, static_cast<TransferDirection>(job), mode);
    const int result = dialog.RunJob(std::move(request));
    if (device.isOpen()) {
        fuzz::fail("the port was left open");
    }
    if (job == JOB_UPLOAD && result != 0 && !(*document == *before)) {
        fuzz::fail("a failed upload changed the document");
    }
    return 0;
}
