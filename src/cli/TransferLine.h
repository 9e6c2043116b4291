#pragma once

#include "platform/SystemClock.h"

#include <iosfwd>
#include <memory>
#include <string>

namespace kq70 {

class Clock;
class PosixSerialDevice;
class RadioImage;
class SerialDevice;
class SimulatedRadioLine;
class UserPrompt;

// The line a transfer command talks over: the serial device the user named, or a simulated
// radio in this process. The simulated radio is switched on with the lead attached and
// gives every byte its time on the wire; unless `instant`, the command waits for that time
// as it would for a real radio.
class TransferLine {
public:
    static std::unique_ptr<TransferLine> serialPort();
    // The radio's memory comes from `imagePath`, or is the simulator's own when it is empty;
    // nothing when that file cannot be read (the prompt said why).
    static std::unique_ptr<TransferLine> simulatedRadio(const std::string& imagePath, bool instant,
                                                        UserPrompt& prompt);
    // A simulated radio with `memory`.
    static std::unique_ptr<TransferLine> simulatedRadio(const RadioImage& memory, bool instant);
    ~TransferLine();

    SerialDevice& device();
    Clock& clock();

private:
    TransferLine();

    SystemClock m_systemClock;
    std::unique_ptr<PosixSerialDevice> m_serial;
    std::unique_ptr<SimulatedRadioLine> m_radio;
    bool m_paced = true;
};

} // namespace kq70
