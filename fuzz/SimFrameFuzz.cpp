// The simulated radio's frame parser in clone and in adjustment mode, fed line bytes in
// chunks at the times the input gives.
#include "RadioSimulator.h"
#include "SimulatorSeed.h"

#include <chrono>
#include <memory>

using namespace kq70;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static const RadioImage seed = makeSimulatorSeedImage();
    auto radio = std::make_unique<RadioSimulator>(seed);
    if ((data[0] & 1) != 0) {
        radio->enterCloneMode();
    } else {
        radio->switchOn(Clock::Duration{0});
        radio->setServiceHandler([](std::span<const std::uint8_t> frame) {
            return std::vector<std::uint8_t>(frame.begin(), frame.end());
        });
    }
    Clock::Duration now{0};
    std::size_t i = 1;
    while (i < size) {
        // A length byte, then that many bytes for the line, then a pause.
        const std::size_t chunk = std::min<std::size_t>(data[i] % 32 + 1, size - i - 1);
        radio->receive(std::span(data + i + 1, chunk), now);
        i += chunk + 1;
        now += std::chrono::milliseconds(data[i - 1] % 4 == 0 ? 400 : 5);
        (void)radio->takeOutput(now);
    }
    (void)radio->nextEventTime();
    return 0;
}
