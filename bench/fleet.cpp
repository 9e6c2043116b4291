// How long writing eight radios at once takes against writing one, and what it costs.
//
// kq70-radiosim --count 8 --pace serves eight 256-channel radios on eight pseudo-terminals at
// 9600 baud in a process of its own; FleetDownload writes one of them, then all eight,
// through the real serial code on the wall clock. Each radio's job starts as a dealer's
// does: the probe, the wait for the radio's offer, the pause, the read, the write and (with
// verify:1) the read-back.
//
//   one_radio_s, eight_radios_s: wall time of each run; ratio: eight against one.
//   cpu_pct_one, cpu_pct_eight:  CPU time of this process (every thread) over the run's wall
//                                time, in percent of one core.
//
// Run: build/<tree>/bench/fleet [--benchmark_filter=Fleet/verify:1]

#include "BenchSupport.h"
#include "doc/DataFile.h"
#include "frame/FleetDownload.h"
#include "frame/FleetReport.h"
#include "support/RadioSimProcess.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <unistd.h>

namespace kq70 {
namespace {

using namespace bench;

constexpr int RADIOS = 8;
constexpr int BAUD = 9600;

struct Run {
    double wall = 0;
    double cpu = 0;
    bool allSucceeded = false;
};

Run writeRadios(const RadioImage& document, const std::vector<std::string>& ports, bool verify) {
    FleetSettings settings;
    settings.job.programFolder = "/nonexistent";
    settings.job.verifyDownload = verify;
    settings.baudRate = BAUD;
    YesPrompt prompt;
    FleetObserver quiet;
    FleetDownload fleet(document, settings, SerialFleetLines(), prompt, quiet);
    Run run;
    const double cpuBefore = cpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (fleet.Start(ports)) {
        fleet.Wait();
    }
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpu = cpuSeconds() - cpuBefore;
    const auto results = fleet.Results();
    run.allSucceeded = !results.empty();
    for (const FleetRadioResult& result : results) {
        if (!result.succeeded()) {
            run.allSucceeded = false;
            std::fprintf(stderr, "%s\n", FleetReport::RadioLine(result).c_str());
        }
    }
    return run;
}

void Fleet(benchmark::State& state) {
    const bool verify = state.range(0) != 0;
    const RadioImage radio = radioWith256Channels();
    const RadioImageFile image(radio);
    if (!image.written()) {
        state.SkipWithError("the radio image could not be written");
        return;
    }
    const std::string& imagePath = image.path();
    test::RadioSimProcess sim({"--count", std::to_string(RADIOS), "--image", imagePath, "--pace",
                               "--baud", std::to_string(BAUD), "--restart-ms", "500"});
    std::vector<std::string> ports;
    for (int i = 0; i < RADIOS; ++i) {
        ports.push_back(sim.firstLine(10000));
    }
    for (auto _ : state) {
        const Run one = writeRadios(radio, {ports.front()}, verify);
        // The first radio restarts after the reset that ended its download.
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const Run eight = writeRadios(radio, ports, verify);
        if (!one.allSucceeded || !eight.allSucceeded) {
            state.SkipWithError("a radio's download failed");
            break;
        }
        state.SetIterationTime(eight.wall);
        state.counters["one_radio_s"] = one.wall;
        state.counters["eight_radios_s"] = eight.wall;
        state.counters["ratio"] = eight.wall / one.wall;
        state.counters["cpu_pct_one"] = 100.0 * one.cpu / one.wall;
        state.counters["cpu_pct_eight"] = 100.0 * eight.cpu / eight.wall;
    }
    sim.finish(SIGTERM);
}

BENCHMARK(Fleet)->ArgName("verify")->Arg(1)->Arg(0)->Iterations(1)->UseManualTime()->Unit(
    benchmark::kSecond);

} // namespace
} // namespace kq70

BENCHMARK_MAIN();
