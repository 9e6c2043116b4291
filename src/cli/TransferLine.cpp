#include "TransferLine.h"

#include "SimulatedRadioLine.h"
#include "doc/DataFile.h"
#include "platform/PosixSerialDevice.h"

namespace kq70 {

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
    line->m_radio = std::make_unique<SimulatedRadioLine>(memory, line->m_systemClock);
    line->m_paced = !instant;
    return line;
}

SerialDevice& TransferLine::device() {
    return m_radio ? m_radio->device(m_paced) : *m_serial;
}

Clock& TransferLine::clock() {
    return m_radio ? m_radio->clock() : static_cast<Clock&>(m_systemClock);
}

} // namespace kq70
