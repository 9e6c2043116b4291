#include "frame/RadioCommands.h"

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "channel/ChannelValueChecks.h"
#include "channel/HChannelData.h"
#include "doc/CKQ70Doc.h"
#include "frame/DocumentListener.h"
#include "image/RadioImage.h"
#include "link/CloneFrame.h"
#include "link/HCommRequest.h"
#include "link/HKqCommonCommunication.h"
#include "link/HSerialPort.h"
#include "log/HLogPrint.h"
#include "params/HHardwareParams.h"
#include "params/HMiscParams.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <memory>

namespace kq70 {

namespace {

// Log texts of the transfer's start and end ("start", "end"), in the log's Shift-JIS.
constexpr const char* UPLOAD_START = "Upload\x8a\x4a\x8e\x6e";
constexpr const char* DOWNLOAD_START = "Download\x8a\x4a\x8e\x6e";
constexpr const char* UPLOAD_END = "Upload\x8f\x49\x97\xb9[STATUS:%d]";
constexpr const char* DOWNLOAD_END = "Download\x8f\x49\x97\xb9[STATUS:%d]";

} // namespace

RadioCommands::RadioCommands(CKQ70Doc& doc, AppSettings& settings, const AccessMode& accessMode,
                             std::string programFolder, UserPrompt& prompt,
                             DocumentListener& listener, RadioLink link,
                             SaveModifiedFunction saveModified)
    : m_doc(doc), m_settings(settings), m_accessMode(accessMode),
      m_programFolder(std::move(programFolder)), m_prompt(prompt), m_listener(listener),
      m_link(link), m_saveModified(std::move(saveModified)),
      m_executor([](const std::function<int()>& job) { return job(); }) {}

void RadioCommands::SetRangeLists(HCommRequest& request, TransferDirection direction,
                                  int accessMode) {
    if (direction == TRANSFER_UPLOAD) {
        request.m_eepromRead = {{0x00, 0xB9}};
        request.m_flashRead = {{0x00, 0x01}, {0x02, FLASH_LAST_END_OF_CHANNELS}, {0x42, 0x4F}};
        return;
    }
    // A download reads only the radio's identity, hardware and adjustment data.
    request.m_eepromRead = {{0x00, 0x03}, {0x80, 0xB8}};
    request.m_flashRead = {{0x00, 0x00}, {0x02, 0x06}, {0x49, 0x4F}};
    if (accessMode == ACCESS_NORMAL) {
        request.m_eepromWrite = {{0x04, 0x80}, {0xB8, 0xB8}, {0xBA, 0xFF}};
    } else {
        request.m_eepromWrite = {
            {0x04, 0x80}, {0x01, 0x01}, {0x03, 0x03}, {0xB6, 0xB8}, {0xBA, 0xFF}};
    }
    request.m_flashWrite = {{0x00, 0x01}, {0x02, FLASH_LAST_END_OF_CHANNELS}, {0x42, 0x4F}};
}

bool RadioCommands::HasFrequencyOutOfRange(const RadioImage& image) {
    HHardwareParams hardware;
    hardware.extract(image);
    HChannelData channels;
    channels.extract(image);
    for (int channel = 0; channel < channels.capacity(); ++channel) {
        for (const int value : {rxFrequency, txFrequency}) {
            if (!isFrequencyInRange(channels.getValue(channel, value), hardware)) {
                return true;
            }
        }
    }
    return false;
}

void RadioCommands::NormaliseUploadedImage(RadioImage& image) {
    HMiscParams misc;
    misc.extract(image);
    misc.set(HMiscParams::DEFAULT_SPLIT, 0);
    if (misc.get(HMiscParams::ARTS_MODE) == HMiscParams::ARTS_MODE_TX) {
        misc.set(HMiscParams::ARTS_BEEP, 0);
    }
    misc.store(image);
}

int RadioCommands::RunTransferJob(TransferDirection direction) {
    return RunTransferJob(direction, m_doc.GetMainMemory());
}

int RadioCommands::UploadForComparison(RadioImage& scratch) {
    // The view's edits are part of what the document holds.
    m_listener.viewSaveData();
    logViewMessage(DocumentListener::WM_VIEW_SAVEDATA);
    // The password check sees the document's password, as it would in an Upload.
    const RadioImage& document = m_doc.GetMainMemory();
    auto uploaded = std::make_unique<RadioImage>(document);
    const int status = RunTransferJob(TRANSFER_UPLOAD, *uploaded, false);
    scratch = document;
    if (status == 0) {
        TakeUploadedAreas(*uploaded, scratch);
    }
    return status;
}

void RadioCommands::TakeUploadedAreas(const RadioImage& radio, RadioImage& into) {
    HCommRequest ranges(static_cast<std::uint32_t>(TRANSFER_UPLOAD));
    SetRangeLists(ranges, TRANSFER_UPLOAD, ACCESS_NORMAL);
    HKqCommonCommunication::ResolveFlashRanges(ranges.m_flashRead, radio, false,
                                               static_cast<std::uint32_t>(TRANSFER_UPLOAD));
    // The records beyond the radio's capacity are the band's defaults after an Upload, not
    // what the radio holds: they stay the document's too.
    const std::size_t capacity =
        static_cast<std::size_t>(channelCapacityForRadioChannel(radioChannelValueOf(radio)));
    const std::size_t unusedRecords = CHANNEL_TABLE_OFFSET + capacity * CHANNEL_RECORD_SIZE;
    const std::size_t tableEnd =
        CHANNEL_TABLE_OFFSET + static_cast<std::size_t>(CHANNEL_COUNT) * CHANNEL_RECORD_SIZE;
    const auto take = [&](std::size_t offset, std::size_t size) {
        for (std::size_t i = offset; i < offset + size && i < TRANSFER_SIZE; ++i) {
            if (i < unusedRecords || i >= tableEnd) {
                into.setByte(i, radio.byteAt(i));
            }
        }
    };
    for (const BlockRange& range : ranges.m_eepromRead) {
        for (unsigned word = range.first; word <= range.last; ++word) {
            take(eepromWordOffset(word), EEPROM_WORD_SIZE);
        }
    }
    for (const BlockRange& range : ranges.m_flashRead) {
        for (unsigned page = range.first; page <= range.last; ++page) {
            take(flashPageOffset(page), FLASH_PAGE_SIZE);
        }
    }
}

int RadioCommands::RunTransferJob(TransferDirection direction, RadioImage& image,
                                  bool reportUploadComplete) {
    const bool upload = direction == TRANSFER_UPLOAD;
    HSerialPort port(m_link.device, m_link.lastPortKind);
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "%s", upload ? UPLOAD_START : DOWNLOAD_START);

    auto workBuffer = std::make_unique<RadioImage>();
    auto request = std::make_unique<HCommRequest>(static_cast<std::uint32_t>(direction));
    request->m_portKind = m_settings.portType;
    request->SetBaudRate(static_cast<std::uint32_t>(m_settings.baudRate));
    request->m_portNumber = static_cast<std::uint32_t>(m_settings.comPort);
    request->m_portName = m_settings.portName;
    request->m_workBuffer = workBuffer.get();
    request->m_image = &image;
    SetRangeLists(*request, direction, m_accessMode.value());

    CommJobContext context{m_accessMode.value(), m_programFolder, m_doc.GetWord1Edited(),
                           m_doc.GetHardwareEdited(), m_settings.verifyDownload};
    context.cancel = m_cancel;
    context.reportUploadComplete = reportUploadComplete;
    HKQ70CommunicationDialog dialog(direction, port, m_link.progress, m_prompt, m_link.clock,
                                    std::move(context));
    logViewMessage(DocumentListener::WM_JOB_MESSAGE);
    const int status =
        m_executor([&dialog, &request] { return dialog.RunJob(std::move(request)); });
    m_lastJobCancelled = dialog.WasCancelled();
    KQ70_LOG(LOG_D1, LOG_CHANNEL, upload ? UPLOAD_END : DOWNLOAD_END, status);
    return status;
}

std::optional<int> RadioCommands::OnRadioUpload() {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]OnMenuRadio");
    m_lastJobCancelled = false;
    m_listener.viewSaveData();
    logViewMessage(DocumentListener::WM_VIEW_SAVEDATA);
    // What the transfer did to the document is announced once it is over.
    const CKQ70Doc::ChangeScope scope(m_doc);
    const std::optional<int> result = Upload();
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]OnMenuRadio");
    return result;
}

std::optional<int> RadioCommands::OnRadioDownload() {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]OnMenuRadio");
    m_lastJobCancelled = false;
    m_listener.viewSaveData();
    logViewMessage(DocumentListener::WM_VIEW_SAVEDATA);
    const CKQ70Doc::ChangeScope scope(m_doc);
    const std::optional<int> result = Download();
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]OnMenuRadio");
    return result;
}

// The upload replaces the document, so its unsaved changes are offered for saving first.
// A failed upload leaves the document exactly as it was.
std::optional<int> RadioCommands::Upload() {
    if (m_saveModified && !m_saveModified()) {
        return std::nullopt;
    }
    const int status = RunTransferJob(TRANSFER_UPLOAD);
    if (status != 0) {
        return status;
    }
    RadioImage& image = m_doc.GetMainMemory();
    m_doc.MarkReplaced();
    NormaliseUploadedImage(image);
    m_doc.SetCurrentFilePath(NO_FILE_MARKER);
    // The radio's data exists nowhere else yet: closing must offer to save it.
    m_doc.SetDataModified(true);
    m_doc.ClearEditedFlags();
    m_doc.GetUndoHistory().clear();
    AfterTransfer();
    return status;
}

std::optional<int> RadioCommands::Download() {
    if (!Ask(text::START_DOWNLOADING)) {
        return std::nullopt;
    }
    RadioImage& image = m_doc.GetMainMemory();
    if (HasFrequencyOutOfRange(image) && !Ask(text::OUT_OF_RANGE_CONTINUE)) {
        return std::nullopt;
    }
    PrepareImageForWrite(image);
    const int status = RunTransferJob(TRANSFER_DOWNLOAD);
    AfterTransfer();
    return status;
}

bool RadioCommands::Ask(std::string_view question) {
    return m_prompt.messageBox(question, text::KQ70WIN_CAPTION, MessageButtons::YesNo,
                               MessageIcon::Question) == MessageAnswer::Yes;
}

// A radio with a display has alpha tags: their column is shown.
void RadioCommands::AfterTransfer() {
    if (lcdTypeOf(m_doc.GetMainMemory()) == LCD_TYPE_LCD) {
        m_settings.items[TAG_COLUMN_ITEM] = 1;
    }
}

std::optional<BasicAlignment::Outcome>
RadioCommands::OnRadioAlignment(const BasicAlignment::WindowRunner& runWindow) {
    if (m_accessMode.value() != ACCESS_ADJUSTMENT) {
        return std::nullopt;
    }
    m_listener.viewSaveData();
    logViewMessage(DocumentListener::WM_VIEW_SAVEDATA);
    BasicAlignment pass(m_doc.GetMainMemory(),
                        {m_link.device, m_link.clock, m_link.lastPortKind, m_link.progress},
                        {m_settings.portType, static_cast<std::uint32_t>(m_settings.baudRate),
                         static_cast<std::uint32_t>(m_settings.comPort), m_settings.portName},
                        CommJobContext{m_accessMode.value(), m_programFolder,
                                       m_doc.GetWord1Edited(), m_doc.GetHardwareEdited()},
                        m_prompt);
    pass.SetJobExecutor(m_executor);
    pass.SetWriteBackExecutor(m_writeBackExecutor);
    pass.SetCancelFlag(m_cancel);
    return pass.Run(runWindow);
}

} // namespace kq70
