#pragma once

#include "frame/RadioCommands.h"

#include <optional>
#include <string>

namespace kq70 {

class AccessMode;
class DocumentListener;
class HCommRequest;
class UserPrompt;
struct AppSettings;

// Radio > Adjustment Recover: reads the radio into a buffer of its own, lets the adjustment
// recovery test and repair it, and writes the repair back, or only resets the radio when
// nothing is to be written. Each job runs in a communication dialog of its own. The open
// document is never touched. Offered in the manufacture mode only.
class AdjustmentRecoverCommand {
public:
    // How a run ended.
    enum class Outcome {
        Repaired,    // the repair was written and read back equal
        NotRepaired, // nothing was written: refused, cancelled, or nothing to repair from
        Failed,      // a job failed; see its message
    };

    struct Result {
        Outcome outcome = Outcome::Failed;
        int status = 1; // the last job's result
    };

    AdjustmentRecoverCommand(AppSettings& settings, const AccessMode& accessMode,
                             std::string programFolder, UserPrompt& prompt,
                             DocumentListener& listener, RadioLink link);

    void SetJobExecutor(RadioCommands::JobExecutor executor) { m_executor = std::move(executor); }
    // The flag that stops the command (Cancel, a signal): a read stops at its next block and
    // nothing is written, a repair that has not started is not written, one that has stops
    // at its next block and says the radio must be written again. The radio is always reset.
    void SetCancelFlag(const CancelFlag* cancel) { m_cancel = cancel; }

    // Nothing when the access mode does not offer the command.
    std::optional<Result> OnRadioAdjustmentRecover();

    // The lists of the read job: every EEPROM word but the last, the head pages, the
    // hardware and adjustment pages, and the channel table.
    static void SetReadRangeLists(HCommRequest& request);

private:
    Result Run();
    int RunJob(std::unique_ptr<HCommRequest> request);
    std::unique_ptr<HCommRequest> MakeRequest(std::uint32_t job, RadioImage& buffer) const;

    AppSettings& m_settings;
    const AccessMode& m_accessMode;
    std::string m_programFolder;
    UserPrompt& m_prompt;
    DocumentListener& m_listener;
    RadioLink m_link;
    RadioCommands::JobExecutor m_executor;
    const CancelFlag* m_cancel = nullptr;
};

} // namespace kq70
