#pragma once

#include "link/HKQ70CommunicationDialog.h"
#include "service/BasicAlignment.h"

#include <functional>
#include <optional>
#include <string>

namespace kq70 {

class AccessMode;
class CancelFlag;
class CKQ70Doc;
class Clock;
class CommProgress;
class DocumentListener;
class HCommRequest;
class LastPortKind;
class RadioImage;
class SerialDevice;
class UserPrompt;
struct AppSettings;

// The line a radio command talks over and where its job shows progress.
struct RadioLink {
    SerialDevice& device;
    Clock& clock;
    LastPortKind& lastPortKind;
    CommProgress& progress;
};

// The Radio menu's Upload and Download as the main window runs them: the view's edits
// committed first, the questions asked, the transfer job run in a communication dialog, the
// document fixed up afterwards and the view and radio menus refreshed.
class RadioCommands {
public:
    // The save prompt of the document's file commands; false when the user cancelled.
    using SaveModifiedFunction = std::function<bool()>;
    // Runs a job and returns its result. The desktop runs it off the window thread behind
    // its modal communication window; by default it runs on the calling thread.
    using JobExecutor = std::function<int(const std::function<int()>& job)>;

    static constexpr int TAG_COLUMN_ITEM = 2; // ITEM3

    RadioCommands(CKQ70Doc& doc, AppSettings& settings, const AccessMode& accessMode,
                  std::string programFolder, UserPrompt& prompt, DocumentListener& listener,
                  RadioLink link, SaveModifiedFunction saveModified);

    void SetJobExecutor(JobExecutor executor) { m_executor = std::move(executor); }
    // The alignment's write-backs, which are never stopped, run with this one when it is set
    // (the desktop shows them without Cancel), else with the job executor.
    void SetWriteBackExecutor(JobExecutor executor) { m_writeBackExecutor = std::move(executor); }
    // The flag that stops a running transfer at its next block; none by default.
    void SetCancelFlag(const CancelFlag* cancel) { m_cancel = cancel; }
    // True when the last transfer job ended because the flag asked it to stop.
    bool GetLastJobCancelled() const { return m_lastJobCancelled; }

    // Radio > Upload: the job's result, or nothing when the save prompt was cancelled. Only
    // a successful upload changes the document: it becomes the radio's untitled, modified
    // data.
    std::optional<int> OnRadioUpload();
    // Radio > Download: the job's result, or nothing when a question was answered No.
    std::optional<int> OnRadioDownload();

    // Radio > Alignment: an alignment pass against the radio with the port settings, the
    // alignment window run by `runWindow`, stopped by the cancel flag as a transfer is. Offered
    // in the adjustment mode only (nothing otherwise); the document is not changed.
    std::optional<BasicAlignment::Outcome>
    OnRadioAlignment(const BasicAlignment::WindowRunner& runWindow);

    // One transfer: a cleared work buffer, a request from the port settings with the range
    // lists of the direction and access mode, the job run in a communication dialog. Returns
    // the job's result.
    int RunTransferJob(TransferDirection direction);

    // Radio > Compare With Radio's read: `scratch` becomes the document with what the radio
    // holds in the areas an Upload reads; everything else (the trailer, the EEPROM words and
    // flash pages an Upload leaves alone) stays the document's, so only what the radio holds
    // can differ. The read ends without "Upload Complete!". The document, its path and its
    // flags stay as they are. The job's result.
    int UploadForComparison(RadioImage& scratch);
    // Copies the EEPROM words and flash pages an Upload reads of a radio like `radio` (the
    // channel pages as far as its capacity, without the records beyond it) from `radio` into
    // `into`.
    static void TakeUploadedAreas(const RadioImage& radio, RadioImage& into);

    // The EEPROM and flash range lists of the upload and download jobs.
    static void SetRangeLists(HCommRequest& request, TransferDirection direction, int accessMode);
    // True when a channel below the capacity has a receive or transmit frequency outside the
    // hardware's frequency range.
    static bool HasFrequencyOutOfRange(const RadioImage& image);
    // What an uploaded image is given before the user sees it: no default split, and no ARTS
    // beep in ARTS transmit mode.
    static void NormaliseUploadedImage(RadioImage& image);

private:
    std::optional<int> Upload();
    std::optional<int> Download();
    int RunTransferJob(TransferDirection direction, RadioImage& image,
                       bool reportUploadComplete = true);
    bool Ask(std::string_view question);
    void AfterTransfer();

    CKQ70Doc& m_doc;
    AppSettings& m_settings;
    const AccessMode& m_accessMode;
    std::string m_programFolder;
    UserPrompt& m_prompt;
    DocumentListener& m_listener;
    RadioLink m_link;
    SaveModifiedFunction m_saveModified;
    JobExecutor m_executor;
    JobExecutor m_writeBackExecutor;
    const CancelFlag* m_cancel = nullptr;
    bool m_lastJobCancelled = false;
};

} // namespace kq70
