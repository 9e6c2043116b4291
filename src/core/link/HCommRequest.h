#pragma once

#include "link/BlockRange.h"
#include "link/HCommJob.h"
#include "link/PortResult.h"

#include <cstdint>
#include <string>

namespace kq70 {

class LastPortKind;
class RadioImage;

// A radio job's request: which job, how to open the port, where the blocks go and come
// from, and which blocks. The protocol leaves its last failure code here and the job its
// result text. The buffers belong to the caller; the request only points at them.
class HCommRequest : public HCommJob {
public:
    static constexpr std::uint32_t DEFAULT_BAUD_RATE = 9600;

    explicit HCommRequest(std::uint32_t jobNumber = 0);
    // Starts from the kind of the port opened last, as a new job does.
    HCommRequest(std::uint32_t jobNumber, const LastPortKind& lastPortKind);

    std::uint32_t GetBaudRate() const { return m_baudRate; }
    std::uint32_t GetPreviousBaudRate() const { return m_previousBaudRate; }
    // Remembers the old rate: the alignment start drops to 9600 and knows what it was.
    void SetBaudRate(std::uint32_t baudRate);

    // 1 communication error, 2 time-out, 0 no answer within the handshake.
    std::uint32_t m_errorCode = 0;
    int m_portKind = 0;
    std::string m_message;
    std::uint32_t m_byteSize = 8;
    std::uint32_t m_stopBits = 2;
    std::uint32_t m_parity = 0;
    std::uint32_t m_portNumber = 1;
    std::string m_portName; // device path; empty means the port number's device
    std::uint32_t m_echoSuppression = 0;
    RadioImage* m_workBuffer = nullptr;
    RadioImage* m_image = nullptr;
    RangeList m_eepromRead;
    RangeList m_flashRead;
    RangeList m_eepromWrite;
    RangeList m_flashWrite;

private:
    std::uint32_t m_baudRate = DEFAULT_BAUD_RATE;
    std::uint32_t m_previousBaudRate = DEFAULT_BAUD_RATE;
};

} // namespace kq70
