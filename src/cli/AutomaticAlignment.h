#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class CancelFlag;
class HBasicAlignment;

// The automatic procedures the command line can run, in the order they run.
enum class AutomaticStep { VcoRx, VcoTx, RxTune };

// The automatic part of an alignment window, without a window: RX VCO, TX VCO and RX tune
// (or the steps named), each point's result printed, each procedure ended with OK so its
// items land in the working image. The first failure ends the run, and so does the cancel
// flag, looked at before every point.
class AutomaticAlignment {
public:
    // "vco-rx,vco-tx,rx-tune" in any order and selection; the steps always run in that
    // order. Nothing for an unknown or empty word, or a step named twice.
    static std::optional<std::vector<AutomaticStep>> ParseSteps(std::string_view text);
    static std::string_view StepName(AutomaticStep step);

    AutomaticAlignment(std::vector<AutomaticStep> steps, std::ostream& out,
                       const CancelFlag* cancel = nullptr);

    // True when every step succeeded.
    bool Run(HBasicAlignment& window);

private:
    bool RunVco(HBasicAlignment& window, int direction);
    bool RunRxTune(HBasicAlignment& window);
    bool Stopped() const;

    std::vector<AutomaticStep> m_steps;
    std::ostream& m_out;
    const CancelFlag* m_cancel;
};

} // namespace kq70
