#include "link/HKQ70CommunicationDialog.h"

#include "align/HAdustmentBackUpParams.h"
#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "doc/AdjustmentDefaultImage.h"
#include "doc/DefaultImages.h"
#include "doc/DefaultTemplates.h"
#include "image/RadioImage.h"
#include "link/CloneFrame.h"
#include "link/CommProgress.h"
#include "link/DownloadMerge.h"
#include "link/DownloadVerification.h"
#include "link/HCommRequest.h"
#include "link/HSerialPort.h"
#include "log/HLogPrint.h"
#include "params/HHardwareParams.h"
#include "params/HProgrammingPasswordParams.h"
#include "platform/SerialPortAccess.h"
#include "ui/AsciiText.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>

namespace kq70 {

namespace {

// The codes a radio of this family reports in EEPROM words 1 and 2.
constexpr std::uint8_t PRODUCTION_CODE = 0x0C;
constexpr std::uint8_t PRODUCTION_CODE_NORMAL_SUFFIX = 0x00;
constexpr std::uint16_t PRODUCT_CODE = 0xC083;
constexpr std::uint8_t PRODUCTION_WORD = 1;
constexpr std::uint8_t PRODUCT_WORD = 2;

// The download markers: word 0xB8 says whether a download finished, word 0x7F that one did.
constexpr std::uint8_t MARKER_WORD = 0xB8;
constexpr std::uint8_t COMPLETED_WORD = 0x7F;
constexpr std::uint8_t LAST_EEPROM_WORD = 0xFF;
constexpr std::uint16_t MARKER_IN_PROGRESS = 0xFFFF;
constexpr std::uint16_t MARKER_DONE = 0x5AA5;
constexpr std::uint16_t COMPLETED_DONE = 0xA55A;

// Channel Step values whose step rows 2 and 3 a radio may lack.
constexpr int STEP_COARSE = 0;
constexpr int STEP_FINE = 3;
constexpr int FIRST_FINE_STEP_ROW = 2;

// A channel below the capacity that uses step row 2 or 3 for receive or transmit.
bool usesFineStepRows(const RadioImage& image) {
    HChannelData channels;
    channels.extract(image);
    for (int channel = 0; channel < channels.capacity(); ++channel) {
        if (channels.getValue(channel, rxStepIndex) >= FIRST_FINE_STEP_ROW ||
            channels.getValue(channel, txStepIndex) >= FIRST_FINE_STEP_ROW) {
            return true;
        }
    }
    return false;
}

} // namespace

HKQ70CommunicationDialog::HKQ70CommunicationDialog(int mode, HSerialPort& port,
                                                   CommProgress& progress, UserPrompt& prompt,
                                                   Clock& clock, CommJobContext context)
    : HKqCommonCommunication(port, progress, clock), m_mode(mode), m_prompt(prompt),
      m_context(std::move(context)), m_runner(prompt) {
    KQ70_LOG(LOG_D2, LOG_CHANNEL, "HKQ70CommunicationDialog mode %d", mode);
    SetCancelFlag(m_context.cancel);
    FillJobTable();
}

std::string HKQ70CommunicationDialog::GetTitle() const {
    std::string title(m_mode == 0 || m_mode == 2 ? text::UPLOAD_TITLE : text::DOWNLOAD_TITLE);
    title.resize(std::max(title.size(), TITLE_WIDTH), ' ');
    return title;
}

void HKQ70CommunicationDialog::FillJobTable() {
    const auto entry = [this](int (HKQ70CommunicationDialog::*job)(HCommRequest&)) {
        return [this, job](HCommJob& plain) {
            if (plain.m_kind != JOB_KIND_COMM_REQUEST) {
                KQ70_LOG(LOG_ER, LOG_CHANNEL, "job %u without a request", plain.m_jobNumber);
                return 1;
            }
            return (this->*job)(static_cast<HCommRequest&>(plain));
        };
    };
    m_runner.SetJob(JOB_UPLOAD, entry(&HKQ70CommunicationDialog::Upload));
    m_runner.SetJob(JOB_DOWNLOAD, entry(&HKQ70CommunicationDialog::Download));
    m_runner.SetJob(JOB_ALIGNMENT_START, entry(&HKQ70CommunicationDialog::AlignmentStart));
    m_runner.SetJob(JOB_ALIGNMENT_END, entry(&HKQ70CommunicationDialog::AlignmentEnd));
    m_runner.SetJob(JOB_ALIGNMENT_END_RECOVER_BACKUP,
                    entry(&HKQ70CommunicationDialog::AlignmentEndRecoverBackup));
    m_runner.SetJob(JOB_RECOVERY_READ, entry(&HKQ70CommunicationDialog::RecoveryRead));
    m_runner.SetJob(JOB_RECOVERY_WRITE, entry(&HKQ70CommunicationDialog::RecoveryWrite));
    m_runner.SetJob(JOB_RECOVERY_CLOSE, entry(&HKQ70CommunicationDialog::RecoveryClose));
}

int HKQ70CommunicationDialog::RunJob(std::unique_ptr<HCommJob> job) {
    return m_runner.RunJob(std::move(job));
}

std::string HKQ70CommunicationDialog::PortOpenError() {
    const std::string hint = portPermissionHint(GetPort().DeviceName());
    return std::string(text::PORT_OPEN_ERROR) + (hint.empty() ? "" : "\r\n" + hint);
}

int HKQ70CommunicationDialog::Abort(HCommRequest& request, std::string_view message,
                                    bool sendReset) {
    if (sendReset) {
        SendReset(request);
    }
    GetPort().Close();
    request.m_message = message;
    return 1;
}

int HKQ70CommunicationDialog::Cancelled(HCommRequest& request, bool written) {
    const std::uint32_t job = request.m_jobNumber;
    KQ70_LOG(LOG_WR, LOG_CHANNEL, "job %u cancelled%s", job,
             written ? " after the first write" : "");
    const bool recovery =
        job == JOB_RECOVERY_READ || job == JOB_RECOVERY_WRITE || job == JOB_RECOVERY_CLOSE;
    if (job == JOB_ALIGNMENT_START && written) {
        // No reset: the pass writes the former data back at once, to the radio still in clone
        // mode (or restarting, when the stop came while it changed modes).
        Abort(request, text::ALIGNMENT_CANCELLED_WRITING_BACK, false);
        return ALIGNMENT_START_WRITTEN_FAILED;
    }
    const std::string_view message =
        job == JOB_UPLOAD            ? text::UPLOAD_CANCELLED
        : job == JOB_ALIGNMENT_START ? text::ALIGNMENT_CANCELLED
        : recovery ? (written ? text::RECOVERY_CANCELLED_PARTLY_WRITTEN : text::RECOVERY_CANCELLED)
        : written  ? text::DOWNLOAD_CANCELLED_PARTLY_WRITTEN
                   : text::DOWNLOAD_CANCELLED;
    // The reset takes the radio out of clone mode, so it runs whatever it holds: with a
    // partial write its marker word stays invalid.
    return Abort(request, message, job != JOB_UPLOAD);
}

bool HKQ70CommunicationDialog::Connect(HCommRequest& request, Clock::Duration pause) {
    if (!OpenPortForJob(request)) {
        Abort(request, PortOpenError(), false);
        return false;
    }
    if (!SetCloneMode(request, true)) {
        if (StoppedByCancel()) {
            Cancelled(request, false);
            return false;
        }
        const std::string_view message =
            request.m_errorCode == PORT_COMM_ERROR ? text::COMMUNICATION_ERROR
            : request.m_errorCode == PORT_TIMEOUT  ? text::TIME_OUT
                                                   : text::SWITCH_RADIO_ON;
        Abort(request, message, false);
        return false;
    }
    GetClock().sleep(pause);
    return true;
}

HKQ70CommunicationDialog::ProductCheckResult
HKQ70CommunicationDialog::ProductCheck(HCommRequest& request) {
    auto scratch = std::make_unique<RadioImage>();
    if (!ReadBlock(AREA_EEPROM, PRODUCTION_WORD, 0, *scratch, request) ||
        !ReadBlock(AREA_EEPROM, PRODUCT_WORD, 0, *scratch, request)) {
        return ProductCheckResult::ReadFailed;
    }
    const bool normalMode = m_context.accessMode == ACCESS_NORMAL;
    const bool match = scratch->byteAt(PRODUCTION_CODE_OFFSET) == PRODUCTION_CODE &&
                       (!normalMode || scratch->byteAt(PRODUCTION_CODE_OFFSET + 1) ==
                                           PRODUCTION_CODE_NORMAL_SUFFIX) &&
                       scratch->be16(PRODUCT_CODE_OFFSET) == PRODUCT_CODE;
    return match ? ProductCheckResult::Match : ProductCheckResult::OtherModel;
}

int HKQ70CommunicationDialog::PasswordCheck(HCommRequest& request) {
    if (m_context.accessMode == ACCESS_MANUFACTURE) {
        return PASSWORD_OK;
    }
    if (!ReadBlock(AREA_FLASH, PASSWORD_PAGE, 0, *request.m_workBuffer, request)) {
        request.m_message = text::COMMUNICATION_ERROR;
        return PASSWORD_FAILED;
    }
    HProgrammingPasswordParams radio;
    radio.extract(*request.m_workBuffer);
    if (!radio.isEnabled() || DocumentHasPassword(request, radio.password())) {
        return PASSWORD_OK;
    }
    for (int attempt = 0; attempt < PASSWORD_TRIES; ++attempt) {
        const auto entry = m_prompt.passwordEntry();
        if (!entry) {
            return PASSWORD_CANCELLED;
        }
        if (asciiUpperCase(*entry) == radio.password()) {
            return PASSWORD_OK;
        }
        m_prompt.message(Strings::get(IDS_PASSWORD_MISMATCHED), MessageIcon::Exclamation);
    }
    m_prompt.message(Strings::get(IDS_PASSWORD_MISMATCHED), MessageIcon::Exclamation);
    return PASSWORD_FAILED;
}

// A download of a document that carries the radio's own password asks for nothing.
bool HKQ70CommunicationDialog::DocumentHasPassword(const HCommRequest& request,
                                                   const std::string& radioPassword) const {
    if ((m_mode != 1 && m_mode != 2) || request.m_image == nullptr) {
        return false;
    }
    HProgrammingPasswordParams document;
    document.extract(*request.m_image);
    return document.isEnabled() && document.password() == radioPassword;
}

bool HKQ70CommunicationDialog::PassChecks(HCommRequest& request) {
    switch (ProductCheck(request)) {
    case ProductCheckResult::Match:
        break;
    case ProductCheckResult::ReadFailed:
        // A line failure, like any other failed block exchange: the model is not known.
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "the product codes could not be read");
        Abort(request, text::COMMUNICATION_ERROR, false);
        return false;
    case ProductCheckResult::OtherModel:
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "the radio is of another model; nothing is transferred");
        Abort(request, text::HARDWARE_TYPE_MISMATCHED, true);
        return false;
    }
    switch (PasswordCheck(request)) {
    case PASSWORD_OK:
        return true;
    case PASSWORD_CANCELLED:
        Abort(request, {}, false);
        return false;
    default: {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "password check failed");
        const std::string message = request.m_message; // set only when the page read failed
        Abort(request, message, true);
        return false;
    }
    }
}

bool HKQ70CommunicationDialog::ReadLists(HCommRequest& request) {
    RadioImage& work = *request.m_workBuffer;
    return PrepareReadPhase(request) &&
           ReadList(AREA_EEPROM, request.m_eepromRead, work, request) &&
           ReadList(AREA_FLASH, request.m_flashRead, work, request);
}

// The read every reading job begins with. The hardware page comes first: the radio's capacity
// decides how much of the flash is read (not the cleared buffer's one channel).
std::optional<int> HKQ70CommunicationDialog::ReadRadio(HCommRequest& request,
                                                       Clock::Duration pause) {
    if (!Connect(request, pause)) {
        return 1;
    }
    if (!ReadBlock(AREA_FLASH, HARDWARE_PAGE, 0, *request.m_workBuffer, request)) {
        return Abort(request, text::COMMUNICATION_ERROR, false);
    }
    if (!PassChecks(request)) {
        return 1;
    }
    GetProgress().setStatus(text::NOW_UPLOADING);
    if (!ReadLists(request)) {
        return StoppedByCancel() ? Cancelled(request, false)
                                 : Abort(request, text::COMMUNICATION_ERROR, false);
    }
    return std::nullopt;
}

int HKQ70CommunicationDialog::Upload(HCommRequest& request) {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]Upload");
    if (request.m_workBuffer == nullptr || request.m_image == nullptr) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Upload without buffers");
        return 1;
    }
    if (const std::optional<int> ended = ReadRadio(request, UPLOAD_PAUSE)) {
        return *ended;
    }
    if (StopRequested()) {
        return Cancelled(request, false); // the document is still untouched
    }
    if (m_context.reportUploadComplete) {
        request.m_message = text::UPLOAD_COMPLETE;
    }
    const auto received = request.m_workBuffer->range(0, TRANSFER_SIZE);
    std::copy(received.begin(), received.end(), request.m_image->bytes().begin());
    CompleteChannelTable(*request.m_image);
    // No reset: the radio stays in clone mode, where a later job's probe finds it.
    GetPort().Close();
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]Upload");
    return 0;
}

// The records beyond the radio's capacity come from the band's default image, so the
// document never shows what an erased or foreign part of the flash happened to hold.
void HKQ70CommunicationDialog::CompleteChannelTable(RadioImage& image) const {
    const int band = frequencyBandOf(image);
    const int capacity = channelCapacityForRadioChannel(radioChannelValueOf(image));
    if (capacity >= CHANNEL_COUNT) {
        return;
    }
    if (!isDefinedBand(band)) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "band %d has no default image; records kept", band);
        return;
    }
    auto defaults = std::make_unique<RadioImage>();
    LoadBandDefaultImage(m_context.programFolder, band, *defaults);
    const std::size_t first = CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * capacity;
    const std::size_t length = CHANNEL_RECORD_SIZE * (CHANNEL_COUNT - capacity);
    const auto from = defaults->range(first, length);
    std::copy(from.begin(), from.end(), image.range(first, length).begin());
}

int HKQ70CommunicationDialog::Download(HCommRequest& request) {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]Download");
    if (request.m_workBuffer == nullptr || request.m_image == nullptr) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "Download without buffers");
        return 1;
    }
    if (!Connect(request, DOWNLOAD_PAUSE) || !PassChecks(request)) {
        return 1;
    }
    GetProgress().setStatus(text::NOW_DOWNLOADING);
    if (!ReadLists(request)) {
        return StoppedByCancel() ? Cancelled(request, false)
                                 : Abort(request, text::COMMUNICATION_ERROR, false);
    }
    if (m_context.radioRead) {
        m_context.radioRead(*request.m_workBuffer);
    }
    if (!RadioMatchesDocument(request)) {
        return 1;
    }
    if (StopRequested()) {
        return Cancelled(request, false);
    }
    MergeRadioData(*request.m_workBuffer, {request.m_eepromRead, request.m_flashRead}, m_context,
                   *request.m_image);
    if (!WriteToRadio(request)) {
        return StoppedByCancel() ? Cancelled(request, true)
                                 : Abort(request, text::COMMUNICATION_ERROR, false);
    }
    // The markers stay invalid unless the radio holds exactly what was sent, so a radio
    // with a damaged write never runs it as if it were whole.
    if (m_context.verifyDownload && !VerifyRadio(request)) {
        if (StoppedByCancel()) {
            return Cancelled(request, true);
        }
        const std::string message = request.m_message;
        return Abort(request, message, true);
    }
    if (!ValidateMarkers(request)) {
        return Abort(request, text::COMMUNICATION_ERROR, false);
    }
    request.m_message = text::DOWNLOAD_COMPLETE;
    SendReset(request);
    GetPort().Close();
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]Download");
    return 0;
}

// The checks that stop a download before anything is written.
bool HKQ70CommunicationDialog::RadioMatchesDocument(HCommRequest& request) {
    HHardwareParams radio;
    radio.extract(*request.m_workBuffer);
    HHardwareParams document;
    document.extract(*request.m_image);

    if (radio.get(HW_FREQUENCY_BAND) != document.get(HW_FREQUENCY_BAND)) {
        m_prompt.message(Strings::get(IDS_FREQUENCY_BAND_MISMATCHED), MessageIcon::Stop);
        Abort(request, {}, true);
        return false;
    }
    const int documentStep = document.get(HW_CHANNEL_STEP);
    const int radioStep = radio.get(HW_CHANNEL_STEP);
    if (documentStep == STEP_FINE && radioStep == STEP_COARSE) {
        m_prompt.message(Strings::get(IDS_CHANNEL_STEP_MISMATCHED), MessageIcon::Exclamation);
    } else if (documentStep == STEP_COARSE && radioStep == STEP_FINE &&
               usesFineStepRows(*request.m_image)) {
        m_prompt.message(Strings::get(IDS_CHANNEL_STEP_MISMATCHED), MessageIcon::Stop);
        Abort(request, {}, true);
        return false;
    }
    HAdustmentBackUpParams backup;
    if (!backup.verifyChecksum(*request.m_workBuffer)) {
        m_prompt.message(Strings::get(IDS_ADJ_DATA_CHECKSUM_ERROR), MessageIcon::Exclamation);
        Abort(request, text::ADJ_CHECKSUM_ERROR, true);
        return false;
    }
    return true;
}

// Marker word 0xB8 is invalid while the radio holds a half-written image and valid again,
// together with word 0x7F, once everything is in.
bool HKQ70CommunicationDialog::WriteToRadio(HCommRequest& request) {
    RadioImage& image = *request.m_image;
    PrepareWritePhase(request);
    image.setBe16(eepromWordOffset(MARKER_WORD), MARKER_IN_PROGRESS);
    if (!WriteBlock(AREA_EEPROM, MARKER_WORD, 0, image, &request)) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "marker word not invalidated; going on");
    }
    return WriteBlock(AREA_EEPROM, LAST_EEPROM_WORD, 0, image, &request) &&
           WriteList(AREA_EEPROM, request.m_eepromWrite, image, request) &&
           WriteList(AREA_FLASH, request.m_flashWrite, image, request);
}

// Reads back every word and page the download wrote into a scratch image and compares them
// with the document's image they were sent from. On a difference or a unit that cannot be
// read the request's message names the first address.
bool HKQ70CommunicationDialog::VerifyRadio(HCommRequest& request) {
    const std::uint8_t writtenWords[] = {MARKER_WORD, LAST_EEPROM_WORD};
    const DownloadVerification plan(request.m_eepromWrite, request.m_flashWrite, writtenWords);
    GetProgress().setStatus(text::NOW_VERIFYING);
    StartProgress(static_cast<int>(plan.pages().size()));
    auto readBack = std::make_unique<RadioImage>();
    const auto firstFailure = [&](int area, const std::vector<std::uint8_t>& units)
        -> std::optional<DownloadVerification::Failure> {
        for (const std::uint8_t unit : units) {
            if (!ReadList(area, {{unit, unit}}, *readBack, request)) {
                return DownloadVerification::unanswered(area, unit);
            }
            if (auto failure =
                    DownloadVerification::compareUnit(area, unit, *request.m_image, *readBack)) {
                return failure;
            }
        }
        return std::nullopt;
    };
    auto failure = firstFailure(AREA_EEPROM, plan.words());
    if (!failure) {
        failure = firstFailure(AREA_FLASH, plan.pages());
    }
    if (failure) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "verify: area %d unit %02X differs at %04zX (answered %d)",
                 failure->area, failure->unit, failure->offset, failure->unanswered ? 0 : 1);
        request.m_message = DownloadVerification::message(*failure);
        return false;
    }
    KQ70_LOG(LOG_D2, LOG_CHANNEL, "verify: %zu words and %zu pages as sent", plan.words().size(),
             plan.pages().size());
    return true;
}

bool HKQ70CommunicationDialog::ValidateMarkers(HCommRequest& request) {
    RadioImage& image = *request.m_image;
    image.setBe16(eepromWordOffset(MARKER_WORD), MARKER_DONE);
    image.setBe16(eepromWordOffset(COMPLETED_WORD), COMPLETED_DONE);
    return WriteBlock(AREA_EEPROM, MARKER_WORD, 0, image, &request) &&
           WriteBlock(AREA_EEPROM, COMPLETED_WORD, 0, image, &request);
}

int HKQ70CommunicationDialog::RecoveryRead(HCommRequest& request) {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]RecoveryRead");
    if (request.m_workBuffer == nullptr) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "RecoveryRead without a buffer");
        return 1;
    }
    if (const std::optional<int> ended = ReadRadio(request, RECOVERY_PAUSE)) {
        return *ended;
    }
    if (StopRequested()) {
        return Cancelled(request, false); // nothing is repaired from a stopped read
    }
    // No reset: the radio waits in clone mode for the write or the close.
    GetPort().Close();
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]RecoveryRead");
    return 0;
}

int HKQ70CommunicationDialog::RecoveryWrite(HCommRequest& request) {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]RecoveryWrite");
    if (request.m_workBuffer == nullptr || request.m_image == nullptr) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "RecoveryWrite without buffers");
        return 1;
    }
    if (!OpenPortForJob(request)) {
        return Abort(request, PortOpenError(), false);
    }
    // The radio just read waits in clone mode and answers the probe. A radio that has to be
    // switched on again may be another one: the repair of one radio is never written into
    // another. The probe reads into a scratch image, so the repair goes out as it was made.
    auto scratch = std::make_unique<RadioImage>();
    if (!ReadBlock(AREA_EEPROM, 0, 0, *scratch, request)) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "RecoveryWrite: the radio read is no longer in clone mode");
        return Abort(request, text::ADJ_RECOVER_FAILED, false);
    }
    GetClock().sleep(RECOVERY_PAUSE);
    if (StopRequested()) {
        return Cancelled(request, false);
    }
    const int result = WriteRecoveredImage(request);
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]RecoveryWrite");
    return result;
}

// Marker word 0xB8 stays invalid until everything written has been read back equal, so a
// radio whose write went wrong never looks complete.
int HKQ70CommunicationDialog::WriteRecoveredImage(HCommRequest& request) {
    RadioImage& image = *request.m_image;
    GetProgress().setStatus(text::NOW_DOWNLOADING);
    PrepareWritePhase(request);
    image.setBe16(eepromWordOffset(MARKER_WORD), MARKER_IN_PROGRESS);
    if (!WriteBlock(AREA_EEPROM, MARKER_WORD, 0, image, &request)) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "marker word not invalidated; going on");
    }
    if (!WriteBlock(AREA_EEPROM, LAST_EEPROM_WORD, 0, image, &request) ||
        !WriteList(AREA_EEPROM, request.m_eepromWrite, image, request) ||
        !WriteList(AREA_FLASH, request.m_flashWrite, image, request)) {
        return StoppedByCancel() ? Cancelled(request, true)
                                 : Abort(request, text::ADJ_RECOVER_FAILED, false);
    }
    auto written = std::make_unique<RadioImage>();
    if (!ReadBack(request, *written)) {
        return StoppedByCancel() ? Cancelled(request, true)
                                 : Abort(request, text::ADJ_RECOVER_FAILED, false);
    }
    if (!SameUnits(request, image, *written)) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "RecoveryWrite: the radio holds other data than written");
        return Abort(request, text::ADJ_DATA_MISMATCHED_RECOVER, false);
    }
    image.setBe16(eepromWordOffset(MARKER_WORD), MARKER_DONE);
    image.setBe16(eepromWordOffset(COMPLETED_WORD), COMPLETED_DONE);
    if (!WriteBlock(AREA_EEPROM, MARKER_WORD, 0, image, &request) ||
        !WriteBlock(AREA_EEPROM, COMPLETED_WORD, 0, image, &request)) {
        return Abort(request, text::ADJ_RECOVER_FAILED, false);
    }
    request.m_message = text::ADJ_RECOVERY_COMPLETE;
    SendReset(request);
    GetPort().Close();
    return 0;
}

// Everything the write lists named, read back from the radio into `written`.
bool HKQ70CommunicationDialog::ReadBack(HCommRequest& request, RadioImage& written) {
    StartProgress(
        ResolveFlashRanges(request.m_flashWrite, *request.m_image, true, request.m_jobNumber));
    return ReadBlock(AREA_EEPROM, LAST_EEPROM_WORD, 0, written, request) &&
           ReadList(AREA_EEPROM, request.m_eepromWrite, written, request) &&
           ReadList(AREA_FLASH, request.m_flashWrite, written, request);
}

bool HKQ70CommunicationDialog::SameUnits(const HCommRequest& request, const RadioImage& image,
                                         const RadioImage& written) {
    const auto same = [&](std::size_t offset, std::size_t size) {
        const auto a = image.range(offset, size);
        const auto b = written.range(offset, size);
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    };
    if (!same(eepromWordOffset(LAST_EEPROM_WORD), EEPROM_WORD_SIZE)) {
        return false;
    }
    for (const BlockRange& range : request.m_eepromWrite) {
        for (int word = range.first; word <= range.last; ++word) {
            if (!same(eepromWordOffset(static_cast<std::size_t>(word)), EEPROM_WORD_SIZE)) {
                return false;
            }
        }
    }
    for (const BlockRange& range : request.m_flashWrite) {
        for (int page = range.first; page <= range.last; ++page) {
            if (!same(flashPageOffset(static_cast<std::size_t>(page)), FLASH_PAGE_SIZE)) {
                return false;
            }
        }
    }
    return true;
}

int HKQ70CommunicationDialog::RecoveryClose(HCommRequest& request) {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]RecoveryClose");
    if (!OpenPortForJob(request)) {
        return Abort(request, PortOpenError(), false);
    }
    const bool sent = SendReset(request) == 0;
    GetPort().Close();
    if (!sent) {
        request.m_message = text::COMMUNICATION_ERROR;
        return 1;
    }
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]RecoveryClose");
    return 0;
}

// The ranges of the adjustment default file a radio takes while it is aligned: the first 20
// channel records, the group counts, the hardware block but its byte 0x26EA, and the
// signal-generator settings. The hardware bytes shape the channel rebuild of the image; the
// write list leaves the hardware pages out, so the radio keeps its own.
constexpr std::pair<std::size_t, std::size_t> ALIGNMENT_DEFAULT_RANGES[] = {
    {0x0315, 640}, {0x0305, 16}, {0x26E8, 2}, {0x26EB, 79}, {0x2A10, 19}};

int HKQ70CommunicationDialog::AlignmentStart(HCommRequest& request) {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]AlignmentStart");
    if (request.m_workBuffer == nullptr || request.m_image == nullptr) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "AlignmentStart without buffers");
        return 1;
    }
    if (const std::optional<int> ended = ReadRadio(request, DOWNLOAD_PAUSE)) {
        return *ended;
    }
    // Kept before anything changes in the radio, so a pass that cannot give the radio its
    // data back leaves it in a file.
    if (m_context.keepFormerData && !m_context.keepFormerData(*request.m_workBuffer)) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "the radio's data was not kept; nothing is written");
        return Abort(request, {}, true);
    }
    if (StopRequested()) {
        return Cancelled(request, false);
    }
    RadioImage& image = *request.m_image;
    image = *request.m_workBuffer;

    auto defaults = std::make_unique<RadioImage>();
    const AdjustmentDefaultSource source = LoadAdjustmentDefaultImage(
        m_context.programFolder, m_context.builtInAdjustmentDefault, *defaults);
    if (source == AdjustmentDefaultSource::Unreadable ||
        source == AdjustmentDefaultSource::Missing) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "adjustment default file not read");
        return Abort(
            request,
            substitute1(Strings::get(IDS_ALIGNMENT_FILE_NOT_FOUND), ADJUSTMENT_DEFAULT_FILE_NAME),
            true);
    }
    for (const auto& [offset, length] : ALIGNMENT_DEFAULT_RANGES) {
        const auto from = defaults->range(offset, length);
        std::copy(from.begin(), from.end(), image.range(offset, length).begin());
    }
    HChannelData channels;
    channels.extract(image);
    channels.store(image);

    // From the first write on the radio no longer holds its own data: every failure is one
    // the caller answers by writing the former data back.
    GetProgress().setStatus(text::NOW_DOWNLOADING);
    PrepareWritePhase(request);
    if (!WriteList(AREA_EEPROM, request.m_eepromWrite, image, request) ||
        !WriteList(AREA_FLASH, request.m_flashWrite, image, request)) {
        if (StoppedByCancel()) {
            return Cancelled(request, true);
        }
        Abort(request, text::COMMUNICATION_ERROR, false);
        return ALIGNMENT_START_WRITTEN_FAILED;
    }
    SendReset(request);
    GetPort().Close();
    request.SetBaudRate(ADJUSTMENT_BAUD_RATE);
    if (!OpenPortForJob(request)) {
        request.m_message = PortOpenError();
        return ALIGNMENT_START_WRITTEN_FAILED;
    }
    if (!SetAdjMode(request)) {
        if (StoppedByCancel()) {
            return Cancelled(request, true);
        }
        Abort(request, text::SWITCH_RADIO_ON, false);
        return ALIGNMENT_START_WRITTEN_FAILED;
    }
    // The port stays open: the alignment talks to the radio over it now.
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]AlignmentStart");
    return 0;
}

int HKQ70CommunicationDialog::AlignmentEnd(HCommRequest& request) {
    return WriteAlignmentBack(request, false);
}

int HKQ70CommunicationDialog::AlignmentEndRecoverBackup(HCommRequest& request) {
    return WriteAlignmentBack(request, true);
}

int HKQ70CommunicationDialog::WriteAlignmentBack(HCommRequest& request, bool markers) {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]WriteAlignmentBack %d", markers ? 1 : 0);
    if (request.m_image == nullptr) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "WriteAlignmentBack without an image");
        return 1;
    }
    if (!Connect(request, ALIGNMENT_END_PAUSE)) {
        return 1;
    }
    RadioImage& image = *request.m_image;
    GetProgress().setStatus(text::NOW_DOWNLOADING);
    PrepareWritePhase(request);
    if (markers) {
        image.setBe16(eepromWordOffset(MARKER_WORD), MARKER_IN_PROGRESS);
        if (!WriteBlock(AREA_EEPROM, MARKER_WORD, 0, image, &request)) {
            return Abort(request, text::COMMUNICATION_ERROR, false);
        }
    }
    if (!WriteList(AREA_EEPROM, request.m_eepromWrite, image, request) ||
        !WriteList(AREA_FLASH, request.m_flashWrite, image, request)) {
        return Abort(request, text::COMMUNICATION_ERROR, false);
    }
    if (markers) {
        image.setBe16(eepromWordOffset(MARKER_WORD), MARKER_DONE);
        if (!WriteBlock(AREA_EEPROM, MARKER_WORD, 0, image, &request)) {
            return Abort(request, text::COMMUNICATION_ERROR, false);
        }
    }
    request.m_message =
        m_context.formerDataBack ? text::ALIGNMENT_FORMER_RESTORED : text::ALIGNMENT_FINISHED;
    SendReset(request);
    GetPort().Close();
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]WriteAlignmentBack");
    return 0;
}

} // namespace kq70
