#pragma once

#include "platform/Clock.h"
#include "service/AlignmentContext.h"
#include "service/ProcedureButtons.h"
#include "service/Sampling.h"

#include <array>
#include <chrono>
#include <string>

namespace kq70 {

// The battery procedure: the user sets the supply voltage as prompted and the radio's
// battery reading is averaged over 20 samples, 50 ms apart. Step 0 gives the low battery
// level (item 95), step 1 the EEPROM protect level (item 96), step 2 a last run whose result
// is not kept; at step 3 OK stores the two levels. A failed read ends the step with string
// 125 and keeps nothing; so does a stopped run.
class HOtherAlign {
public:
    static constexpr int STEPS_DONE = 3;
    static constexpr Clock::Duration CHANNEL_PAUSE = std::chrono::milliseconds(50);

    explicit HOtherAlign(const AlignmentContext& context);

    void SetChannel(int channel) { m_channel = channel; }
    std::string Title() const;
    int Step() const { return m_step; }
    // "Set the Voltage to 6.5V.", "… 5.5V.", "… 7.5V.", then "Update of Adjustment Data".
    std::string PromptText() const;

    bool Start();
    bool Sample();
    // Start's samples to the end on the clock, or until `watch` stops the run; true when the
    // step completed.
    bool RunSampling(const SamplingWatch& watch = {});
    bool Sampling() const { return m_sampling; }
    int SamplesTaken() const { return m_count; }
    int LowBatteryLevel() const { return m_lowBattery; }
    int EepromProtectLevel() const { return m_eepromProtect; }

    // A level found, under the caption of the item it goes into; the text stays empty until
    // the level's step is done.
    struct LevelField {
        std::string caption;
        std::string text;
    };
    // The low battery level, then the EEPROM protect level.
    std::array<LevelField, 2> Levels() const;
    // At step 3 the two levels go into their items; false before.
    bool Ok();
    void Cancel() {}
    const ProcedureButtons& Buttons() const { return m_buttons; }

private:
    void Finish();
    void StopSampling();

    AlignmentContext m_context;
    int m_channel = 1;
    int m_step = 0;
    int m_sum = 0;
    int m_count = 0;
    bool m_sampling = false;
    int m_lowBattery = 0;
    int m_eepromProtect = 0;
    ProcedureButtons m_buttons;
};

} // namespace kq70
