#pragma once

#include "InProcessRadio.h"
#include "link/HComAlignment.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace kq70::test {

// The line the fake stands on; never used, but the base class wants one.
struct FakeComLine {
    InProcessRadio sim;
    LastPortKind lastKind;
    HSerialPort port{sim.link, lastKind};
};

// A radio in adjustment mode played by functions, for the procedures' rules: the VCO answers
// by the D/A last sent, the A/D reads come from a script (or a function of the tune level),
// and any command can be made to fail. Nothing goes over a line.
class FakeComAlignment : private FakeComLine, public HComAlignment {
public:
    using AdData = std::array<std::uint8_t, AD_DATA_COUNT>;

    FakeComAlignment() : HComAlignment(FakeComLine::port, FakeComLine::sim.clock) {}

    // (VCV, UL) at VCO D/A `d`.
    std::function<std::pair<int, int>(int d)> vco = [](int) { return std::pair{0, 0}; };
    // An A/D reading at tune level `t`; nothing makes the read fail.
    std::function<std::optional<AdData>(int t)> ad = [](int) { return AdData{}; };
    // Commands (by command byte) that fail.
    std::set<std::uint8_t> failing;

    std::vector<std::pair<int, int>> levels; // every SetTxPowerTuneLevel
    std::vector<std::uint8_t> commands;      // every command byte, in order
    int vcoReads = 0;
    int adReads = 0;
    int channel = -1;
    std::uint16_t subAudioTone = 0; // the last one sent
    bool transmitting = false;

    bool ChangeChannel(int, int c) override {
        return record(SVC_CHANGE_CHANNEL) && ((channel = c), true);
    }
    bool ReadAdData(AdData& data) override {
        ++adReads;
        if (!record(SVC_READ_AD)) {
            return false;
        }
        const auto reading = ad(levels.empty() ? 0 : levels.back().first);
        if (reading) {
            data = *reading;
        }
        return reading.has_value();
    }
    bool ReadVcvUl(int& vcv, int& ul) override {
        ++vcoReads;
        if (!record(SVC_READ_AD)) {
            return false;
        }
        std::tie(vcv, ul) = vco(levels.empty() ? 0 : levels.back().second);
        return true;
    }
    bool SetTxPowerTuneLevel(std::uint8_t first, std::uint8_t second) override {
        levels.emplace_back(first, second);
        return record(SVC_SET_TX_POWER_TUNE_LEVEL);
    }
    bool SetAdjustLevel(std::uint8_t, std::uint8_t, std::uint8_t) override {
        return record(SVC_SET_ADJUST_LEVEL);
    }
    bool RequestTx() override { return record(SVC_REQUEST_TX) && (transmitting = true); }
    bool RequestRx() override { return record(SVC_REQUEST_RX) && !(transmitting = false); }
    bool StartModulation(std::uint16_t) override { return record(SVC_START_MODULATION); }
    bool SetSubAudioModulation(bool, int, std::uint16_t tone) override {
        subAudioTone = tone;
        return record(SVC_SET_SUB_AUDIO_MODULATION);
    }
    bool SetAfSwitch(bool) override { return record(SVC_SET_AF_SWITCH); }
    bool SetFreqDa(std::uint8_t, std::uint8_t, std::uint8_t) override {
        return record(SVC_SET_FREQ_DA);
    }

    int count(std::uint8_t command) const {
        return static_cast<int>(std::count(commands.begin(), commands.end(), command));
    }

private:
    bool record(std::uint8_t command) {
        commands.push_back(command);
        return failing.count(command) == 0;
    }
};

} // namespace kq70::test
