#pragma once

#include "SimFault.h"
#include "image/RadioImage.h"
#include "platform/Clock.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace kq70 {

// What the simulated radio is doing.
enum class SimState {
    Off,            // switched off, or in normal use: only the lead's echo
    Offering,       // just switched on with the lead attached: sends the check byte
    CloneMode,      // answers the block frames
    AdjustmentMode, // answers the service commands
};

// One frame the radio took, with what it answered; for tests and the tool's trace.
struct SimFrame {
    unsigned number = 0; // 0 for a handshake byte, else the frame count from 1
    SimState state = SimState::Off;
    std::vector<std::uint8_t> request;
    std::vector<std::uint8_t> answer;
    bool checksumOk = true;
    std::optional<SimFaultKind> fault;
};

// A byte on its way to the PC and when it reaches the line.
struct TimedByte {
    Clock::Duration time;
    std::uint8_t value;
};

// The radio's side of the programming lead. It holds the radio's memory (512 bytes of
// EEPROM and 80 flash pages, kept in a memory image), echoes every byte the PC sends as the
// one-wire lead does, offers a connection after it is switched on, and in clone mode
// answers the block frames; the reset command switches it off. It runs on the time the
// caller gives it and never waits itself, so one object serves the in-process link on
// virtual time and the pseudo-terminal on real time. Not thread-safe.
class RadioSimulator {
public:
    using Duration = Clock::Duration;
    // An adjustment-mode frame (checksum checked) → the radio's answer, possibly nothing.
    using ServiceHandler = std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>)>;

    static constexpr Duration OFFER_INTERVAL = std::chrono::milliseconds(100);
    // A frame left half-sent this long is forgotten, so the next one is read afresh.
    static constexpr Duration FRAME_IDLE_TIMEOUT = std::chrono::milliseconds(300);
    static constexpr unsigned BITS_PER_BYTE = 11; // start, 8 data, two stop bits

    explicit RadioSimulator(const RadioImage& memory);

    // With pacing every byte takes its time on the line at the baud rate.
    void setBaudRate(std::uint32_t baudRate) { m_baudRate = baudRate; }
    void setPacing(bool pacing) { m_pacing = pacing; }
    // A lead that does not loop the PC's bytes back.
    void setEcho(bool echo) { m_echo = echo; }
    // After the reset command the radio comes back on by itself after `delay`, as if the
    // user switched it off and on; without it the radio stays off.
    void setRestartDelay(std::optional<Duration> delay) { m_restartDelay = delay; }
    void setRecordTranscript(bool record) { m_recordTranscript = record; }
    void setServiceHandler(ServiceHandler handler) { m_serviceHandler = std::move(handler); }
    void addFault(const SimFault& fault);

    void switchOn(Duration now);
    void switchOff();
    // As if a handshake had just happened, for a radio left in clone mode.
    void enterCloneMode();
    // As if the handshake had been answered with the adjustment-mode command.
    void enterAdjustmentMode();
    SimState state() const { return m_state; }

    // Bytes from the PC arriving at `now`.
    void receive(std::span<const std::uint8_t> bytes, Duration now);
    // When the next byte for the PC (or a restart) is due; nothing while all is quiet.
    std::optional<Duration> nextEventTime() const;
    // Every byte for the PC due by `now`, in order.
    std::vector<TimedByte> takeOutput(Duration now);

    const RadioImage& memory() const { return m_memory; }
    RadioImage& memory() { return m_memory; }
    const std::vector<SimFrame>& transcript() const { return m_transcript; }
    std::size_t bytesReceived() const { return m_bytesReceived; }
    unsigned framesTaken() const { return m_frameCount; }

private:
    void advanceTo(Duration now);
    void takeByte(std::uint8_t byte, Duration time);
    void parseFrames(Duration time);
    std::optional<std::size_t> frameLength(std::uint8_t command, std::uint8_t length) const;
    void handleFrame(const std::vector<std::uint8_t>& frame, Duration time);
    std::vector<std::uint8_t> answerCloneFrame(std::span<const std::uint8_t> frame, bool store);
    const SimFault* faultFor(unsigned frameNumber) const;
    void corruptStoredUnit(std::span<const std::uint8_t> frame, unsigned byte);
    void send(std::span<const std::uint8_t> bytes, Duration time);
    void record(SimFrame frame);
    Duration byteTime() const;

    RadioImage m_memory;
    SimState m_state = SimState::Off;
    std::uint32_t m_baudRate = 9600;
    bool m_pacing = false;
    bool m_echo = true;
    bool m_recordTranscript = true;
    std::optional<Duration> m_restartDelay;
    std::optional<Duration> m_restartAt;
    ServiceHandler m_serviceHandler;
    std::vector<SimFault> m_faults;
    bool m_neverOffer = false;
    unsigned m_garbageBeforeCheck = 0;
    unsigned m_garbageLeft = 0;

    Duration m_nextOffer{0};
    Duration m_lineInFree{0};  // when the PC's next byte can have arrived
    Duration m_lineOutFree{0}; // when the radio's next byte can start
    Duration m_lastByteIn{0};
    std::vector<std::uint8_t> m_rx;
    std::multimap<Duration, std::uint8_t> m_output;
    std::vector<SimFrame> m_transcript;
    std::size_t m_bytesReceived = 0;
    unsigned m_frameCount = 0;
};

} // namespace kq70
