#pragma once

namespace kq70 {

// Which control of a procedure window has the focus after a step.
enum class ProcedureFocus { Start, Ok, Cancel, None };

// The Start, OK and Cancel buttons of a procedure window as its logic leaves them.
struct ProcedureButtons {
    bool startVisible = true;
    bool startEnabled = true;
    bool okVisible = false;
    bool okEnabled = true;
    bool cancelEnabled = true;
    ProcedureFocus focus = ProcedureFocus::Start;

    bool operator==(const ProcedureButtons&) const = default;
};

} // namespace kq70
