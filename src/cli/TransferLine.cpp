#include "TransferLine.h"

#include "InProcessRadio.h"
#include "RealTimeLink.h"
#include "doc/DataFile.h"
#include "platform/PosixSerialDevice.h"

namespace kq70 {

namespace {

constexpr auto RESTART_DELAY = std::chrono::milliseconds(1000);

} // namespace

TransferLine::TransferLine() = default;
TransferLine::~TransferLine() = default;

std::unique_ptr<TransferLine> TransferLine::serialPort() {
    std::unique_ptr<TransferLine> line(new TransferLine());
    line->m_serial = std::make_unique<PosixSerialDevice>(line->m_systemClock);
    return line;
}

std::unique_ptr<TransferLine> TransferLine::simulatedRadio(const std::string& imagePath,
                                                           bool instant, UserPrompt& prompt) {
    auto memory = std::make_unique<RadioImage>(makeSimulatorSeedImage());
    if (!imagePath.empty() && !ReadDataFile(imagePath, *memory, prompt)) {
        return nullptr;
    }
    return simulatedRadio(*memory, instant);
}

std::unique_ptr<TransferLine> TransferLine::simulatedRadio(const RadioImage& memory, bool instant) {
    std::unique_ptr<TransferLine> line(new TransferLine());
    line->m_radio = std::make_unique<InProcessRadio>(memory);
    RadioSimulator& radio = line->m_radio->radio;
    radio.setPacing(true);
    radio.setRecordTranscript(false);
    // Switched off by the reset command, the radio comes back on as a user would switch it:
    // the alignment pass needs it again after each reset.
    radio.setRestartDelay(RESTART_DELAY);
    radio.switchOn(line->m_radio->clock.now());
    if (!instant) {
        line->m_paced = std::make_unique<RealTimeLink>(line->m_radio->link, line->m_radio->clock,
                                                       line->m_systemClock);
    }
    return line;
}

SerialDevice& TransferLine::device() {
    if (m_paced) {
        return *m_paced;
    }
    if (m_radio) {
        return m_radio->link;
    }
    return *m_serial;
}

Clock& TransferLine::clock() {
    if (m_radio) {
        return m_radio->clock; // the link moves it on; the job's pauses must too
    }
    return m_systemClock;
}

} // namespace kq70
