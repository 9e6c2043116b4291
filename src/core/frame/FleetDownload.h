#pragma once

#include "image/RadioImage.h"
#include "link/CancelFlag.h"
#include "link/CommJobContext.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kq70 {

class Clock;
class SerialDevice;
class UserPrompt;

// How the download of one radio of several ended.
enum class FleetOutcome {
    Verified,             // written and read back equal
    WrittenWithoutVerify, // written, no read-back asked for
    Failed,               // the job failed; the message says why
    Cancelled,            // stopped by the user (Cancel, Cancel All, Ctrl+C, password Cancel)
    NotAnswering,         // the radio never offered a connection
};

// One radio of a fleet download, as far as it got.
struct FleetRadioResult {
    std::string port;
    // As the radio holds it (the EEPROM copy the download reads), in the Marketing page's
    // eight characters; empty until the radio was read.
    std::string serialNumber;
    std::optional<int> band; // the radio's frequency band code, once read
    FleetOutcome outcome = FleetOutcome::Cancelled;
    std::string message; // a failure's message, on one line
    // The radio took at least one write: unless it succeeded, it is left marked incomplete
    // and must be written again; otherwise it is untouched.
    bool radioChanged = false;
    // Messages the job showed on the way without stopping (Channel Step mismatched).
    std::vector<std::string> notices;
    bool finished = false;
    std::chrono::system_clock::time_point start{};
    std::chrono::system_clock::time_point end{};
    double seconds = 0.0;

    bool succeeded() const {
        return finished &&
               (outcome == FleetOutcome::Verified || outcome == FleetOutcome::WrittenWithoutVerify);
    }
};

// The line one radio hangs on: its serial device and the clock its job waits on. Only that
// radio's worker thread uses it.
class FleetLine {
public:
    virtual ~FleetLine() = default;
    virtual SerialDevice& device() = 0;
    virtual Clock& clock() = 0;
};

// Makes the line of a port, on the thread that starts the fleet; nothing when the port cannot
// be had (the job then fails with "Port Open Error!").
using FleetLineFactory = std::function<std::unique_ptr<FleetLine>(const std::string& port)>;

// Serial devices as the user names them, each with the system clock.
FleetLineFactory SerialFleetLines();

// What a front end learns while the radios are written. Every call comes on the radio's own
// worker thread, several at once: an implementation hands them to its own thread or takes a
// lock. None may throw.
class FleetObserver {
public:
    virtual ~FleetObserver() = default;

    virtual void radioStarted(std::size_t /*radio*/) {}
    // The job's status line and progress bar.
    virtual void radioStatus(std::size_t /*radio*/, std::string_view /*status*/) {}
    virtual void radioProgress(std::size_t /*radio*/, int /*position*/, int /*high*/) {}
    // The radio was read: its serial number and band.
    virtual void radioIdentified(std::size_t /*radio*/, std::string_view /*serialNumber*/,
                                 int /*band*/) {}
    // The first write went out: from now on the radio holds a part of the new data.
    virtual void radioWritten(std::size_t /*radio*/) {}
    // The radio asks for its programming password; the prompt's password entry follows.
    virtual void passwordWanted(std::size_t /*radio*/) {}
    virtual void radioFinished(std::size_t /*radio*/, const FleetRadioResult& /*result*/) {}
};

// The settings every radio's download runs with.
struct FleetSettings {
    // Access mode, program folder, the document's edited flags and the verify setting.
    CommJobContext job;
    std::uint32_t baudRate = 9600;
    int portType = 0;
};

// The Download of one document into several radios at once. Each port gets a worker thread,
// its own line, port, cancel flag, work buffer and copy of the document's image; they share
// only the prepared image (read-only while they run), the diagnostic log (each line tagged
// with the port) and, one at a time, the prompt for a password. So every radio gets exactly
// what a single Download of the document would give it — the merge of its own identity,
// hardware and adjustment data done on its own copy — and one radio's failure, unplugging
// or cancel leaves the others alone.
//
// The Download's questions are asked once for all radios, on the thread that calls Start;
// a radio's password question only when that radio asks for one. The prompt shows nothing
// else: each radio's messages become its result.
class FleetDownload {
public:
    // `prompt` and `observer` must outlive the object; the document is copied.
    FleetDownload(const RadioImage& document, FleetSettings settings, FleetLineFactory lines,
                  UserPrompt& prompt, FleetObserver& observer);
    // Cancels whatever still runs and waits for it.
    ~FleetDownload();
    FleetDownload(const FleetDownload&) = delete;
    FleetDownload& operator=(const FleetDownload&) = delete;

    // Asks the Download's questions (the first Start only) and starts a job on every port,
    // radio i on ports[i]. False, with nothing started, when a question was answered No,
    // there is no port, or a run is still going on.
    bool Start(const std::vector<std::string>& ports);
    // Runs the listed radios of the last Start again, without asking again (Retry Failed).
    // False while a run goes on or for a radio that does not exist.
    bool Restart(const std::vector<std::size_t>& radios);

    // Stops the radio's job at its next safe point, as Cancel stops a single Download.
    void Cancel(std::size_t radio);
    void CancelAll();

    bool Running() const;
    // Waits until every job has ended.
    void Wait();
    // False when some job still runs after `timeout`.
    bool WaitFor(std::chrono::milliseconds timeout);

    std::size_t RadioCount() const;
    // A copy of every radio's result so far.
    std::vector<FleetRadioResult> Results() const;
    // The radios of the last run that did not succeed, for Retry Failed.
    std::vector<std::size_t> UnsuccessfulRadios() const;
    bool Verifies() const { return m_settings.job.verifyDownload; }

private:
    class RadioRun;

    bool AskQuestions();
    bool Ask(std::string_view question);
    bool Launch(const std::vector<std::size_t>& radios);
    void RunRadio(std::size_t radio, std::unique_ptr<FleetLine> line);
    void Finish(std::size_t radio, FleetRadioResult result);
    void JoinAll();

    const RadioImage m_document;
    RadioImage m_image; // the document prepared for writing, read by every job
    bool m_prepared = false;
    const FleetSettings m_settings;
    const FleetLineFactory m_lines;
    UserPrompt& m_prompt;
    std::mutex m_promptMutex; // one password question at a time
    FleetObserver& m_observer;

    std::vector<std::string> m_ports;
    std::vector<std::unique_ptr<CancelFlag>> m_cancel;
    std::vector<std::thread> m_threads;

    mutable std::mutex m_mutex; // guards the results and the count below
    std::condition_variable m_done;
    std::vector<FleetRadioResult> m_results;
    std::size_t m_active = 0;
};

} // namespace kq70
