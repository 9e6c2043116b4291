#pragma once

#include "InProcessRadio.h"
#include "RealTimeLink.h"

#include <memory>

namespace kq70 {

class Clock;
class SerialDevice;

// A radio simulated inside the program, as the desktop program and the command line offer it
// to a user without a radio: switched on with the lead attached, coming back on a second after
// a reset switched it off (the alignment pass needs it again after each reset), and with its
// bytes taking their time on the wire unless the caller wants them at once.
class SimulatedRadioLine {
public:
    // `realClock` is the wall clock a paced line keeps step with.
    SimulatedRadioLine(const RadioImage& memory, Clock& realClock);
    SimulatedRadioLine(const SimulatedRadioLine&) = delete;
    SimulatedRadioLine& operator=(const SimulatedRadioLine&) = delete;

    // The line a job talks over: paced to the wall clock, or instant.
    SerialDevice& device(bool paced);
    // Just before a job starts: a paced line keeps pace from now on, not making up for the
    // time it lay idle.
    void restartPace();
    // The radio's own clock: the link moves it on, and the job's pauses must go through it.
    Clock& clock() { return m_radio.clock; }
    InProcessRadio& radio() { return m_radio; }

private:
    InProcessRadio m_radio;
    Clock& m_realClock;
    std::unique_ptr<RealTimeLink> m_paced;
};

} // namespace kq70
