#pragma once

#include "frame/ConfigureChoices.h"
#include "frame/FleetDownload.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class CKQ70Doc;

// Radio > Program Several Radios.
inline constexpr int ID_RADIO_FLEET = 32901;

// A port the window offers for programming: its text as File > Configure shows it (the USB
// cable marked), the device a radio's job opens, and whether it is chosen.
struct FleetPortEntry {
    std::string text;
    std::string device;
    bool checked = false;
};

// One radio's row while and after it is programmed.
struct FleetRow {
    std::string port;
    int position = 0;
    int high = 0;
    std::string status;
    std::string serialNumber;
    std::string result; // empty until the radio's job has ended
    bool running = false;
    bool cancelling = false;
    FleetRadioResult last; // the job's result, once it ended
};

enum class FleetPhase { Choosing, Running, Finished };

// What a key or the window's close button does.
enum class FleetWindowAction { None, Start, CancelAll, Close };

// The Program Several Radios window behind its widgets: the ports to choose from and how many
// simulated radios, then one row per radio, the summary line, the record's path, which
// buttons work and which radios Retry Failed runs again. It is told the fleet's events on the
// window's thread, in the order they happened.
class FleetWindowModel {
public:
    static constexpr int MAX_SIMULATED_RADIOS = 8;

    // `choices` as File > Configure lists them; its simulated radio is offered as a count.
    explicit FleetWindowModel(const std::vector<PortChoice>& choices);

    // Why radios cannot be programmed from `doc` now (it belongs to no file, or has changes
    // the file does not have: the record names the file by its bytes); nothing when they can.
    static std::optional<std::string> documentProblem(const CKQ70Doc& doc);
    // The simulated radios' port names, "simulated radio 1" and on; 0 for a system port.
    static int simulatedRadioNumber(std::string_view port);

    // Choosing.
    const std::vector<FleetPortEntry>& ports() const { return m_ports; }
    void setChecked(std::size_t port, bool checked);
    int simulatedRadios() const { return m_simulated; }
    // Kept within 0 to MAX_SIMULATED_RADIOS.
    void setSimulatedRadios(int count);
    // What Start gives the fleet: the chosen ports, then the simulated radios.
    std::vector<std::string> chosenPorts() const;

    // The fleet's events.
    void started(const std::vector<std::string>& ports);
    void restarted(const std::vector<std::size_t>& radios);
    void radioStatus(std::size_t radio, std::string_view status);
    void radioProgress(std::size_t radio, int position, int high);
    void radioIdentified(std::size_t radio, std::string_view serialNumber);
    void radioFinished(std::size_t radio, const FleetRadioResult& result);
    // The user's cancels, as they are handed to the fleet.
    void cancelRequested(std::size_t radio);
    void cancelAllRequested();
    // Where the run was recorded, and why the append failed if it did.
    void recorded(std::string path, std::optional<std::string> error);

    FleetPhase phase() const { return m_phase; }
    const std::vector<FleetRow>& rows() const { return m_rows; }
    // The results of the radios the last Start or Retry ran: what the record appends.
    std::vector<FleetRadioResult> runResults() const;
    // "Choose the radios…", "2 of 4 radios finished", or the summary of every row.
    std::string summary() const;
    std::string recordText() const;
    const std::string& recordPath() const { return m_recordPath; }

    // Between runs the ports may be chosen again and a new run started.
    bool portsEditable() const { return m_phase != FleetPhase::Running; }
    bool startEnabled() const;
    bool cancelEnabled(std::size_t row) const;
    bool cancelAllEnabled() const;
    bool retryFailedEnabled() const;
    // The rows Retry Failed runs again: every one that did not succeed.
    std::vector<std::size_t> retrySet() const;

    // Escape and the close button: while radios run, they are cancelled safely and the window
    // stays to show how each ended; otherwise the window closes.
    FleetWindowAction closeAction() const;
    // Enter: Start while no radio runs.
    FleetWindowAction enterAction() const;

    void setVerifies(bool verifies) { m_verifies = verifies; }

private:
    bool anyRunning() const;
    FleetRow* row(std::size_t radio);

    std::vector<FleetPortEntry> m_ports;
    int m_simulated = 0;
    FleetPhase m_phase = FleetPhase::Choosing;
    std::vector<FleetRow> m_rows;
    std::vector<std::size_t> m_runRadios;
    bool m_verifies = true;
    std::string m_recordPath;
    std::optional<std::string> m_recordError;
};

} // namespace kq70
