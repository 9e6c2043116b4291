#include "frame/AdjustmentRecoverCommand.h"

#include "app/AccessMode.h"
#include "app/AppSettings.h"
#include "frame/DocumentListener.h"
#include "image/RadioImage.h"
#include "link/CancelFlag.h"
#include "link/HCommRequest.h"
#include "link/HSerialPort.h"
#include "log/HLogPrint.h"
#include "service/AdjustmentRecovery.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <memory>

namespace kq70 {

namespace {

// Log texts of the command's start and end ("start", "end"), in the log's Shift-JIS.
constexpr const char* RECOVERY_START = "Adjustment Recovery\x8a\x4a\x8e\x6e";
constexpr const char* RECOVERY_END = "Adjustment Recovery\x8f\x49\x97\xb9[STATUS:%d]";

} // namespace

AdjustmentRecoverCommand::AdjustmentRecoverCommand(AppSettings& settings,
                                                   const AccessMode& accessMode,
                                                   std::string programFolder, UserPrompt& prompt,
                                                   DocumentListener& listener, RadioLink link)
    : m_settings(settings), m_accessMode(accessMode), m_programFolder(std::move(programFolder)),
      m_prompt(prompt), m_listener(listener), m_link(link),
      m_executor([](const std::function<int()>& job) { return job(); }) {}

void AdjustmentRecoverCommand::SetReadRangeLists(HCommRequest& request) {
    request.m_eepromRead = {{0x00, 0xFE}};
    request.m_flashRead = {{0x00, 0x01}, {0x49, 0x4F}, {0x02, FLASH_LAST_END_OF_CHANNELS}};
}

std::optional<AdjustmentRecoverCommand::Result>
AdjustmentRecoverCommand::OnRadioAdjustmentRecover() {
    if (m_accessMode.value() != ACCESS_MANUFACTURE) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "Adjustment Recover is offered in manufacture mode only");
        return std::nullopt;
    }
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC IN]OnMenuRadio");
    m_listener.viewSaveData();
    logViewMessage(DocumentListener::WM_VIEW_SAVEDATA);
    const Result result = Run();
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "[FUNC OUT]OnMenuRadio");
    return result;
}

// The command works on its own two buffers: the radio's data as read and repaired, and a
// spare for a saved file. The document stays as it was.
AdjustmentRecoverCommand::Result AdjustmentRecoverCommand::Run() {
    KQ70_LOG(LOG_D1, LOG_CHANNEL, "%s", RECOVERY_START);
    auto recovery = std::make_unique<RadioImage>();
    auto spare = std::make_unique<RadioImage>();

    auto read = MakeRequest(JOB_RECOVERY_READ, *recovery);
    SetReadRangeLists(*read);
    Result result;
    result.status = RunJob(std::move(read));
    if (result.status == 0) {
        auto write = MakeRequest(JOB_RECOVERY_WRITE, *recovery);
        write->m_image = recovery.get();
        AdjustmentRecovery repair(m_prompt, m_programFolder);
        // Stopped before the repair is written (also while its questions were asked): only
        // the reset goes out.
        const auto stopped = [this] { return m_cancel != nullptr && m_cancel->requested(); };
        const bool repaired = !stopped() && repair.Recover(*recovery, *write, *spare) && !stopped();
        // Seen now: the desktop clears the flag as the close job's window opens.
        const bool cancelled = !repaired && stopped();
        if (!repaired) {
            // Nothing is written: the request goes out as the close job with empty lists.
            write->m_eepromWrite.clear();
            write->m_flashWrite.clear();
            write->m_jobNumber = JOB_RECOVERY_CLOSE;
        }
        result.status = RunJob(std::move(write));
        if (cancelled && result.status == 0) {
            m_prompt.message(text::RECOVERY_CANCELLED, MessageIcon::Stop);
        }
        result.outcome = result.status != 0 ? Outcome::Failed
                         : repaired         ? Outcome::Repaired
                                            : Outcome::NotRepaired;
    }
    KQ70_LOG(LOG_D1, LOG_CHANNEL, RECOVERY_END, result.status);
    return result;
}

std::unique_ptr<HCommRequest> AdjustmentRecoverCommand::MakeRequest(std::uint32_t job,
                                                                    RadioImage& buffer) const {
    auto request = std::make_unique<HCommRequest>(job);
    request->m_portKind = m_settings.portType;
    request->SetBaudRate(static_cast<std::uint32_t>(m_settings.baudRate));
    request->m_portNumber = static_cast<std::uint32_t>(m_settings.comPort);
    request->m_portName = m_settings.portName;
    request->m_workBuffer = &buffer;
    return request;
}

// One job in a dialog of its own, as every radio job runs.
int AdjustmentRecoverCommand::RunJob(std::unique_ptr<HCommRequest> request) {
    HSerialPort port(m_link.device, m_link.lastPortKind);
    CommJobContext context{m_accessMode.value(), m_programFolder};
    // The close job is the reset that ends a stopped command: it always runs.
    context.cancel = request->m_jobNumber == JOB_RECOVERY_CLOSE ? nullptr : m_cancel;
    HKQ70CommunicationDialog dialog(TRANSFER_UPLOAD, port, m_link.progress, m_prompt, m_link.clock,
                                    std::move(context));
    logViewMessage(DocumentListener::WM_JOB_MESSAGE);
    return m_executor([&dialog, &request] { return dialog.RunJob(std::move(request)); });
}

} // namespace kq70
