#pragma once

#include "TransferCommands.h"

namespace CLI {
class App;
}

namespace kq70 {

struct FleetRadioResult;

// `kq70-cli download FILE --port P1 --port P2 …` (or `--sim N`): the download into several
// radios at once. One line per radio as it finishes, then a summary (or, with --json, one
// JSON document on stdout); each run appends one line per radio to the programming record.
// Exit code 0 only when every radio succeeded, 130 after Ctrl+C (or SIGTERM, SIGHUP), which
// stops every radio safely, else 1.
class FleetCommand {
public:
    static constexpr int MAX_SIMULATED_RADIOS = 8;

    // --json and --record on the download command.
    static void addOptions(CLI::App& download, TransferCommands::Options& options);
    // True when the options ask for more than today's single download: several ports or
    // simulated radios, JSON output or a record.
    static bool wanted(const TransferCommands::Options& options);

    FleetCommand(const TransferCommands::Options& options,
                 const TransferCommands::Context& context);
    int run();

private:
    std::vector<std::string> portNames() const;
    void printResults(const std::vector<FleetRadioResult>& results, const std::string& summary,
                      const std::string& sha256, const std::string& recordPath,
                      const std::optional<std::string>& recordError, bool interrupted) const;

    const TransferCommands::Options& m_options;
    const TransferCommands::Context& m_context;
};

} // namespace kq70
