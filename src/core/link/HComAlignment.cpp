#include "link/HComAlignment.h"

#include "link/CloneFrame.h"
#include "link/HSerialPort.h"
#include "log/HLogPrint.h"

#include <algorithm>
#include <vector>

namespace kq70 {

namespace {

constexpr std::size_t MIN_FRAME_SIZE = 3;
constexpr int DOUBLE_READS = 2;

std::uint8_t low(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace

HComAlignment::HComAlignment(HSerialPort& port, Clock& clock) : m_port(port), m_clock(clock) {}

bool HComAlignment::SendCommand(std::span<std::uint8_t> frame) {
    if (frame.size() < MIN_FRAME_SIZE) {
        return false;
    }
    frame.back() = frameChecksum(frame.first(frame.size() - 1));
    for (std::uint8_t byte : frame) {
        KQ70_LOG(LOG_D4, LOG_CHANNEL, "SendData %02X", byte);
    }
    m_port.PurgeReceive();
    m_port.PurgeSend();
    m_clock.sleep(PAUSE);
    return m_port.SendMltData(frame) == PORT_SUCCESS;
}

bool HComAlignment::ReceiveReply(std::uint8_t expected, std::size_t length,
                                 std::span<std::uint8_t> buffer) {
    std::vector<std::uint8_t> answer(length, 0);
    const PortResult result = m_port.ReceiveMltData(answer);
    for (std::uint8_t byte : answer) {
        KQ70_LOG(LOG_D4, LOG_CHANNEL, "ReceiveData %02X", byte);
    }
    if (result != PORT_SUCCESS || answer.empty() || answer[0] != expected) {
        return false;
    }
    if (!buffer.empty() && length >= 4) {
        const std::size_t count = std::min(buffer.size(), length - 3);
        std::copy_n(answer.begin() + 2, count, buffer.begin());
    }
    return true;
}

bool HComAlignment::CommandWithAck(std::span<std::uint8_t> frame, AckStyle style) {
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        if (!SendCommand(frame)) {
            continue;
        }
        if (style == AckStyle::DoubleRead) {
            m_clock.sleep(PAUSE);
            for (int read = 0; read < DOUBLE_READS; ++read) {
                if (ReceiveReply(ACK, 1)) {
                    return true;
                }
            }
            continue;
        }
        if (style == AckStyle::PauseBeforeRead) {
            m_clock.sleep(PAUSE);
        }
        if (ReceiveReply(ACK, 1)) {
            return true;
        }
    }
    KQ70_LOG(LOG_WR, LOG_CHANNEL, "service command %02X failed", frame[0]);
    return false;
}

bool HComAlignment::ChangeChannel(int group, int channel) {
    std::array<std::uint8_t, 5> frame{SVC_CHANGE_CHANNEL, 0x03, low(group), low(channel), 0};
    if (CommandWithAck(frame, AckStyle::Plain)) {
        return true;
    }
    KQ70_LOG(LOG_ER, LOG_CHANNEL, "ChangeChannel failed [GROUP:%d][CH:%d]", group, channel);
    return false;
}

bool HComAlignment::ReadAdData(std::array<std::uint8_t, AD_DATA_COUNT>& data) {
    std::array<std::uint8_t, 3> frame{SVC_READ_AD, 0x01, 0};
    if (!SendCommand(frame)) {
        return false;
    }
    std::array<std::uint8_t, AD_DATA_COUNT> received{};
    if (!ReceiveReply(SVC_READ_AD, AD_ANSWER_SIZE, received)) {
        return false;
    }
    data = received;
    return true;
}

int HComAlignment::ReadAd(int index) {
    std::array<std::uint8_t, AD_DATA_COUNT> data{};
    if (index < 0 || index >= static_cast<int>(AD_DATA_COUNT) || !ReadAdData(data)) {
        return 0;
    }
    return data[static_cast<std::size_t>(index)];
}

bool HComAlignment::ReadVcvUl(int& vcv, int& ul) {
    std::array<std::uint8_t, 3> frame{SVC_READ_AD, 0x01, 0};
    if (!SendCommand(frame)) {
        return false;
    }
    m_clock.sleep(PAUSE);
    std::array<std::uint8_t, AD_DATA_COUNT> data{};
    const bool received = ReceiveReply(SVC_READ_AD, AD_ANSWER_SIZE, data);
    m_clock.sleep(PAUSE);
    if (!received) {
        return false;
    }
    vcv = data[AD_VCV];
    ul = data[AD_UL];
    return true;
}

bool HComAlignment::SetTxPowerTuneLevel(std::uint8_t first, std::uint8_t second) {
    std::array<std::uint8_t, 5> frame{SVC_SET_TX_POWER_TUNE_LEVEL, 0x03, first, second, 0};
    return CommandWithAck(frame, AckStyle::DoubleRead);
}

bool HComAlignment::SetAdjustLevel(std::uint8_t first, std::uint8_t second, std::uint8_t third) {
    std::array<std::uint8_t, 6> frame{SVC_SET_ADJUST_LEVEL, 0x04, first, second, third, 0};
    return CommandWithAck(frame, AckStyle::Plain);
}

bool HComAlignment::RequestTx() {
    std::array<std::uint8_t, 3> frame{SVC_REQUEST_TX, 0x01, 0};
    const bool ok = CommandWithAck(frame, AckStyle::Plain);
    m_clock.sleep(PAUSE); // the transmitter settles whatever the answer was
    return ok;
}

bool HComAlignment::RequestRx() {
    std::array<std::uint8_t, 3> frame{SVC_REQUEST_RX, 0x01, 0};
    return CommandWithAck(frame, AckStyle::PauseBeforeRead);
}

bool HComAlignment::StartModulation(std::uint16_t value) {
    std::array<std::uint8_t, 5> frame{SVC_START_MODULATION, 0x03, low(value >> 8), low(value), 0};
    return CommandWithAck(frame, AckStyle::Plain);
}

std::array<std::uint8_t, 2> HComAlignment::SubAudioBytes(bool enable, int flag,
                                                         std::uint16_t value) {
    if (!enable) {
        return {0, 0};
    }
    return {static_cast<std::uint8_t>(((flag & 0x01) << 7) | ((value >> 8) & 0x7F)), low(value)};
}

bool HComAlignment::SetSubAudioModulation(bool enable, int flag, std::uint16_t value) {
    const auto bytes = SubAudioBytes(enable, flag, value);
    std::array<std::uint8_t, 5> frame{SVC_SET_SUB_AUDIO_MODULATION, 0x03, bytes[0], bytes[1], 0};
    return CommandWithAck(frame, AckStyle::Plain);
}

bool HComAlignment::SetAfSwitch(bool on) {
    std::array<std::uint8_t, 4> frame{SVC_SET_AF_SWITCH, 0x02,
                                      static_cast<std::uint8_t>(on ? 0x03 : 0x00), 0};
    return CommandWithAck(frame, AckStyle::Plain);
}

bool HComAlignment::SetFreqDa(std::uint8_t first, std::uint8_t second, std::uint8_t third) {
    std::array<std::uint8_t, 6> frame{SVC_SET_FREQ_DA, 0x04, first, second, third, 0};
    return CommandWithAck(frame, AckStyle::Plain);
}

bool HComAlignment::SendReset() {
    m_port.PurgeReceive();
    m_port.PurgeSend();
    return m_port.SendMltData(RESET_COMMAND) == PORT_SUCCESS;
}

} // namespace kq70
