#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <span>
#include <string_view>
#include <vector>

namespace kq70 {

class RadioSimulator;

// What a scripted service-command fault does to the radio's answer.
enum class SimServiceFaultKind {
    Nak,          // 0x15 instead of the answer
    Silence,      // no answer at all
    BadFirstByte, // the answer with a wrong first byte
};

// A fault for every frame of one service command; `times` 0 means for ever.
struct SimServiceFault {
    std::uint8_t command = 0;
    SimServiceFaultKind kind = SimServiceFaultKind::Nak;
    unsigned times = 0;
};

// Reads a service fault from the command line: "nak:30", "silence:31" or "byte:32" (the
// command byte in hex), optionally followed by "*N" for the first N frames only.
std::optional<SimServiceFault> parseSimServiceFault(std::string_view word);

// What the radio was last told in adjustment mode, for tests and traces.
struct SimAdjustmentState {
    int group = 0;
    int channel = 0;
    bool transmitting = false;
    std::uint8_t tuneLevel = 0; // first byte of the power/tune command: tune D/A or TX power
    std::uint8_t vcoLevel = 0;  // second byte: the VCO D/A
    bool tuneSent = false;      // a tune level came since the last channel change
    std::array<std::uint8_t, 3> adjustLevel{};
    std::uint16_t modulation = 0;
    std::array<std::uint8_t, 2> subAudio{};
    bool afOn = false;
    std::array<std::uint8_t, 3> freqDa{};
};

// The simulated radio's RF circuits as the service commands see them. Per alignment point
// (channel 0 the Low point, 2 the High point, any other the Middle point) each VCO locks
// only inside a window of D/A values, where its control voltage falls as the D/A rises; the
// RSSI peaks over a few tune steps around a point-dependent tune value and falls off beside
// it; the noise squelch and RSSI readings follow the signal generator's level and the
// battery reading the supply voltage. Readings carry a little seeded noise.
class SimAdjustmentModel {
public:
    // VCO lock windows: centre ± this many D/A steps.
    static constexpr int VCO_HALF_WINDOW = 40;
    static constexpr int LOCKED_UL = 230;
    static constexpr int UNLOCKED_UL = 40;
    // RSSI plateau of ± this many tune steps around the peak, then this much less per step.
    static constexpr int TUNE_PLATEAU = 2;
    static constexpr int TUNE_FALL_PER_STEP = 6;

    explicit SimAdjustmentModel(std::uint32_t noiseSeed = 1);

    // Answers the adjustment-mode frames of `radio` from now on.
    void attachTo(RadioSimulator& radio);
    // The answer to one service frame (checksum already checked): ACK, the A/D frame, or
    // NAK for a command the radio does not know.
    std::vector<std::uint8_t> answer(std::span<const std::uint8_t> frame);

    void setSupplyVoltage(double volts) { m_supplyVolts = volts; }
    // The signal generator's level in dBµV EMF.
    void setSignalLevel(int dbuv) { m_signalLevel = dbuv; }
    // ± this much noise on every reading; 0 makes the radio exact.
    void setNoiseAmplitude(int amplitude) { m_noise = amplitude; }
    void addFault(const SimServiceFault& fault) { m_faults.push_back(fault); }

    const SimAdjustmentState& state() const { return m_state; }
    // How many frames of each command byte came in.
    const std::map<std::uint8_t, unsigned>& commandCounts() const { return m_counts; }

    // The model's point of a channel (0 Low, 1 Middle, 2 High) and its characteristic values.
    static int pointOfChannel(int channel);
    static int vcoCentre(bool transmit, int point);
    static int tunePeak(int point);
    // The readings without noise.
    int vcv() const;
    int lockDetector() const;
    int rssi() const;
    int noiseSquelch() const;
    int battery() const;

private:
    std::vector<std::uint8_t> compute(std::span<const std::uint8_t> frame);
    std::vector<std::uint8_t> adFrame();
    int noisy(int value);

    SimAdjustmentState m_state;
    std::map<std::uint8_t, unsigned> m_counts;
    std::vector<SimServiceFault> m_faults;
    std::mt19937 m_random;
    int m_noise = 1;
    int m_signalLevel = 0;
    double m_supplyVolts = 7.5;
};

} // namespace kq70
