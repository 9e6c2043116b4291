#include "service/BasicAlignment.h"

#include "align/HAdustmentBackUpParams.h"
#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "doc/DataFile.h"
#include "image/RadioImage.h"
#include "link/CancelFlag.h"
#include "link/HComAlignment.h"
#include "link/HCommRequest.h"
#include "link/HKQ70CommunicationDialog.h"
#include "link/HSerialPort.h"
#include "log/HLogPrint.h"
#include "platform/FilePaths.h"
#include "service/HBasicAlignment.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>
#include <unistd.h>

namespace kq70 {

namespace {

constexpr const char* FORMER_DATA_PREFIX = "align";
constexpr const char* FORMER_DATA_EXTENSION = ".k70";
constexpr std::size_t CHANNEL_ALIGNMENT_STRIDE = 2; // receive and transmit byte per channel
// The adjustment data a write-back takes from the aligned copy: the thresholds and further
// values, and the adjustment block with its checksum.
constexpr std::pair<std::size_t, std::size_t> ADJUSTMENT_RANGES[] = {{0x273A, 0x2752 - 0x273A + 1},
                                                                     {0x2980, 0x29E0 - 0x2980 + 1}};

void copyRange(const RadioImage& from, RadioImage& to, std::size_t offset, std::size_t length) {
    const auto source = from.range(offset, length);
    std::copy(source.begin(), source.end(), to.range(offset, length).begin());
}

void setAlignmentStartLists(HCommRequest& request) {
    // The EEPROM words an upload reads as well, though the pass writes none: the radio's
    // data saved before the pass is then a whole data file that a download can send back.
    request.m_eepromRead = {{0x00, 0xB9}};
    request.m_flashRead = {{0x00, 0x01}, {0x02, FLASH_LAST_END_OF_CHANNELS}, {0x49, 0x4F}};
    request.m_flashWrite = {{0x00, 0x01}, {0x02, FLASH_LAST_END_OF_CHANNELS}, {0x4B, 0x4E}};
}

void setAlignmentEndLists(HCommRequest& request) {
    request.m_flashWrite = {{0x00, 0x01}, {0x02, FLASH_LAST_END_OF_CHANNELS}, {0x49, 0x4F}};
}

} // namespace

// The port outlives job 2: the alignment window talks over it in adjustment mode.
class BasicAlignment::PortHolder {
public:
    PortHolder(SerialDevice& device, LastPortKind& lastPortKind) : port(device, lastPortKind) {}
    HSerialPort port;
};

BasicAlignment::BasicAlignment(const RadioImage& document, AlignmentLine line,
                               AlignmentPortSettings port, CommJobContext context,
                               UserPrompt& prompt)
    : m_document(document), m_line(line), m_portSettings(std::move(port)),
      m_context(std::move(context)), m_prompt(prompt), m_working(std::make_unique<RadioImage>()),
      m_former(std::make_unique<RadioImage>()), m_writeBack(std::make_unique<RadioImage>()),
      m_port(std::make_unique<PortHolder>(line.device, line.lastPortKind)) {}

BasicAlignment::~BasicAlignment() = default;

void BasicAlignment::BuildWriteBack(const RadioImage& former, const RadioImage& aligned,
                                    RadioImage& out) {
    out = former;
    for (const auto& [offset, length] : ADJUSTMENT_RANGES) {
        copyRange(aligned, out, offset, length);
    }
    auto channels = std::make_unique<HChannelData>();
    channels->extract(out);
    channels->store(out);
    // Records beyond the radio's capacity are none of its channels: they go back as read,
    // not as the rebuild would repair them.
    const int capacity = channelCapacityForRadioChannel(radioChannelValueOf(former));
    for (int c = capacity; c < CHANNEL_COUNT; ++c) {
        const auto index = static_cast<std::size_t>(c);
        copyRange(former, out, CHANNEL_TABLE_OFFSET + CHANNEL_RECORD_SIZE * index,
                  CHANNEL_RECORD_SIZE);
        copyRange(former, out, CHANNEL_ALIGNMENT_OFFSET + CHANNEL_ALIGNMENT_STRIDE * index,
                  CHANNEL_ALIGNMENT_STRIDE);
    }
}

bool BasicAlignment::WasCancelled() const {
    return m_stopped || (m_cancel != nullptr && m_cancel->requested());
}

// A job or the restart wait through an executor. A stop asked for while it ran is kept: the
// desktop clears the flag as each job's window opens, and a stop that came just after job
// 2's last block would otherwise be lost on the way to the alignment window.
int BasicAlignment::Execute(const JobExecutor& executor, const std::function<int()>& job) {
    const int status = executor ? executor(job) : job();
    m_stopped = WasCancelled();
    return status;
}

// Runs inside job 2, between reading the radio and the first write.
bool BasicAlignment::KeepFormerData(const RadioImage& radio) {
    m_formerPath =
        uniqueTimestampedPath(m_context.programFolder.empty() ? "." : m_context.programFolder,
                              FORMER_DATA_PREFIX, FORMER_DATA_EXTENSION);
    if (WriteDataFile(m_formerPath, radio, m_prompt)) {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "the radio's data is kept in %s", m_formerPath.c_str());
        return true;
    }
    m_formerPath.clear();
    m_prompt.message(text::ALIGNMENT_DATA_NOT_SAVED, MessageIcon::Stop);
    return false;
}

// The saved data is needed only while the radio may lack it.
void BasicAlignment::AfterWriteBack(Outcome outcome) {
    if (m_formerPath.empty()) {
        return;
    }
    if (outcome == Outcome::WriteBackFailed) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "the radio's data stays in %s", m_formerPath.c_str());
        m_prompt.message(substitute1(text::FORMER_DATA_NOT_WRITTEN_BACK, m_formerPath),
                         MessageIcon::Stop);
        return;
    }
    ::unlink(m_formerPath.c_str());
    m_formerPath.clear();
}

int BasicAlignment::RunJob(std::uint32_t job, RadioImage& image, RadioImage* workBuffer,
                           bool keepPortOpen, bool formerDataBack) {
    auto request = std::make_unique<HCommRequest>(job, m_line.lastPortKind);
    request->m_portKind = m_portSettings.portKind;
    request->SetBaudRate(m_portSettings.baudRate);
    request->m_portNumber = m_portSettings.portNumber;
    request->m_portName = m_portSettings.portName;
    request->m_image = &image;
    request->m_workBuffer = workBuffer;
    if (job == JOB_ALIGNMENT_START) {
        setAlignmentStartLists(*request);
    } else {
        setAlignmentEndLists(*request);
    }
    CommJobContext context = m_context;
    context.formerDataBack = formerDataBack;
    if (job == JOB_ALIGNMENT_START) {
        context.cancel = m_cancel;
        context.keepFormerData = [this](const RadioImage& radio) { return KeepFormerData(radio); };
    } else {
        context.cancel = nullptr; // a write-back is never stopped half-way
    }
    HKQ70CommunicationDialog dialog(static_cast<int>(job), m_port->port, m_line.progress, m_prompt,
                                    m_line.clock, std::move(context));
    const auto run = [&dialog, &request] { return dialog.RunJob(std::move(request)); };
    const bool writeBack = job != JOB_ALIGNMENT_START && m_writeBackExecutor;
    const int status = Execute(writeBack ? m_writeBackExecutor : m_executor, run);
    if (!keepPortOpen) {
        m_port->port.Close();
    }
    return status;
}

bool BasicAlignment::WriteBack(const RadioImage& image, bool aligned) {
    *m_writeBack = image;
    const std::uint32_t job =
        aligned && m_recoverBackup ? JOB_ALIGNMENT_END_RECOVER_BACKUP : JOB_ALIGNMENT_END;
    return RunJob(job, *m_writeBack, nullptr, false, !aligned) == 0;
}

BasicAlignment::Outcome BasicAlignment::Run(const WindowRunner& runWindow) {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "BasicAlignment");
    if (m_context.accessMode != ACCESS_ADJUSTMENT) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "alignment is offered in the adjustment mode only");
        return Outcome::Refused;
    }
    *m_working = m_document;
    // The working copy mirrors the manufacture bytes and word 0 as a download would; job 2
    // then replaces it with the radio's data. The document itself is left alone.
    std::copy_n(m_document.range(MANUFACTURE_DATE_OFFSET, 4).begin(), 4,
                m_working->range(MANUFACTURE_MIRROR_OFFSET, 4).begin());
    std::copy_n(m_document.range(0, 2).begin(), 2,
                m_working->range(WORD0_MIRROR_OFFSET, 2).begin());

    m_status = RunJob(JOB_ALIGNMENT_START, *m_working, m_former.get(), true);
    Outcome outcome = Outcome::NotStarted;
    if (m_status == 0) {
        KQ70_LOG(LOG_D1, LOG_CHANNEL, "preparation complete; alignment starts");
        HComAlignment com(m_port->port, m_line.clock);
        HAdustmentBackUpParams set;
        set.extract(*m_working);
        HBasicAlignment window(com, set, *m_working, m_line.clock, m_prompt);
        window.LoadLimits(m_context.programFolder);
        // The radio restarts in the adjustment mode; like a job, the wait is the executor's.
        const auto pause = [this] {
            m_line.clock.sleep(WINDOW_PAUSE);
            return 0;
        };
        Execute(m_executor, pause);
        // Stopped before or while the window ran: its values are not taken.
        const bool aligned = !WasCancelled() && runWindow(window) && !WasCancelled();
        // The reset ends the adjustment mode; the radio restarts and offers clone mode.
        com.SendReset();
        m_port->port.Close();
        auto image = std::make_unique<RadioImage>();
        if (aligned) {
            BuildWriteBack(*m_former, *m_working, *image);
        } else {
            *image = *m_former;
        }
        outcome = !WriteBack(*image, aligned) ? Outcome::WriteBackFailed
                  : aligned                   ? Outcome::Aligned
                                              : Outcome::FormerRestored;
    } else if (m_status == HKQ70CommunicationDialog::ALIGNMENT_START_WRITTEN_FAILED) {
        m_port->port.Close();
        // A stopped start has said so; the radio waits in clone mode for its data.
        if (!WasCancelled()) {
            m_prompt.message(Strings::get(IDS_ALIGNMENT_PREPARATION_FAILED), MessageIcon::Stop);
        }
        KQ70_LOG(LOG_WR, LOG_CHANNEL,
                 "preparation failed; the radio's former data is written back");
        outcome = WriteBack(*m_former, false) ? Outcome::FormerRestored : Outcome::WriteBackFailed;
    } else {
        m_port->port.Close();
    }
    AfterWriteBack(outcome);
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "BasicAlignment[STATUS:%d]", m_status);
    return outcome;
}

} // namespace kq70
