#pragma once

#include "service/AlignmentContext.h"
#include "service/ProcedureButtons.h"
#include "service/Sampling.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kq70 {

// The receive measurements: the user sets the signal generator as shown and the radio's
// A/D readings are sampled.
enum class SqlProcedure {
    ThresholdSql, // items 2 wide, 6 narrow: the noise squelch reading
    TightSql,     // items 3 wide, 7 narrow: the noise squelch reading
    TightRssi,    // items 0 wide, 4 narrow: the RSSI reading
    TxSave,       // items 1 wide, 5 narrow: the RSSI reading
};

// One receive measurement: Start puts the radio on its alignment channel, RunSampling takes
// the 20 samples 50 ms apart on the radio's clock, and the result of each reading is the mean
// of its 18 middle samples. OK stores the procedure's reading into its item. A failed read
// ends the measurement with string 125 and nothing to store; a stopped run stores nothing.
class HSqlAlignment {
public:
    HSqlAlignment(const AlignmentContext& context, SqlProcedure procedure, int variant);

    void SetChannel(int channel) { m_channel = channel; }
    int Channel() const { return m_channel; }
    std::string Title() const;
    std::size_t Item() const;
    // The generator settings to apply: frequency, RF level in the display unit, and where
    // the procedure has them deviation and modulation ("%4.1f kHz").
    std::vector<std::string> GeneratorLines() const;

    // RequestRx and the channel; string 125 on failure.
    bool Start();
    // One sample; false once sampling has ended (all taken, or a failed read).
    bool Sample();
    // Start's samples to the end on the clock, or until `watch` stops the run; true when all
    // 20 were taken.
    bool RunSampling(const SamplingWatch& watch = {});
    bool Finished() const { return m_taken == SAMPLE_COUNT && !m_failed; }
    bool Sampling() const { return m_sampling; }
    int SamplesTaken() const { return m_taken; }
    int NsqResult() const { return m_nsq.Mean(); }
    int RssiResult() const { return m_rssi.Mean(); }
    std::string NsqText() const;
    std::string RssiText() const;
    // Stores the result when the measurement finished; false when there was none.
    bool Ok();
    void Cancel() {}
    const ProcedureButtons& Buttons() const { return m_buttons; }

    // Sum, largest and smallest of a series of samples, and their trimmed mean.
    struct Series {
        int sum = 0;
        int largest = 0;
        int smallest = 0;
        int count = 0;
        void Add(int value);
        // (sum - largest - smallest) / 18.
        int Mean() const;
    };

private:
    bool ReadsNsq() const;
    bool Read(int index, int& value);
    void Fail();
    void StopSampling();

    AlignmentContext m_context;
    SqlProcedure m_procedure;
    int m_variant;
    int m_channel;
    Series m_nsq;
    Series m_rssi;
    int m_taken = 0;
    bool m_sampling = false;
    bool m_failed = false;
    ProcedureButtons m_buttons;
};

} // namespace kq70
