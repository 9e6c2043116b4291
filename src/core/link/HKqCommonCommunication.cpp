#include "link/HKqCommonCommunication.h"

#include "image/RadioImage.h"
#include "link/CancelFlag.h"
#include "link/CloneFrame.h"
#include "link/CommProgress.h"
#include "link/HCommRequest.h"
#include "link/HSerialPort.h"
#include "log/HLogPrint.h"
#include "platform/Clock.h"
#include "ui/Strings.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <vector>

namespace kq70 {

namespace {

constexpr auto ADJ_MODE_PAUSE = std::chrono::milliseconds(50);
constexpr int CHANNEL_TABLE_FLASH_OFFSET = static_cast<int>(CHANNEL_TABLE_OFFSET - FLASH_OFFSET);

bool IsAlignmentJob(std::uint32_t jobNumber) {
    return jobNumber >= 2 && jobNumber <= 4;
}

std::size_t UnitSize(int area) {
    return area == AREA_EEPROM ? EEPROM_WORD_SIZE : FLASH_PAGE_SIZE;
}

std::size_t UnitOffset(int area, std::uint8_t address) {
    return area == AREA_EEPROM ? eepromWordOffset(address)
                               : HKqCommonCommunication::FLASH_BASE + FLASH_PAGE_SIZE * address;
}

// Only EEPROM words and the radio's 80 flash pages map into a buffer; anything else would
// land beyond it.
bool IsValidUnit(int area, std::uint8_t address) {
    return area == AREA_EEPROM ||
           (area == AREA_FLASH && address <= HKqCommonCommunication::LAST_FLASH_PAGE);
}

std::array<std::uint8_t, READ_REQUEST_SIZE> ReadRequestFrame(int area, std::uint8_t address) {
    std::array<std::uint8_t, READ_REQUEST_SIZE> frame{
        area == AREA_EEPROM ? CMD_EEPROM_READ : CMD_FLASH_READ, 0x02, address, 0};
    frame[3] = frameChecksum(std::span(frame).first(3));
    return frame;
}

std::vector<std::uint8_t> WriteFrame(int area, std::uint8_t address, const RadioImage& buffer) {
    const std::size_t size = UnitSize(area);
    std::vector<std::uint8_t> frame;
    frame.reserve(size + 4);
    frame.push_back(area == AREA_EEPROM ? CMD_EEPROM_WRITE : CMD_FLASH_WRITE);
    frame.push_back(static_cast<std::uint8_t>(size + 2));
    frame.push_back(address);
    const auto data = buffer.range(UnitOffset(area, address), size);
    frame.insert(frame.end(), data.begin(), data.end());
    frame.push_back(frameChecksum(frame));
    return frame;
}

// Command byte and checksum of a framed answer; its length byte is not looked at.
bool IsFramedAnswer(std::span<const std::uint8_t> answer, std::uint8_t command) {
    return answer[0] == command && frameChecksum(answer.first(answer.size() - 1)) == answer.back();
}

} // namespace

HKqCommonCommunication::HKqCommonCommunication(HSerialPort& port, CommProgress& progress,
                                               Clock& clock)
    : m_port(port), m_progress(progress), m_clock(clock) {}

bool HKqCommonCommunication::OpenPortForJob(HCommRequest& request) {
    m_port.SetPortKind(request.m_portKind);
    SetupPortIdentity();
    m_port.SetEchoSuppression(request.m_echoSuppression);
    m_port.SetPortNumber(request.m_portNumber);
    m_port.SetPortName(request.m_portName);
    ConfigurePort(request);
    return m_port.Open() == 0;
}

void HKqCommonCommunication::ConfigurePort(HCommRequest& request) {
    SerialLineSettings dcb = m_port.GetDcb();
    KQ70_LOG(LOG_D3, LOG_CHANNEL,
             "DCB BaudRate %u fBinary %u fParity %u fOutxCtsFlow %u fOutxDsrFlow %u "
             "fDtrControl %u fRtsControl %u fOutX %u fInX %u ByteSize %u Parity %u StopBits %u",
             dcb.BaudRate, dcb.fBinary, dcb.fParity, dcb.fOutxCtsFlow, dcb.fOutxDsrFlow,
             dcb.fDtrControl, dcb.fRtsControl, dcb.fOutX, dcb.fInX, dcb.ByteSize, dcb.Parity,
             dcb.StopBits);
    dcb.ByteSize = static_cast<std::uint8_t>(request.m_byteSize & 0xFF);
    dcb.StopBits = static_cast<std::uint8_t>(request.m_stopBits & 0xFF);
    dcb.Parity = static_cast<std::uint8_t>(request.m_parity & 0xFF);
    dcb.BaudRate = request.GetBaudRate();
    KQ70_LOG(LOG_D3, LOG_CHANNEL, "DCB now ByteSize %u StopBits %u Parity %u BaudRate %u",
             dcb.ByteSize, dcb.StopBits, dcb.Parity, dcb.BaudRate);
    m_port.SetDcb(dcb);
}

void HKqCommonCommunication::SetupPortIdentity() {
    m_port.SetIdentityByte(2, 0x8C);
    m_port.SetIdentityByte(4, 0x00);
}

bool HKqCommonCommunication::SetCloneMode(HCommRequest& request, bool probeFirst) {
    if (probeFirst) {
        // A radio left in clone mode by an earlier job answers at once.
        std::unique_ptr<RadioImage> scratch;
        RadioImage* buffer = request.m_workBuffer;
        if (buffer == nullptr) {
            scratch = std::make_unique<RadioImage>();
            buffer = scratch.get();
        }
        if (ReadBlock(AREA_EEPROM, 0, 0, *buffer, request)) {
            KQ70_LOG(LOG_D2, LOG_CHANNEL, "SetCloneMode: radio already in clone mode");
            return true;
        }
    }
    m_port.PurgeReceive();
    m_port.PurgeSend();
    m_progress.setStatus(text::SWITCH_RADIO_ON_TO_START);
    return WaitForCheckCommand(request, POWER_ON_COMMAND);
}

bool HKqCommonCommunication::SetAdjMode(HCommRequest& request) {
    m_port.PurgeReceive();
    m_port.PurgeSend();
    m_progress.setStatus(text::SWITCH_RADIO_ON_TO_START);
    m_clock.sleep(ADJ_MODE_PAUSE);
    return WaitForCheckCommand(request, ADJ_MODE_COMMAND);
}

bool HKqCommonCommunication::WaitForCheckCommand(HCommRequest& request, std::uint8_t answer) {
    for (int attempt = 0; attempt < HANDSHAKE_ATTEMPTS; ++attempt) {
        if (StopRequested()) {
            request.m_errorCode = 0;
            return false;
        }
        std::uint8_t byte = 0;
        const PortResult result = m_port.ReceiveSglData(byte);
        if (result == PORT_COMM_ERROR) {
            request.m_errorCode = PORT_COMM_ERROR;
            return false;
        }
        if (result != PORT_SUCCESS || byte != CHECK_COMMAND) {
            continue; // silence or line noise: keep listening
        }
        const PortResult sent = m_port.SendSglData(answer);
        if (sent != PORT_SUCCESS) {
            request.m_errorCode = sent;
            return false;
        }
        KQ70_LOG(LOG_D2, LOG_CHANNEL, "Check command answered with %02X", answer);
        m_progress.setStatus(text::NOW_UPLOADING);
        return true;
    }
    KQ70_LOG(LOG_WR, LOG_CHANNEL, "no Check command from the radio");
    request.m_errorCode = 0;
    return false;
}

bool HKqCommonCommunication::SendFrame(std::span<const std::uint8_t> frame, int retries,
                                       HCommRequest* request) {
    for (int attempt = 0; attempt <= std::max(retries, 0); ++attempt) {
        const PortResult result = m_port.SendMltData(frame);
        if (result == PORT_SUCCESS) {
            return true;
        }
        if (request != nullptr) {
            request->m_errorCode = result;
        }
    }
    return false;
}

bool HKqCommonCommunication::ReadBlock(int area, std::uint8_t address, int retries,
                                       RadioImage& buffer, HCommRequest& request) {
    m_port.PurgeReceive();
    m_port.PurgeSend();
    if (!IsValidUnit(area, address)) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "ReadBlock: no unit %02X in area %d", address, area);
        return false;
    }
    const auto frame = ReadRequestFrame(area, address);
    if (!SendFrame(frame, retries, &request)) {
        return false;
    }
    std::array<std::uint8_t, FLASH_READ_ANSWER_SIZE> answer{};
    const auto received = std::span(answer).first(area == AREA_EEPROM ? EEPROM_READ_ANSWER_SIZE
                                                                      : FLASH_READ_ANSWER_SIZE);
    const PortResult result = m_port.ReceiveMltData(received);
    if (result != PORT_SUCCESS) {
        request.m_errorCode = result;
        return false;
    }
    if (!IsFramedAnswer(received, frame[0])) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "ReadBlock %d/%02X: answer refused", area, address);
        return false;
    }
    const auto data = received.subspan(2, UnitSize(area));
    std::copy(data.begin(), data.end(),
              buffer.range(UnitOffset(area, address), data.size()).begin());
    return true;
}

bool HKqCommonCommunication::WriteBlock(int area, std::uint8_t address, int retries,
                                        const RadioImage& buffer, HCommRequest* request) {
    m_port.PurgeReceive();
    m_port.PurgeSend();
    if (!IsValidUnit(area, address)) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "WriteBlock: no unit %02X in area %d", address, area);
        return false;
    }
    const auto frame = WriteFrame(area, address, buffer);
    if (!SendFrame(frame, retries, request)) {
        return false;
    }
    std::array<std::uint8_t, EEPROM_WRITE_ANSWER_SIZE> answer{};
    const auto received = std::span(answer).first(area == AREA_EEPROM ? EEPROM_WRITE_ANSWER_SIZE
                                                                      : FLASH_WRITE_ANSWER_SIZE);
    const PortResult result = m_port.ReceiveMltData(received);
    if (result != PORT_SUCCESS) {
        if (request != nullptr) {
            request->m_errorCode = result;
        }
        return false;
    }
    const bool accepted =
        area == AREA_EEPROM ? IsFramedAnswer(received, CMD_EEPROM_WRITE) : received[0] == ACK;
    if (!accepted) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "WriteBlock %d/%02X: answer %02X refused", area, address,
                 received[0]);
    }
    return accepted;
}

int HKqCommonCommunication::SendReset(HCommRequest& request) {
    m_port.PurgeReceive();
    m_port.PurgeSend();
    const PortResult result = m_port.SendMltData(RESET_COMMAND);
    request.m_errorCode = result;
    return result == PORT_SUCCESS ? 0 : 1;
}

std::uint8_t HKqCommonCommunication::ResolvedFlashLast(std::uint8_t first, int capacity,
                                                       bool forWrite, std::uint32_t jobNumber) {
    const int pages =
        (capacity * static_cast<int>(CHANNEL_RECORD_SIZE) + CHANNEL_TABLE_FLASH_OFFSET) /
            static_cast<int>(FLASH_PAGE_SIZE) -
        2;
    int last = first + pages;
    if (forWrite) {
        last = std::min<int>(last, MAX_WRITE_FLASH_LAST);
    }
    if (IsAlignmentJob(jobNumber)) {
        last = std::max<int>(last, MIN_ALIGNMENT_FLASH_LAST);
    }
    return static_cast<std::uint8_t>(std::min<int>(last, LAST_FLASH_PAGE));
}

int HKqCommonCommunication::ResolveFlashRanges(RangeList& ranges, const RadioImage& image,
                                               bool forWrite, std::uint32_t jobNumber) {
    const int capacity = channelCapacityForRadioChannel(radioChannelValueOf(image));
    int pages = 0;
    for (BlockRange& range : ranges) {
        if (range.last == FLASH_LAST_END_OF_CHANNELS) {
            range.last = ResolvedFlashLast(range.first, capacity, forWrite, jobNumber);
        }
        pages += std::max(0, range.last - range.first + 1);
    }
    return pages;
}

bool HKqCommonCommunication::PrepareReadPhase(HCommRequest& request) {
    if (request.m_workBuffer == nullptr) {
        return false;
    }
    StartProgress(
        ResolveFlashRanges(request.m_flashRead, *request.m_workBuffer, false, request.m_jobNumber));
    return true;
}

bool HKqCommonCommunication::PrepareWritePhase(HCommRequest& request) {
    if (request.m_image == nullptr) {
        return false;
    }
    // From here a stop leaves the radio partly written; the one who asks to stop is told. A
    // stopped alignment writes the radio's former data back itself: nothing to tell.
    if (m_cancel != nullptr && !IsAlignmentJob(request.m_jobNumber)) {
        m_cancel->noteWriting();
    }
    StartProgress(
        ResolveFlashRanges(request.m_flashWrite, *request.m_image, true, request.m_jobNumber));
    return true;
}

void HKqCommonCommunication::StartProgress(int high) {
    m_progressPosition = 0;
    m_wordsSinceStep = 0;
    m_progress.setRange(high);
    m_progress.setPosition(0);
}

bool HKqCommonCommunication::StopRequested() {
    if (m_cancel != nullptr && m_cancel->requested()) {
        if (!m_stoppedByCancel) {
            KQ70_LOG(LOG_WR, LOG_CHANNEL, "stopped at the user's request");
        }
        m_stoppedByCancel = true;
    }
    return m_stoppedByCancel;
}

void HKqCommonCommunication::StepProgress(int area) {
    if (area == AREA_EEPROM && ++m_wordsSinceStep < EEPROM_WORDS_PER_PROGRESS_STEP) {
        return;
    }
    m_wordsSinceStep = 0;
    m_progress.setPosition(++m_progressPosition);
    if (area == AREA_FLASH) {
        m_clock.sleep(Clock::Duration::zero()); // let the rest of the program breathe
    }
}

bool HKqCommonCommunication::ReadList(int area, const RangeList& ranges, RadioImage& buffer,
                                      HCommRequest& request) {
    for (const BlockRange& range : ranges) {
        for (int unit = range.first; unit <= range.last; ++unit) {
            if (StopRequested() ||
                !ReadBlock(area, static_cast<std::uint8_t>(unit), 0, buffer, request)) {
                return false;
            }
            StepProgress(area);
        }
    }
    return true;
}

bool HKqCommonCommunication::WriteList(int area, const RangeList& ranges, const RadioImage& buffer,
                                       HCommRequest& request) {
    for (const BlockRange& range : ranges) {
        for (int unit = range.first; unit <= range.last; ++unit) {
            if (StopRequested() ||
                !WriteBlock(area, static_cast<std::uint8_t>(unit), 0, buffer, &request)) {
                return false;
            }
            StepProgress(area);
        }
    }
    return true;
}

} // namespace kq70
