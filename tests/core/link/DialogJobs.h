#pragma once

// A transfer job run the way the Radio menu runs it, and what the simulated radio was sent.

#include "InProcessRadio.h"
#include "frame/RadioCommands.h"
#include "link/CloneFrame.h"
#include "link/HCommRequest.h"
#include "link/HKQ70CommunicationDialog.h"
#include "link/HSerialPort.h"
#include "link/LastPortKind.h"
#include "support/CompletionMarker.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace kq70::test {

using Request = std::vector<std::uint8_t>;

// A simulated radio and a port on its line.
struct RadioOnPort {
    explicit RadioOnPort(const RadioImage& memory = makeSimulatorSeedImage()) : sim(memory) {}

    InProcessRadio sim;
    LastPortKind lastKind;
    HSerialPort port{sim.link, lastKind};
};

// A document image nothing like any radio, so every byte a job wrote into it shows.
inline RadioImage unlikeAnyRadio() {
    RadioImage image;
    for (std::size_t i = 0; i < IMAGE_SIZE; ++i) {
        image.setByte(i, static_cast<std::uint8_t>(0x3C ^ (i * 5)));
    }
    return image;
}

// One job in a dialog of its own on `device`, over `document`, with a cleared work buffer.
class DialogJob {
public:
    DialogJob(SerialDevice& device, Clock& clock, std::uint32_t job, UserPrompt& prompt,
              const CommJobContext& context, CommProgress& progress)
        : m_job(job), m_accessMode(context.accessMode), m_port(device, m_lastKind),
          m_dialog(static_cast<int>(job), m_port, progress, prompt, clock, context) {}

    int run(RadioImage& document, const std::string& portName = "/dev/ttyUSB0") {
        auto request = std::make_unique<HCommRequest>(m_job);
        request->m_workBuffer = m_work.get();
        request->m_image = &document;
        request->m_portName = portName;
        if (m_job <= JOB_DOWNLOAD) {
            RadioCommands::SetRangeLists(*request, static_cast<TransferDirection>(m_job),
                                         m_accessMode);
        }
        return m_dialog.RunJob(std::move(request));
    }

    const HKQ70CommunicationDialog& dialog() const { return m_dialog; }

private:
    std::uint32_t m_job;
    int m_accessMode;
    LastPortKind m_lastKind;
    HSerialPort m_port;
    HKQ70CommunicationDialog m_dialog;
    std::unique_ptr<RadioImage> m_work = std::make_unique<RadioImage>();
};

inline bool isWrite(const Request& request) {
    return !request.empty() && (request[0] == CMD_EEPROM_WRITE || request[0] == CMD_FLASH_WRITE);
}

inline bool isReset(const Request& request) {
    return !request.empty() && request[0] == RESET_COMMAND_BYTE;
}

// The requests the radio took after the handshake, in order.
inline std::vector<Request> requestsOf(const RadioSimulator& radio) {
    std::vector<Request> requests;
    for (const SimFrame& frame : radio.transcript()) {
        if (frame.number > 0) {
            requests.push_back(frame.request);
        }
    }
    return requests;
}

// How many of every frame the radio took `which` picks.
inline std::size_t countFrames(const RadioSimulator& radio, bool (*which)(const Request&)) {
    const auto& frames = radio.transcript();
    return static_cast<std::size_t>(std::count_if(
        frames.begin(), frames.end(), [which](const SimFrame& f) { return which(f.request); }));
}

// The values the radio was sent for its completion marker, in order.
inline std::vector<std::uint16_t> markerWrites(const RadioSimulator& radio) {
    std::vector<std::uint16_t> values;
    for (const Request& request : requestsOf(radio)) {
        if (request[0] == CMD_EEPROM_WRITE && request[2] == MARKER_WORD) {
            values.push_back(static_cast<std::uint16_t>(request[3] << 8 | request[4]));
        }
    }
    return values;
}

} // namespace kq70::test
