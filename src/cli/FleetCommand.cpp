#include "FleetCommand.h"

#include "CliAccessMode.h"
#include "InterruptCancel.h"
#include "JsonDocument.h"
#include "SimulatorSeed.h"
#include "TerminalPrompt.h"
#include "TransferLine.h"
#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "app/ProgramFolder.h"
#include "doc/DataFile.h"
#include "frame/FleetDownload.h"
#include "frame/FleetRecord.h"
#include "frame/FleetReport.h"
#include "image/RadioImage.h"
#include "platform/IniFile.h"
#include "platform/Sha256.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <mutex>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kq70 {

namespace {

constexpr auto INTERRUPT_POLL = std::chrono::milliseconds(50);

// A simulated radio in this process, paced at the wire's speed unless `instant`.
class SimulatedLine : public FleetLine {
public:
    explicit SimulatedLine(std::unique_ptr<TransferLine> line) : m_line(std::move(line)) {}
    SerialDevice& device() override { return m_line->device(); }
    Clock& clock() override { return m_line->clock(); }

private:
    std::unique_ptr<TransferLine> m_line;
};

// Prints each radio's line as it finishes, its status lines on the error stream, and which
// radio asks for a password. The radios' threads call it at once, so one lock keeps the
// lines whole.
class PrintingObserver : public FleetObserver {
public:
    explicit PrintingObserver(std::ostream& lines, std::ostream& err)
        : m_lines(lines), m_err(err) {}

    void radioStatus(std::size_t radio, std::string_view status) override {
        const std::lock_guard lock(m_mutex);
        m_err << portOf(radio) << ": " << status << '\n' << std::flush;
    }

    void radioFinished(std::size_t, const FleetRadioResult& result) override {
        const std::lock_guard lock(m_mutex);
        m_lines << FleetReport::RadioLine(result) << '\n' << std::flush;
    }
    void passwordWanted(std::size_t radio) override {
        const std::lock_guard lock(m_mutex);
        m_err << strprintf(std::string(text::FLEET_PASSWORD_FOR_FORMAT).c_str(),
                           portOf(radio).c_str())
              << '\n'
              << std::flush;
    }
    void setPorts(std::vector<std::string> ports) { m_ports = std::move(ports); }

private:
    std::string portOf(std::size_t radio) const {
        return radio < m_ports.size() ? m_ports[radio] : std::string();
    }

    std::ostream& m_lines;
    std::ostream& m_err;
    std::mutex m_mutex;
    std::vector<std::string> m_ports;
};

const char* outcomeName(FleetOutcome outcome) {
    switch (outcome) {
    case FleetOutcome::Verified:
        return "verified";
    case FleetOutcome::WrittenWithoutVerify:
        return "written";
    case FleetOutcome::Failed:
        return "failed";
    case FleetOutcome::Cancelled:
        return "cancelled";
    case FleetOutcome::NotAnswering:
        return "notAnswering";
    }
    return "";
}

Json radioJson(const FleetRadioResult& result) {
    Json radio;
    radio["port"] = result.port;
    radio["serialNumber"] = result.serialNumber.empty() ? Json() : Json(result.serialNumber);
    radio["band"] = result.band ? Json(*result.band) : Json();
    const bool named = result.band && *result.band >= 0 &&
                       static_cast<std::size_t>(*result.band) < text::FREQUENCY_BAND_NAMES.size();
    radio["bandName"] =
        named ? Json(text::FREQUENCY_BAND_NAMES[static_cast<std::size_t>(*result.band)]) : Json();
    radio["result"] = FleetReport::ResultText(result);
    radio["outcome"] = outcomeName(result.outcome);
    radio["message"] = result.message;
    radio["radioChanged"] = result.radioChanged;
    radio["notices"] = result.notices;
    radio["start"] = FleetRecord::LocalTime(result.start);
    radio["end"] = FleetRecord::LocalTime(result.end);
    radio["seconds"] = std::round(result.seconds * 10) / 10; // tenths, as the record has them
    return radio;
}

} // namespace

void FleetCommand::addOptions(CLI::App& download, TransferCommands::Options& options) {
    download.add_flag("--json", options.json,
                      "Print the radios' results as one JSON document on stdout");
    download.add_option("--record", options.record,
                        "Programming record to append to (default: FILE.record.csv)");
}

bool FleetCommand::wanted(const TransferCommands::Options& options) {
    return options.ports.size() > 1 || options.simCount > 1 || options.json ||
           options.record.has_value();
}

FleetCommand::FleetCommand(const TransferCommands::Options& options,
                           const TransferCommands::Context& context)
    : m_options(options), m_context(context) {}

std::vector<std::string> FleetCommand::portNames() const {
    if (m_options.simCount == 0) {
        return m_options.ports;
    }
    std::vector<std::string> names;
    for (int k = 1; k <= m_options.simCount; ++k) {
        names.push_back(strprintf(std::string(text::FLEET_SIMULATED_PORT_FORMAT).c_str(), k));
    }
    return names;
}

int FleetCommand::run() {
    std::ostream& err = m_context.err;
    const std::vector<std::string> ports = portNames();
    for (std::size_t i = 0; i < ports.size(); ++i) {
        if (std::find(ports.begin() + static_cast<std::ptrdiff_t>(i) + 1, ports.end(), ports[i]) !=
            ports.end()) {
            err << "kq70-cli: the port " << ports[i] << " is named twice\n";
            return 2;
        }
    }
    TerminalPrompt prompt(m_context.in, err, m_context.interactive);
    prompt.setAssumeYes(m_options.yes);
    prompt.setPassword(m_options.password);

    // The record names the file by the bytes the radios were written from.
    const std::string& path = m_options.file;
    const int status = OpenCheckStatus(path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, path, prompt);
        return 1;
    }
    RadioImage document;
    std::vector<std::uint8_t> fileBytes;
    if (!ReadDataFile(path, document, prompt, &fileBytes)) {
        return 1;
    }
    const std::string sha256 = Sha256::hex(fileBytes);

    AccessMode accessMode;
    if (!AccessModeOptions{m_options.mode, m_options.modePassword}.grant(
            accessMode, m_context.in, err, m_context.interactive)) {
        return 1;
    }
    AppSettings settings;
    settings.load(IniFile(joinPath(m_context.programFolder, SETTINGS_FILE_NAME)));
    FleetSettings fleetSettings;
    fleetSettings.job.accessMode = accessMode.value();
    fleetSettings.job.programFolder = m_context.programFolder;
    fleetSettings.job.verifyDownload =
        m_options.verify || m_options.noVerify ? m_options.verify : settings.verifyDownload;
    fleetSettings.baudRate =
        static_cast<std::uint32_t>(m_options.baud ? *m_options.baud : settings.baudRate);
    fleetSettings.portType = settings.portType;

    FleetLineFactory lines = SerialFleetLines();
    if (m_options.simCount > 0) {
        RadioImage radio = makeSimulatorSeedImage();
        if (!m_options.simImage.empty() && !ReadDataFile(m_options.simImage, radio, prompt)) {
            return 1;
        }
        lines = [radio, ports, instant = m_options.simInstant](const std::string& port) {
            const auto at = std::find(ports.begin(), ports.end(), port);
            RadioImage memory = radio;
            numberSimulatedRadio(memory, static_cast<unsigned>(at - ports.begin()) + 1);
            return std::make_unique<SimulatedLine>(TransferLine::simulatedRadio(memory, instant));
        };
    }

    // With --json stdout holds the document only; the radios' lines go to stderr.
    PrintingObserver observer(m_options.json ? err : m_context.out, err);
    observer.setPorts(ports);
    FleetDownload fleet(document, std::move(fleetSettings), std::move(lines), prompt, observer);
    const InterruptCancel interrupt;
    if (!fleet.Start(ports)) {
        err << "kq70-cli: nothing was sent to the radios\n";
        return 1;
    }
    while (!fleet.WaitFor(INTERRUPT_POLL)) {
        if (interrupt.interrupted()) {
            fleet.CancelAll();
        }
    }
    const bool interrupted = interrupt.interrupted();

    const std::vector<FleetRadioResult> results = fleet.Results();
    const std::string recordPath = m_options.record.value_or(FleetRecord::PathFor(path));
    const std::optional<std::string> recordError =
        FleetRecord::Append(recordPath, path, sha256, results);
    const std::string summary = FleetReport::Summary(results, fleet.Verifies());
    printResults(results, summary, sha256, recordPath, recordError, interrupted);

    if (interrupted) {
        return InterruptCancel::EXIT_INTERRUPTED;
    }
    const bool allSucceeded =
        std::all_of(results.begin(), results.end(),
                    [](const FleetRadioResult& result) { return result.succeeded(); });
    return allSucceeded && !recordError ? 0 : 1;
}

void FleetCommand::printResults(const std::vector<FleetRadioResult>& results,
                                const std::string& summary, const std::string& sha256,
                                const std::string& recordPath,
                                const std::optional<std::string>& recordError,
                                bool interrupted) const {
    if (recordError) {
        m_context.err << "kq70-cli: " << *recordError << '\n';
    }
    if (!m_options.json) {
        m_context.out << summary << '\n';
        if (!recordError) {
            m_context.out << "Record: " << recordPath << '\n';
        }
        return;
    }
    Json document;
    document["file"] = m_options.file;
    document["sha256"] = sha256;
    document["record"] = recordPath;
    document["recordError"] = recordError ? Json(*recordError) : Json();
    document["interrupted"] = interrupted;
    document["radios"] = Json::array();
    for (const FleetRadioResult& result : results) {
        document["radios"].push_back(radioJson(result));
    }
    document["summary"] = summary;
    m_context.out << document.dump(2) << '\n';
}

} // namespace kq70
