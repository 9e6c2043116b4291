#include "service/Sampling.h"

#include "link/CancelFlag.h"

namespace kq70 {

bool RunSamples(Clock& clock, const std::function<bool()>& sample, const int& taken,
                const SamplingWatch& watch) {
    const auto stopped = [&watch] { return watch.stop != nullptr && watch.stop->requested(); };
    for (bool more = true; more;) {
        clock.sleep(SAMPLE_INTERVAL);
        // A window closed during the pause has its answer before the radio is read again.
        if (stopped()) {
            return false;
        }
        more = sample();
        if (watch.sampled) {
            watch.sampled(taken);
        }
    }
    return true;
}

} // namespace kq70
