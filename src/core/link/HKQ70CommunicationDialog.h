#pragma once

#include "link/CommJobContext.h"
#include "link/HJobRunner.h"
#include "link/HKqCommonCommunication.h"
#include "platform/Clock.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kq70 {

class HCommJob;
class UserPrompt;

// The two directions of the Radio menu; each is both the dialog's mode and the job number.
enum TransferDirection : int {
    TRANSFER_UPLOAD = 0,
    TRANSFER_DOWNLOAD = 1,
};

// Job numbers of the job table. The program requests these eight; the other slots stay empty.
constexpr std::uint32_t JOB_UPLOAD = 0;
constexpr std::uint32_t JOB_DOWNLOAD = 1;
constexpr std::uint32_t JOB_ALIGNMENT_START = 2;
constexpr std::uint32_t JOB_ALIGNMENT_END = 3;
constexpr std::uint32_t JOB_ALIGNMENT_END_RECOVER_BACKUP = 4;
constexpr std::uint32_t JOB_RECOVERY_READ = 8;
constexpr std::uint32_t JOB_RECOVERY_WRITE = 9;
constexpr std::uint32_t JOB_RECOVERY_CLOSE = 10;

// The communication dialog's logic: the job table and the jobs that read a radio into the
// document (upload) and write the document into a radio (download), with every check that
// guards them. A front end shows the title, the status line and the progress bar it reports
// through CommProgress; questions go through UserPrompt. One dialog runs one job.
//
// Threads: a front end may run a job on a worker thread. The job then uses, from that
// thread, its own port and clock, the request's buffers and document image, the log and
// LastPortKind (both safe from any thread), the read-only string table and built-in images,
// and template files it only reads. Its CommProgress and UserPrompt are called on the
// worker: a GUI implementation hands those calls to its own thread. The document image must
// not be read or changed by anyone else until the job has returned.
class HKQ70CommunicationDialog : public HKqCommonCommunication {
public:
    static constexpr std::size_t TITLE_WIDTH = 96;
    static constexpr Clock::Duration UPLOAD_PAUSE = std::chrono::milliseconds(500);
    static constexpr Clock::Duration DOWNLOAD_PAUSE = std::chrono::milliseconds(1000);
    static constexpr Clock::Duration RECOVERY_PAUSE = std::chrono::milliseconds(2000);
    static constexpr std::uint8_t HARDWARE_PAGE = 0x49;
    static constexpr std::uint8_t PASSWORD_PAGE = 0x4F;
    static constexpr int PASSWORD_TRIES = 3;
    static constexpr Clock::Duration ALIGNMENT_END_PAUSE = std::chrono::milliseconds(2000);
    static constexpr std::uint32_t ADJUSTMENT_BAUD_RATE = 9600;
    // Job 2's result when it failed after its first write: the radio no longer holds its own
    // data and the caller writes it back.
    static constexpr int ALIGNMENT_START_WRITTEN_FAILED = 2;

    enum PasswordResult : int {
        PASSWORD_OK = 0,
        PASSWORD_FAILED = 1,
        PASSWORD_CANCELLED = 2,
    };

    // `mode` 0 or 2 titles the dialog "Upload", anything else "Download"; modes 1 and 2 let
    // the password check accept the document's own password.
    HKQ70CommunicationDialog(int mode, HSerialPort& port, CommProgress& progress,
                             UserPrompt& prompt, Clock& clock, CommJobContext context);

    int GetMode() const { return m_mode; }
    // True when the last job ended because the user asked it to stop (its result is 1).
    bool WasCancelled() const { return StoppedByCancel(); }
    // "Upload" or "Download", filled with blanks to TITLE_WIDTH characters.
    std::string GetTitle() const;

    // The job message: runs the job's table entry now, shows its result text (information
    // icon on success, stop icon otherwise) and returns 0 on success. The job is destroyed
    // whatever happened.
    int RunJob(std::unique_ptr<HCommJob> job);

    // Job 0: reads the radio; only on success is the document's image replaced.
    int Upload(HCommRequest& request);
    // Job 1: checks the radio against the document, merges the radio's own data into the
    // document's image and writes the image into the radio.
    int Download(HCommRequest& request);

    // Job 2: reads the radio into the request's work buffer and image, gives the image the
    // alignment channels, groups, hardware and generator settings of the adjustment default
    // file, writes it into the radio and leaves the port open with the radio in adjustment
    // mode at 9600 baud. 0 on success, 1 when the radio was not changed,
    // ALIGNMENT_START_WRITTEN_FAILED when it was.
    int AlignmentStart(HCommRequest& request);
    // Job 3: writes the request's image back after an alignment; "Alignment is Finished!".
    int AlignmentEnd(HCommRequest& request);
    // Job 4: the same between an invalidated and a validated marker word 0xB8.
    int AlignmentEndRecoverBackup(HCommRequest& request);
    // Job 8: reads the radio for the adjustment recovery, after the product and password
    // checks. The port is closed without the reset, so the radio waits in clone mode.
    int RecoveryRead(HCommRequest& request);
    // Job 9: finds the radio read by job 8 still in clone mode, writes the repaired image
    // between the markers, reads back what was written and only then marks the radio
    // complete and resets it.
    int RecoveryWrite(HCommRequest& request);
    // Job 10: ends a recovery that writes nothing: the reset command, and the port closed.
    int RecoveryClose(HCommRequest& request);

    enum class ProductCheckResult { Match, OtherModel, ReadFailed };
    // The radio's production and product codes (EEPROM words 1 and 2). A read that fails
    // says nothing about the model: ReadFailed, not OtherModel.
    ProductCheckResult ProductCheck(HCommRequest& request);
    // The radio's programming password; PASSWORD_OK, PASSWORD_FAILED or PASSWORD_CANCELLED.
    int PasswordCheck(HCommRequest& request);

private:
    void FillJobTable();
    int NotAvailable(HCommRequest& request);

    bool Connect(HCommRequest& request, Clock::Duration pause);
    bool PassChecks(HCommRequest& request);
    bool AskPassword(const std::string& radioPassword);
    bool DocumentHasPassword(const HCommRequest& request, const std::string& radioPassword) const;
    bool ReadLists(HCommRequest& request);
    // Connects, checks the radio and reads the request's lists into the work buffer; nothing
    // when that worked, else the job's result.
    std::optional<int> ReadRadio(HCommRequest& request, Clock::Duration pause);
    bool RadioMatchesDocument(HCommRequest& request);
    bool WriteToRadio(HCommRequest& request);
    bool VerifyRadio(HCommRequest& request);
    bool ValidateMarkers(HCommRequest& request);
    void CompleteChannelTable(RadioImage& image) const;
    int WriteRecoveredImage(HCommRequest& request);
    bool ReadBack(HCommRequest& request, RadioImage& written);
    static bool SameUnits(const HCommRequest& request, const RadioImage& image,
                          const RadioImage& written);
    // "Port Open Error!", with the group to join when the user may not open the device.
    std::string PortOpenError();
    // Ends a job: optionally the reset command, then the port closed and the result text.
    int Abort(HCommRequest& request, std::string_view message, bool sendReset);
    // Ends a job the user stopped; `written` says the radio already took part of the new data.
    // Every job but the upload sends the reset command, except an alignment start that has
    // written: it leaves the radio to the pass's write-back (ALIGNMENT_START_WRITTEN_FAILED).
    int Cancelled(HCommRequest& request, bool written);
    int WriteAlignmentBack(HCommRequest& request, bool markers);

    int m_mode;
    UserPrompt& m_prompt;
    CommJobContext m_context;
    HJobRunner m_runner;
};

} // namespace kq70
