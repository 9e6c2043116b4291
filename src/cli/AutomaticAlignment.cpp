#include "AutomaticAlignment.h"

#include "link/CancelFlag.h"
#include "service/HBasicAlignment.h"
#include "service/HRxTune.h"
#include "service/HVcoAlignAuto.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace kq70 {

namespace {

constexpr std::array<std::string_view, 3> STEP_NAMES = {"vco-rx", "vco-tx", "rx-tune"};
constexpr std::array<const char*, 3> VCO_POINT_NAMES = {"High", "Middle", "Low"};
constexpr std::array<const char*, 3> TUNE_POINT_NAMES = {"Low", "Middle", "High"};

} // namespace

std::optional<std::vector<AutomaticStep>> AutomaticAlignment::ParseSteps(std::string_view text) {
    std::array<bool, STEP_NAMES.size()> chosen{};
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view word = text.substr(0, comma);
        const auto found = std::find(STEP_NAMES.begin(), STEP_NAMES.end(), word);
        if (found == STEP_NAMES.end()) {
            return std::nullopt;
        }
        bool& flag = chosen[static_cast<std::size_t>(found - STEP_NAMES.begin())];
        if (flag) {
            return std::nullopt;
        }
        flag = true;
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    std::vector<AutomaticStep> steps;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (chosen[i]) {
            steps.push_back(static_cast<AutomaticStep>(i));
        }
    }
    return steps;
}

std::string_view AutomaticAlignment::StepName(AutomaticStep step) {
    return STEP_NAMES[static_cast<std::size_t>(step)];
}

AutomaticAlignment::AutomaticAlignment(std::vector<AutomaticStep> steps, std::ostream& out,
                                       const CancelFlag* cancel)
    : m_steps(std::move(steps)), m_out(out), m_cancel(cancel) {}

bool AutomaticAlignment::Stopped() const {
    return m_cancel != nullptr && m_cancel->requested();
}

bool AutomaticAlignment::Run(HBasicAlignment& window) {
    for (AutomaticStep step : m_steps) {
        const bool ok = step == AutomaticStep::RxTune
                            ? RunRxTune(window)
                            : RunVco(window, step == AutomaticStep::VcoTx ? VCO_TX : VCO_RX);
        if (!ok) {
            m_out << StepName(step) << (Stopped() ? ": stopped\n" : ": failed\n");
            return false;
        }
    }
    return true;
}

bool AutomaticAlignment::RunVco(HBasicAlignment& window, int direction) {
    const auto procedure = window.MakeVcoAuto(direction);
    const char* name = direction == VCO_TX ? "TX VCO" : "RX VCO";
    while (procedure->CurrentPoint() < VCO_POINT_COUNT) {
        const int point = procedure->CurrentPoint();
        if (Stopped() || !procedure->Start()) {
            return false;
        }
        const auto& result = procedure->Results()[static_cast<std::size_t>(point)];
        // Each result as it comes, also into a pipe: the alignment takes a while.
        m_out << name << ' ' << VCO_POINT_NAMES[static_cast<std::size_t>(point)] << ": D/A "
              << result.value << " (UL " << result.reading << ")" << std::endl;
    }
    if (!procedure->Ok()) {
        return false;
    }
    window.AfterOk();
    return true;
}

bool AutomaticAlignment::RunRxTune(HBasicAlignment& window) {
    const auto procedure = window.MakeRxTune();
    while (procedure->CurrentPoint() < HRxTune::POINTS) {
        const int point = procedure->CurrentPoint();
        if (Stopped() || !procedure->Start()) {
            return false;
        }
        const auto& result = procedure->Results()[static_cast<std::size_t>(point)];
        m_out << "RX Tune " << TUNE_POINT_NAMES[static_cast<std::size_t>(point)] << ": "
              << result.tune << " (RSSI " << result.rssi << ")" << std::endl;
    }
    if (!procedure->Ok()) {
        return false;
    }
    window.AfterOk();
    return true;
}

} // namespace kq70
