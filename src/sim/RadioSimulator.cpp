#include "RadioSimulator.h"

#include "link/CloneFrame.h"

#include <algorithm>
#include <array>

namespace kq70 {

namespace {

constexpr std::uint8_t LAST_FLASH_PAGE = 0x4F;
constexpr std::uint16_t OTHER_PRODUCT_CODE = 0xC084;
// Offers the PC has not read pile up no further than a driver's buffer would keep them.
constexpr long long OFFER_BACKLOG = 64;
// Line noise a radio may make while it powers up; never the check byte itself.
constexpr std::array<std::uint8_t, 5> GARBAGE = {0x00, 0xFF, 0x55, 0xAA, 0x0F};

bool isCloneCommand(std::uint8_t byte) {
    return byte == CMD_EEPROM_READ || byte == CMD_EEPROM_WRITE || byte == CMD_FLASH_READ ||
           byte == CMD_FLASH_WRITE || byte == RESET_COMMAND_BYTE;
}

bool isServiceCommand(std::uint8_t byte) {
    return byte >= 0x30 && byte <= 0x3F;
}

// A framed answer: command, length, body, checksum.
std::vector<std::uint8_t> framed(std::uint8_t command, std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> frame;
    frame.reserve(body.size() + 3);
    frame.push_back(command);
    frame.push_back(static_cast<std::uint8_t>(body.size() + 1));
    for (std::uint8_t byte : body) {
        frame.push_back(byte);
    }
    frame.push_back(frameChecksum(frame));
    return frame;
}

} // namespace

RadioSimulator::RadioSimulator(const RadioImage& memory) : m_memory(memory) {}

void RadioSimulator::addFault(const SimFault& fault) {
    switch (fault.kind) {
    case SimFaultKind::NeverOffer:
        m_neverOffer = true;
        break;
    case SimFaultKind::GarbageBeforeCheck:
        m_garbageBeforeCheck = fault.count;
        break;
    case SimFaultKind::WrongProductCode:
        m_memory.setBe16(PRODUCT_CODE_OFFSET, OTHER_PRODUCT_CODE);
        m_memory.setBe16(FLASH_PRODUCT_CODE_OFFSET, OTHER_PRODUCT_CODE);
        break;
    default:
        m_faults.push_back(fault);
        break;
    }
}

void RadioSimulator::switchOn(Duration now) {
    m_rx.clear();
    m_restartAt.reset();
    if (m_neverOffer) {
        m_state = SimState::Off;
        return;
    }
    m_state = SimState::Offering;
    m_nextOffer = now + OFFER_INTERVAL;
    m_garbageLeft = m_garbageBeforeCheck;
}

void RadioSimulator::switchOff() {
    m_state = SimState::Off;
    m_rx.clear();
    m_restartAt.reset();
}

void RadioSimulator::enterCloneMode() {
    m_state = SimState::CloneMode;
    m_rx.clear();
}

void RadioSimulator::enterAdjustmentMode() {
    m_state = SimState::AdjustmentMode;
    m_rx.clear();
}

RadioSimulator::Duration RadioSimulator::byteTime() const {
    return Duration(BITS_PER_BYTE * 1'000'000LL / std::max<std::uint32_t>(m_baudRate, 1));
}

void RadioSimulator::advanceTo(Duration now) {
    if (m_restartAt && *m_restartAt <= now) {
        switchOn(*m_restartAt);
    }
    if (m_state != SimState::Offering) {
        return;
    }
    const long long behind = (now - m_nextOffer) / OFFER_INTERVAL - OFFER_BACKLOG;
    if (behind > 0) {
        m_nextOffer += behind * OFFER_INTERVAL;
        m_garbageLeft -= std::min<unsigned>(m_garbageLeft, static_cast<unsigned>(behind));
    }
    while (m_nextOffer <= now) {
        const std::uint8_t byte =
            m_garbageLeft > 0 ? GARBAGE[(m_garbageBeforeCheck - m_garbageLeft--) % GARBAGE.size()]
                              : CHECK_COMMAND;
        send(std::span(&byte, 1), m_nextOffer);
        m_nextOffer += OFFER_INTERVAL;
    }
}

void RadioSimulator::receive(std::span<const std::uint8_t> bytes, Duration now) {
    advanceTo(now);
    for (std::uint8_t byte : bytes) {
        const Duration arrival = m_pacing ? std::max(now, m_lineInFree) + byteTime() : now;
        m_lineInFree = arrival;
        ++m_bytesReceived;
        if (m_echo) {
            m_output.emplace(arrival, byte); // the lead itself hands it back
        }
        takeByte(byte, arrival);
    }
}

void RadioSimulator::takeByte(std::uint8_t byte, Duration time) {
    switch (m_state) {
    case SimState::Off:
        return;
    case SimState::Offering:
        if (byte == POWER_ON_COMMAND || byte == ADJ_MODE_COMMAND) {
            m_state = byte == POWER_ON_COMMAND ? SimState::CloneMode : SimState::AdjustmentMode;
            record({0, SimState::Offering, {byte}, {}, true, std::nullopt});
        }
        return; // anything else is not for a radio waiting to be answered
    default:
        break;
    }
    if (!m_rx.empty() && time - m_lastByteIn > FRAME_IDLE_TIMEOUT) {
        m_rx.clear();
    }
    m_lastByteIn = time;
    m_rx.push_back(byte);
    parseFrames(time);
}

std::optional<std::size_t> RadioSimulator::frameLength(std::uint8_t command,
                                                       std::uint8_t length) const {
    if (m_state == SimState::AdjustmentMode) {
        return isServiceCommand(command) && length >= 1 && length <= 0x20
                   ? std::optional<std::size_t>(2 + length)
                   : std::nullopt;
    }
    switch (command) {
    case CMD_EEPROM_READ:
    case CMD_FLASH_READ:
        return length == 2 ? std::optional<std::size_t>(READ_REQUEST_SIZE) : std::nullopt;
    case CMD_EEPROM_WRITE:
        return length == 4 ? std::optional<std::size_t>(EEPROM_WRITE_FRAME_SIZE) : std::nullopt;
    case CMD_FLASH_WRITE:
        return length == 0x82 ? std::optional<std::size_t>(FLASH_WRITE_FRAME_SIZE) : std::nullopt;
    case RESET_COMMAND_BYTE:
        return length == 1 ? std::optional<std::size_t>(RESET_COMMAND.size()) : std::nullopt;
    default:
        return std::nullopt;
    }
}

void RadioSimulator::parseFrames(Duration time) {
    while (!m_rx.empty()) {
        const bool known = m_state == SimState::AdjustmentMode ? isServiceCommand(m_rx[0])
                                                               : isCloneCommand(m_rx[0]);
        if (known && m_rx.size() < 2) {
            return;
        }
        const auto length = known ? frameLength(m_rx[0], m_rx[1]) : std::nullopt;
        if (!length) {
            m_rx.erase(m_rx.begin()); // noise; look for a frame from the next byte
            continue;
        }
        if (m_rx.size() < *length) {
            return;
        }
        const std::vector<std::uint8_t> frame(m_rx.begin(), m_rx.begin() + *length);
        m_rx.erase(m_rx.begin(), m_rx.begin() + *length);
        handleFrame(frame, time);
    }
}

const SimFault* RadioSimulator::faultFor(unsigned frameNumber) const {
    for (const SimFault& fault : m_faults) {
        if (fault.frameNumber == frameNumber) {
            return &fault;
        }
    }
    return nullptr;
}

// The answer said the unit was taken; one byte of it is kept inverted all the same.
void RadioSimulator::corruptStoredUnit(std::span<const std::uint8_t> frame, unsigned byte) {
    const std::uint8_t address = frame[2];
    if (frame[0] == CMD_EEPROM_WRITE) {
        const std::size_t offset = eepromWordOffset(address) + std::min<unsigned>(byte, 1);
        m_memory.setByte(offset, static_cast<std::uint8_t>(~m_memory.byteAt(offset)));
    } else if (frame[0] == CMD_FLASH_WRITE && address <= LAST_FLASH_PAGE) {
        const std::size_t offset =
            flashPageOffset(address) + std::min<std::size_t>(byte, FLASH_PAGE_SIZE - 1);
        m_memory.setByte(offset, static_cast<std::uint8_t>(~m_memory.byteAt(offset)));
    }
}

void RadioSimulator::handleFrame(const std::vector<std::uint8_t>& frame, Duration time) {
    SimFrame entry{0, m_state, frame, {}, true, std::nullopt};
    entry.checksumOk = frameChecksum(std::span(frame).first(frame.size() - 1)) == frame.back();
    if (!entry.checksumOk) {
        record(std::move(entry)); // a damaged frame is not answered
        return;
    }
    entry.number = ++m_frameCount;
    const SimFault* fault = faultFor(entry.number);
    if (fault != nullptr) {
        entry.fault = fault->kind;
    }
    if (entry.fault == SimFaultKind::SwitchedOff) {
        record(std::move(entry));
        switchOff();
        return;
    }
    if (frame[0] == RESET_COMMAND_BYTE) {
        m_state = SimState::Off;
        m_rx.clear();
        if (m_restartDelay) {
            m_restartAt = time + *m_restartDelay;
        }
        record(std::move(entry));
        return;
    }
    // A frame that is not answered, or whose write is lost, leaves the memory as it was.
    const bool heard = entry.fault != SimFaultKind::Silence && entry.fault != SimFaultKind::Nak &&
                       entry.fault != SimFaultKind::LostWrite;
    std::vector<std::uint8_t> answer;
    if (m_state == SimState::CloneMode) {
        answer = answerCloneFrame(frame, heard);
        if (entry.fault == SimFaultKind::CorruptStore) {
            corruptStoredUnit(frame, fault->count);
        }
    } else if (m_serviceHandler) {
        answer = m_serviceHandler(frame);
    }
    if (entry.fault == SimFaultKind::Silence) {
        answer.clear();
    } else if (entry.fault == SimFaultKind::Nak) {
        answer = {NAK};
    } else if (entry.fault == SimFaultKind::BadChecksum && !answer.empty()) {
        ++answer.back();
    } else if (entry.fault == SimFaultKind::WrongCommand && !answer.empty()) {
        answer[0] ^= 0x01; // the checksum still fits, so only the command byte is wrong
        if (answer.size() > 1) {
            answer.back() = frameChecksum(std::span(answer).first(answer.size() - 1));
        }
    }
    entry.answer = answer;
    record(std::move(entry));
    send(answer, time);
}

std::vector<std::uint8_t> RadioSimulator::answerCloneFrame(std::span<const std::uint8_t> frame,
                                                           bool store) {
    const std::uint8_t address = frame[2];
    const std::size_t word = eepromWordOffset(address);
    const std::size_t page = flashPageOffset(address);
    switch (frame[0]) {
    case CMD_EEPROM_READ:
        return framed(CMD_EEPROM_READ, m_memory.range(word, EEPROM_WORD_SIZE));
    case CMD_EEPROM_WRITE:
        if (store) {
            m_memory.setByte(word, frame[3]);
            m_memory.setByte(word + 1, frame[4]);
        }
        return framed(CMD_EEPROM_WRITE, frame.subspan(3, EEPROM_WORD_SIZE));
    case CMD_FLASH_READ:
        if (address > LAST_FLASH_PAGE) {
            return {}; // the radio has no such page
        }
        return framed(CMD_FLASH_READ, m_memory.range(page, FLASH_PAGE_SIZE));
    case CMD_FLASH_WRITE:
        if (address > LAST_FLASH_PAGE) {
            return {NAK};
        }
        if (store) {
            const auto data = frame.subspan(3, FLASH_PAGE_SIZE);
            std::copy(data.begin(), data.end(), m_memory.range(page, FLASH_PAGE_SIZE).begin());
        }
        return {ACK};
    default:
        return {};
    }
}

void RadioSimulator::send(std::span<const std::uint8_t> bytes, Duration time) {
    for (std::uint8_t byte : bytes) {
        Duration at = time;
        if (m_pacing) {
            at = std::max(time, m_lineOutFree) + byteTime();
            m_lineOutFree = at;
        }
        m_output.emplace(at, byte);
    }
}

void RadioSimulator::record(SimFrame frame) {
    if (m_recordTranscript) {
        m_transcript.push_back(std::move(frame));
    }
}

std::optional<RadioSimulator::Duration> RadioSimulator::nextEventTime() const {
    std::optional<Duration> next;
    const auto consider = [&next](Duration time) {
        if (!next || time < *next) {
            next = time;
        }
    };
    if (!m_output.empty()) {
        consider(m_output.begin()->first);
    }
    if (m_state == SimState::Offering) {
        consider(m_nextOffer);
    }
    if (m_restartAt) {
        consider(*m_restartAt);
    }
    return next;
}

std::vector<TimedByte> RadioSimulator::takeOutput(Duration now) {
    advanceTo(now);
    std::vector<TimedByte> due;
    const auto end = m_output.upper_bound(now);
    for (auto it = m_output.begin(); it != end; ++it) {
        due.push_back({it->first, it->second});
    }
    m_output.erase(m_output.begin(), end);
    return due;
}

} // namespace kq70
