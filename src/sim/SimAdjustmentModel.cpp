#include "SimAdjustmentModel.h"

#include "RadioSimulator.h"
#include "link/CloneFrame.h"
#include "link/HComAlignment.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kq70 {

namespace {

constexpr int POINT_LOW = 0;
constexpr int POINT_MIDDLE = 1;
constexpr int POINT_HIGH = 2;
constexpr std::array<int, 3> RX_VCO_CENTRES = {90, 110, 130};
constexpr int TX_VCO_OFFSET = 10;
constexpr std::array<int, 3> TUNE_PEAKS = {62, 110, 160};
constexpr int VCV_RAIL = 255;
constexpr int VCV_FALL_PER_STEP = 2;
constexpr int RSSI_AT_0_DBUV = 100;
constexpr int RSSI_PER_DB = 3;
constexpr int NSQ_AT_0_DBUV = 180;
constexpr int NSQ_PER_DB = 5;
constexpr double BATTERY_PER_VOLT = 25.0;
constexpr std::uint8_t AD_SPARE_BYTE = 0x80;

int clampByte(int value) {
    return std::clamp(value, 0, 255);
}

} // namespace

std::optional<SimServiceFault> parseSimServiceFault(std::string_view word) {
    const std::size_t colon = word.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view kind = word.substr(0, colon);
    SimServiceFault fault;
    if (kind == "nak") {
        fault.kind = SimServiceFaultKind::Nak;
    } else if (kind == "silence") {
        fault.kind = SimServiceFaultKind::Silence;
    } else if (kind == "byte") {
        fault.kind = SimServiceFaultKind::BadFirstByte;
    } else {
        return std::nullopt;
    }
    std::string_view rest = word.substr(colon + 1);
    const std::size_t star = rest.find('*');
    const std::string_view command = rest.substr(0, star);
    unsigned value = 0;
    auto [end, error] = std::from_chars(command.data(), command.data() + command.size(), value, 16);
    if (error != std::errc() || end != command.data() + command.size() || command.empty() ||
        value > 0xFF) {
        return std::nullopt;
    }
    fault.command = static_cast<std::uint8_t>(value);
    if (star != std::string_view::npos) {
        const std::string_view times = rest.substr(star + 1);
        auto [timesEnd, timesError] =
            std::from_chars(times.data(), times.data() + times.size(), fault.times);
        if (timesError != std::errc() || timesEnd != times.data() + times.size() || times.empty() ||
            fault.times == 0) {
            return std::nullopt;
        }
    }
    return fault;
}

SimAdjustmentModel::SimAdjustmentModel(std::uint32_t noiseSeed) : m_random(noiseSeed) {}

void SimAdjustmentModel::attachTo(RadioSimulator& radio) {
    radio.setServiceHandler([this](std::span<const std::uint8_t> frame) { return answer(frame); });
}

int SimAdjustmentModel::pointOfChannel(int channel) {
    return channel == 0 ? POINT_LOW : channel == 2 ? POINT_HIGH : POINT_MIDDLE;
}

int SimAdjustmentModel::vcoCentre(bool transmit, int point) {
    return RX_VCO_CENTRES[static_cast<std::size_t>(std::clamp(point, 0, 2))] +
           (transmit ? TX_VCO_OFFSET : 0);
}

int SimAdjustmentModel::tunePeak(int point) {
    return TUNE_PEAKS[static_cast<std::size_t>(std::clamp(point, 0, 2))];
}

int SimAdjustmentModel::vcv() const {
    const int low =
        vcoCentre(m_state.transmitting, pointOfChannel(m_state.channel)) - VCO_HALF_WINDOW;
    return clampByte(VCV_RAIL - VCV_FALL_PER_STEP * (m_state.vcoLevel - low));
}

int SimAdjustmentModel::lockDetector() const {
    const int centre = vcoCentre(m_state.transmitting, pointOfChannel(m_state.channel));
    return std::abs(m_state.vcoLevel - centre) <= VCO_HALF_WINDOW ? LOCKED_UL : UNLOCKED_UL;
}

int SimAdjustmentModel::rssi() const {
    int level = RSSI_AT_0_DBUV + RSSI_PER_DB * m_signalLevel;
    if (m_state.tuneSent) {
        const int off = std::abs(m_state.tuneLevel - tunePeak(pointOfChannel(m_state.channel)));
        level -= TUNE_FALL_PER_STEP * std::max(0, off - TUNE_PLATEAU);
    }
    return clampByte(level);
}

int SimAdjustmentModel::noiseSquelch() const {
    return clampByte(NSQ_AT_0_DBUV - NSQ_PER_DB * m_signalLevel);
}

int SimAdjustmentModel::battery() const {
    return clampByte(static_cast<int>(std::lround(m_supplyVolts * BATTERY_PER_VOLT)));
}

int SimAdjustmentModel::noisy(int value) {
    if (m_noise <= 0) {
        return value;
    }
    std::uniform_int_distribution<int> spread(-m_noise, m_noise);
    return clampByte(value + spread(m_random));
}

std::vector<std::uint8_t> SimAdjustmentModel::adFrame() {
    std::vector<std::uint8_t> frame = {SVC_READ_AD,
                                       static_cast<std::uint8_t>(AD_DATA_COUNT + 1),
                                       static_cast<std::uint8_t>(noisy(battery())),
                                       static_cast<std::uint8_t>(noisy(noiseSquelch())),
                                       static_cast<std::uint8_t>(noisy(rssi())),
                                       AD_SPARE_BYTE,
                                       static_cast<std::uint8_t>(noisy(vcv())),
                                       static_cast<std::uint8_t>(noisy(lockDetector()))};
    frame.push_back(frameChecksum(frame));
    return frame;
}

std::vector<std::uint8_t> SimAdjustmentModel::answer(std::span<const std::uint8_t> frame) {
    const std::uint8_t command = frame[0];
    ++m_counts[command];
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (it->command != command) {
            continue;
        }
        const SimServiceFaultKind kind = it->kind;
        if (it->times == 1) {
            m_faults.erase(it);
        } else if (it->times > 1) {
            --it->times;
        }
        switch (kind) {
        case SimServiceFaultKind::Nak:
            return {NAK};
        case SimServiceFaultKind::Silence:
            return {};
        case SimServiceFaultKind::BadFirstByte: {
            std::vector<std::uint8_t> wrong = compute(frame);
            if (!wrong.empty()) {
                wrong[0] = static_cast<std::uint8_t>(wrong[0] ^ 0x40);
            }
            return wrong;
        }
        }
    }
    return compute(frame);
}

std::vector<std::uint8_t> SimAdjustmentModel::compute(std::span<const std::uint8_t> frame) {
    const auto param = [&frame](std::size_t i) {
        return i + 2 < frame.size() - 1 ? frame[i + 2] : std::uint8_t{0};
    };
    switch (frame[0]) {
    case SVC_CHANGE_CHANNEL:
        m_state.group = param(0);
        m_state.channel = param(1);
        m_state.tuneSent = false;
        return {ACK};
    case SVC_READ_AD:
        return adFrame();
    case SVC_SET_TX_POWER_TUNE_LEVEL:
        m_state.tuneLevel = param(0);
        m_state.vcoLevel = param(1);
        m_state.tuneSent = true;
        return {ACK};
    case SVC_SET_ADJUST_LEVEL:
        m_state.adjustLevel = {param(0), param(1), param(2)};
        return {ACK};
    case SVC_REQUEST_TX:
        m_state.transmitting = true;
        return {ACK};
    case SVC_REQUEST_RX:
        m_state.transmitting = false;
        return {ACK};
    case SVC_START_MODULATION:
        m_state.modulation = static_cast<std::uint16_t>((param(0) << 8) | param(1));
        return {ACK};
    case SVC_SET_SUB_AUDIO_MODULATION:
        m_state.subAudio = {param(0), param(1)};
        return {ACK};
    case SVC_SET_AF_SWITCH:
        m_state.afOn = param(0) != 0;
        return {ACK};
    case SVC_SET_FREQ_DA:
        m_state.freqDa = {param(0), param(1), param(2)};
        return {ACK};
    default:
        return {NAK};
    }
}

} // namespace kq70
