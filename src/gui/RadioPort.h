#pragma once

#include "link/LastPortKind.h"
#include "platform/PosixSerialDevice.h"
#include "platform/SystemClock.h"

#include <memory>

namespace kq70 {

class Clock;
class SerialDevice;
class SimulatedRadioLine;
struct AppSettings;
struct InProcessRadio;

// The line the desktop's radio jobs talk over: the serial device of the settings, or, when
// the settings name the simulated radio, a radio simulated inside the program. The simulated
// radio is made on first use and kept for the program's life, so its memory carries from one
// job to the next like a real radio's.
//
// For the tests and the service windows: simulatedRadio() gives the simulator itself (its
// memory, its faults). Touch it only while no job runs.
class RadioPort {
public:
    explicit RadioPort(const AppSettings& settings);
    ~RadioPort();
    RadioPort(const RadioPort&) = delete;
    RadioPort& operator=(const RadioPort&) = delete;

    // True when the settings name the simulated radio.
    bool simulated() const;

    // The device and clock of the next job, chosen from the settings. With pacing the
    // simulated radio's bytes take their time on the wire, as a real radio's do.
    SerialDevice& deviceForJob();
    // Just before a job starts: the paced line keeps pace from now on.
    void startJob();
    Clock& clock();
    LastPortKind& lastPortKind() { return m_lastPortKind; }

    // The simulated radio, switched on with the lead attached; made when first asked for.
    InProcessRadio& simulatedRadio();
    SimulatedRadioLine& simulatedLine();
    // Paced (the default) or instant wire time for the simulated radio.
    void setPaced(bool paced) { m_pacedWanted = paced; }

private:
    const AppSettings& m_settings;
    SystemClock m_systemClock;
    LastPortKind m_lastPortKind;
    PosixSerialDevice m_serial;
    std::unique_ptr<SimulatedRadioLine> m_simulated;
    bool m_pacedWanted = true;
};

} // namespace kq70
