#pragma once

#include <cstdint>

namespace kq70 {

// Values of the line settings' enumerated fields.
constexpr std::uint8_t NOPARITY = 0;
constexpr std::uint8_t ODDPARITY = 1;
constexpr std::uint8_t EVENPARITY = 2;
constexpr std::uint8_t MARKPARITY = 3;
constexpr std::uint8_t SPACEPARITY = 4;
constexpr std::uint8_t ONESTOPBIT = 0;
constexpr std::uint8_t ONE5STOPBITS = 1;
constexpr std::uint8_t TWOSTOPBITS = 2;
constexpr std::uint32_t DTR_CONTROL_DISABLE = 0;
constexpr std::uint32_t DTR_CONTROL_ENABLE = 1;
constexpr std::uint32_t RTS_CONTROL_DISABLE = 0;
constexpr std::uint32_t RTS_CONTROL_ENABLE = 1;

// The line settings of a serial port, field for field as the port object has always kept
// them and copies them whole into the device when it opens. The defaults are the port's:
// 9600 baud, 8 data bits, no parity, one stop bit, DTR and RTS raised, no flow control.
struct SerialLineSettings {
    std::uint32_t BaudRate = 9600;
    std::uint32_t fBinary = 1;
    std::uint32_t fParity = 0;
    std::uint32_t fOutxCtsFlow = 0;
    std::uint32_t fOutxDsrFlow = 0;
    std::uint32_t fDtrControl = DTR_CONTROL_ENABLE;
    std::uint32_t fDsrSensitivity = 0;
    std::uint32_t fTXContinueOnXoff = 0;
    std::uint32_t fOutX = 0;
    std::uint32_t fInX = 0;
    std::uint32_t fErrorChar = 0;
    std::uint32_t fNull = 0;
    std::uint32_t fRtsControl = RTS_CONTROL_ENABLE;
    std::uint32_t fAbortOnError = 0;
    std::uint32_t fDummy2 = 0;
    std::uint16_t wReserved = 0;
    std::uint16_t XonLim = 100;
    std::uint16_t XoffLim = 100;
    std::uint8_t ByteSize = 8;
    std::uint8_t Parity = NOPARITY;
    std::uint8_t StopBits = ONESTOPBIT;
    char XonChar = 0x11;
    char XoffChar = 0x13;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    std::uint16_t wReserved1 = 0;

    bool operator==(const SerialLineSettings&) const = default;
};

} // namespace kq70
