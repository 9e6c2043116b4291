#pragma once

#include "platform/Clock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kq70 {

class HSerialPort;

// Command bytes of the adjustment mode's service commands.
constexpr std::uint8_t SVC_CHANGE_CHANNEL = 0x30;
constexpr std::uint8_t SVC_READ_AD = 0x31;
constexpr std::uint8_t SVC_SET_TX_POWER_TUNE_LEVEL = 0x32;
constexpr std::uint8_t SVC_SET_ADJUST_LEVEL = 0x33;
constexpr std::uint8_t SVC_REQUEST_TX = 0x34;
constexpr std::uint8_t SVC_REQUEST_RX = 0x35;
constexpr std::uint8_t SVC_START_MODULATION = 0x36;
constexpr std::uint8_t SVC_SET_SUB_AUDIO_MODULATION = 0x37;
constexpr std::uint8_t SVC_SET_AF_SWITCH = 0x39;
constexpr std::uint8_t SVC_SET_FREQ_DA = 0x3B;

// The A/D answer: 0x31, length, six data bytes, checksum.
constexpr std::size_t AD_ANSWER_SIZE = 9;
constexpr std::size_t AD_DATA_COUNT = 6;
// What the A/D data bytes carry.
constexpr int AD_BATTERY = 0;
constexpr int AD_NSQ = 1;
constexpr int AD_RSSI = 2;
constexpr int AD_VCV = 4;
constexpr int AD_UL = 5;

// The service commands of a radio in adjustment mode, over a port that is already open with
// the echo read back. Each command is one frame (command, length, parameters, checksum)
// answered by an ACK or, for the A/D read, a 9-byte frame; only the answer's first byte is
// looked at. Commands with an ACK are tried up to six times. Every pause goes through the
// Clock. Failures are reported by result only; the alignment windows decide what to show.
class HComAlignment {
public:
    static constexpr int ATTEMPTS = 6;
    static constexpr Clock::Duration PAUSE = std::chrono::milliseconds(20);

    HComAlignment(HSerialPort& port, Clock& clock);
    virtual ~HComAlignment() = default;
    HComAlignment(const HComAlignment&) = delete;
    HComAlignment& operator=(const HComAlignment&) = delete;

    // Puts the checksum of bytes 0..n-2 into the last byte and sends the frame; false for a
    // frame shorter than 3 bytes (nothing is sent) or a failed send.
    bool SendCommand(std::span<std::uint8_t> frame);
    // True when `length` bytes arrived and the first is `expected`. With a buffer and a
    // length of 4 or more, bytes 2 .. length-2 are copied into it.
    bool ReceiveReply(std::uint8_t expected, std::size_t length,
                      std::span<std::uint8_t> buffer = {});

    virtual bool ChangeChannel(int group, int channel);
    // Data byte `index` (0–5) of one A/D read; 0 when the read failed.
    int ReadAd(int index);
    // The same read, telling a failure apart from a reading of 0.
    virtual bool ReadAdData(std::array<std::uint8_t, AD_DATA_COUNT>& data);
    // VCO control voltage (d4) and lock detector (d5), with a pause before and after.
    virtual bool ReadVcvUl(int& vcv, int& ul);
    virtual bool SetTxPowerTuneLevel(std::uint8_t first, std::uint8_t second);
    virtual bool SetAdjustLevel(std::uint8_t first, std::uint8_t second, std::uint8_t third);
    virtual bool RequestTx();
    virtual bool RequestRx();
    virtual bool StartModulation(std::uint16_t value);
    // Off sends two zero bytes; on sends the flag's bit 0 in bit 7 with bits 14–8 of the
    // value, then its low byte.
    virtual bool SetSubAudioModulation(bool enable, int flag, std::uint16_t value);
    virtual bool SetAfSwitch(bool on);
    virtual bool SetFreqDa(std::uint8_t first, std::uint8_t second, std::uint8_t third);
    // The reset command: the radio leaves the adjustment mode and restarts.
    virtual bool SendReset();

    // The two parameter bytes SetSubAudioModulation sends.
    static std::array<std::uint8_t, 2> SubAudioBytes(bool enable, int flag, std::uint16_t value);

private:
    enum class AckStyle { Plain, DoubleRead, PauseBeforeRead };
    bool CommandWithAck(std::span<std::uint8_t> frame, AckStyle style);

    HSerialPort& m_port;
    Clock& m_clock;
};

} // namespace kq70
