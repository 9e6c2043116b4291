// kq70-radiosim: a simulated QM-724 radio on a pseudo-terminal. Point the program's port at
// the printed path to try it without a radio. Serves until SIGTERM or Ctrl+C.

#include "Cli11Doc.h"
#include "ProgramManuals.h"
#include "PtyRadioRunner.h"
#include "RadioSimulator.h"
#include "SimAdjustmentModel.h"
#include "SimFault.h"
#include "SimulatorSeed.h"
#include "doc/DataFile.h"
#include "log/HVersionInfo.h"
#include "platform/SystemClock.h"
#include "ui/UserPrompt.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>

namespace {

// The data-file reader reports problems through a prompt; here they go to stderr.
class StderrPrompt : public kq70::UserPrompt {
public:
    kq70::MessageAnswer messageBox(std::string_view text, std::string_view, kq70::MessageButtons,
                                   kq70::MessageIcon) override {
        std::cerr << "kq70-radiosim: " << text << '\n';
        return kq70::MessageAnswer::Ok;
    }
    std::optional<std::string> openFileDialog(const kq70::FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> saveFileDialog(const kq70::FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> passwordEntry() override { return std::nullopt; }
};

struct Options {
    std::string imagePath;
    std::uint32_t baudRate = 9600;
    bool pace = false;
    unsigned restartMs = 1000;
    std::vector<std::string> faults;
    std::string damage;
    double supplyVolts = 7.5;
    std::uint32_t noiseSeed = 1;
    std::vector<std::string> serviceFaults;
};

bool configure(kq70::RadioSimulator& radio, const Options& options) {
    radio.setBaudRate(options.baudRate);
    radio.setPacing(options.pace);
    radio.setRecordTranscript(false); // a long session would only pile it up
    radio.setRestartDelay(std::chrono::milliseconds(options.restartMs));
    for (const std::string& word : options.faults) {
        const auto fault = kq70::parseSimFault(word);
        if (!fault) {
            std::cerr << "kq70-radiosim: unknown fault '" << word << "'\n";
            return false;
        }
        radio.addFault(*fault);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    CLI::App app{"Simulated QM-724 radio on a pseudo-terminal", "kq70-radiosim"};
    app.set_version_flag("--version", kq70::programVersionLine("kq70-radiosim"));
    std::string docFormat;
    kq70::addDocOption(app, docFormat);
    app.add_option("--image", options.imagePath, "data file with the radio's memory")
        ->check(CLI::ExistingFile);
    app.add_option("--baud", options.baudRate, "baud rate for --pace")
        ->check(CLI::IsMember({9600, 19200, 38400}));
    app.add_flag("--pace", options.pace, "give every byte its time on the line");
    app.add_option("--restart-ms", options.restartMs,
                   "after the reset command, switch the radio on again after this time");
    app.add_option("--fault", options.faults,
                   "checksum@N, command@N, silence@N, nak@N, lost@N, corrupt@N[:K], garbage:N, "
                   "nooffer, product");
    app.add_option("--damage", options.damage, "damaged adjustment data: flash, eeprom or both")
        ->check(CLI::IsMember({"flash", "eeprom", "both"}));
    app.add_option("--supply-voltage", options.supplyVolts,
                   "supply voltage the battery reading follows in adjustment mode")
        ->check(CLI::Range(0.0, 10.0));
    app.add_option("--noise-seed", options.noiseSeed, "seed of the readings' noise");
    app.add_option("--service-fault", options.serviceFaults,
                   "adjustment-mode faults by command byte: nak:30, silence:31, byte:32, "
                   "with *N for the first N frames only");
    CLI11_PARSE(app, argc, argv);
    if (!docFormat.empty()) {
        return kq70::writeDoc(docFormat, kq70::radiosimProgramDoc(app), std::cout);
    }

    kq70::RadioImage memory = kq70::makeSimulatorSeedImage();
    StderrPrompt prompt;
    if (!options.imagePath.empty() && !kq70::ReadDataFile(options.imagePath, memory, prompt)) {
        return 1;
    }
    if (const auto damage = kq70::parseAdjustmentDamage(options.damage)) {
        kq70::damageAdjustmentData(memory, *damage);
    }
    kq70::RadioSimulator radio(memory);
    if (!configure(radio, options)) {
        return 2;
    }
    kq70::SimAdjustmentModel adjustment(options.noiseSeed);
    adjustment.setSupplyVoltage(options.supplyVolts);
    for (const std::string& word : options.serviceFaults) {
        const auto fault = kq70::parseSimServiceFault(word);
        if (!fault) {
            std::cerr << "kq70-radiosim: unknown service fault '" << word << "'\n";
            return 2;
        }
        adjustment.addFault(*fault);
    }
    adjustment.attachTo(radio);

    // Signals are taken by sigwait below, never by the serving thread.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    kq70::SystemClock clock;
    kq70::PtyRadioRunner runner(radio, clock);
    if (!runner.open()) {
        std::cerr << "kq70-radiosim: " << runner.errorText() << '\n';
        return 1;
    }
    runner.withRadio([&clock](kq70::RadioSimulator& r) { r.switchOn(clock.now()); });
    runner.start();
    std::cout << runner.devicePath() << std::endl;

    int signal = 0;
    sigwait(&signals, &signal);
    runner.stop();
    return 0;
}
