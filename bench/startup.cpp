// How long the desktop program takes from process start to its first painted main window.
//
// Each iteration starts kq70 with the offscreen platform in a fresh program folder (so it
// makes its settings and default template as on a first start) and with --exit-when-shown,
// which quits right after the main window's first paint; the wall time of the whole process
// is the figure. A second run in the same folder (templates present) is the usual start.
//
// Run: build/<tree>/bench/startup

#include "support/BuiltPrograms.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

bool runKq70(const std::string& home) {
    const std::string program = kq70::test::guiProgram();
    std::string homeArg = home;
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--home"), homeArg.data(),
                    const_cast<char*>("--exit-when-shown"), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return false;
    }
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string freshFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kq70-startup-XXXXXX").string();
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

void FirstStart(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (auto _ : state) {
        state.PauseTiming();
        const std::string home = freshFolder();
        state.ResumeTiming();
        if (!runKq70(home)) {
            state.SkipWithError("kq70 did not start");
            break;
        }
        state.PauseTiming();
        std::filesystem::remove_all(home);
        state.ResumeTiming();
    }
}
BENCHMARK(FirstStart)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void UsualStart(benchmark::State& state) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string home = freshFolder();
    runKq70(home);
    for (auto _ : state) {
        if (!runKq70(home)) {
            state.SkipWithError("kq70 did not start");
            break;
        }
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(UsualStart)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace

BENCHMARK_MAIN();
