#pragma once

#include "link/CommJobContext.h"
#include "platform/Clock.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kq70 {

class CancelFlag;
class CommProgress;
class HBasicAlignment;
class LastPortKind;
class RadioImage;
class SerialDevice;
class UserPrompt;

// The line an alignment pass talks over and where its transfers show progress.
struct AlignmentLine {
    SerialDevice& device;
    Clock& clock;
    LastPortKind& lastPortKind;
    CommProgress& progress;
};

// How the port is opened, from the settings.
struct AlignmentPortSettings {
    int portKind = 0;
    std::uint32_t baudRate = 9600;
    std::uint32_t portNumber = 1;
    std::string portName;
};

// One alignment pass: the radio is read and given the adjustment default file's alignment
// channels (job 2), the alignment window runs against it in adjustment mode, and the radio
// gets its own data back (job 3) with only the adjustment data taken from the aligned copy,
// so every channel keeps its programming. When the window is cancelled or fails, the pass is
// stopped, or job 2 fails after its first write, the radio's former data is written back
// unchanged. Before job 2 changes anything the radio's data is saved in the program folder
// ("align-<time>.k70"); the file is removed once the radio has its data again and kept, with
// a message naming it, when the last write-back failed. The document is never changed.
class BasicAlignment {
public:
    static constexpr Clock::Duration WINDOW_PAUSE = std::chrono::milliseconds(2000);

    // Runs the alignment window; true to write the aligned data back (OK), false to write
    // the radio's former data back (Cancel, or a failed procedure).
    using WindowRunner = std::function<bool(HBasicAlignment&)>;

    enum class Outcome {
        Refused,         // not in the adjustment mode
        NotStarted,      // job 2 failed before it changed the radio
        Aligned,         // the aligned data is in the radio
        FormerRestored,  // the radio has its former data again
        WriteBackFailed, // the last write-back failed; the radio may hold alignment data
    };

    BasicAlignment(const RadioImage& document, AlignmentLine line, AlignmentPortSettings port,
                   CommJobContext context, UserPrompt& prompt);
    ~BasicAlignment();
    BasicAlignment(const BasicAlignment&) = delete;
    BasicAlignment& operator=(const BasicAlignment&) = delete;

    // Runs a job and returns its result: the desktop runs jobs 2 and 3 behind its
    // communication window, off the window thread. By default they run on the calling thread.
    using JobExecutor = std::function<int(const std::function<int()>& job)>;
    void SetJobExecutor(JobExecutor executor) { m_executor = std::move(executor); }
    // The write-backs, which are never stopped, run with this one when it is set (the
    // desktop shows them without Cancel), else with the job executor.
    void SetWriteBackExecutor(JobExecutor executor) { m_writeBackExecutor = std::move(executor); }

    // With the backup recovery the aligned data goes back between an invalidated and a
    // validated marker word 0xB8 (job 4) instead of plainly (job 3).
    void SetRecoverBackup(bool recover) { m_recoverBackup = recover; }
    // The flag that stops the pass (Cancel, a signal): job 2 stops at its next block, the
    // window is not started or its result not taken, and the former data goes back. The
    // write-back itself always runs to its end. A stop the pass has seen stays with it, even
    // when an executor clears the flag for its next job.
    void SetCancelFlag(const CancelFlag* cancel) { m_cancel = cancel; }
    Outcome Run(const WindowRunner& runWindow);
    // Job 2's status: 0, 1, or 2 when it failed after writing.
    int PreparationStatus() const { return m_status; }

    // The radio's data as job 2 read it, and what the last write-back sent.
    const RadioImage& FormerData() const { return *m_former; }
    const RadioImage& WriteBackImage() const { return *m_writeBack; }
    // Where the radio's data was saved before job 2 changed it; empty when no file is kept.
    const std::string& FormerDataPath() const { return m_formerPath; }
    // True when the pass ended early because the cancel flag was set.
    bool WasCancelled() const;

    // The former data with the adjustment data (items, block and checksum) of `aligned`, the
    // channel records rebuilt over it.
    static void BuildWriteBack(const RadioImage& former, const RadioImage& aligned,
                               RadioImage& out);

private:
    int RunJob(std::uint32_t job, RadioImage& image, RadioImage* workBuffer, bool keepPortOpen,
               bool formerDataBack = false);
    bool WriteBack(const RadioImage& image, bool aligned);
    bool KeepFormerData(const RadioImage& radio);
    int Execute(const JobExecutor& executor, const std::function<int()>& job);
    void AfterWriteBack(Outcome outcome);

    const RadioImage& m_document;
    AlignmentLine m_line;
    AlignmentPortSettings m_portSettings;
    CommJobContext m_context;
    UserPrompt& m_prompt;
    std::unique_ptr<RadioImage> m_working;
    std::unique_ptr<RadioImage> m_former;
    std::unique_ptr<RadioImage> m_writeBack;
    int m_status = 1;
    bool m_recoverBackup = false;
    const CancelFlag* m_cancel = nullptr;
    std::string m_formerPath;
    bool m_stopped = false; // the cancel flag was seen set
    JobExecutor m_executor;
    JobExecutor m_writeBackExecutor;
    class PortHolder;
    std::unique_ptr<PortHolder> m_port;
};

} // namespace kq70
