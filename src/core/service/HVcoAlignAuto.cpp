#include "service/HVcoAlignAuto.h"

#include "align/HAdustmentBackUpParams.h"
#include "link/HComAlignment.h"
#include "log/HLogPrint.h"
#include "service/AlignmentChannelInfo.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

namespace {

constexpr int POINTS_DONE = VCO_POINT_COUNT;
constexpr int RAIL_LOW_VCV = 10;
constexpr int RAIL_HIGH_VCV = 245;

} // namespace

HVcoAlignAuto::HVcoAlignAuto(const AlignmentContext& context, int direction, int returnChannel)
    : m_context(context), m_direction(direction == VCO_TX ? VCO_TX : VCO_RX),
      m_returnChannel(returnChannel) {
    UpdateButtons();
}

std::string HVcoAlignAuto::Title() const {
    return std::string(m_direction == VCO_TX ? text::TX_VCO_TITLE : text::RX_VCO_TITLE);
}

int HVcoAlignAuto::ChannelOfPoint(int point) {
    return point == VCO_HIGH ? 2 : point == VCO_MIDDLE ? 1 : 0;
}

std::size_t HVcoAlignAuto::ItemOfPoint(int point) const {
    const std::size_t first = m_direction == VCO_TX ? ADJ_TX_VCO_LOW : ADJ_RX_VCO_LOW;
    return first + static_cast<std::size_t>(VCO_LOW - point);
}

std::vector<std::string> HVcoAlignAuto::DisplayLines() const {
    const char* direction = m_direction == VCO_TX ? "TX" : "RX";
    if (m_point < POINTS_DONE) {
        const auto info = AlignmentChannelInfo::Of(m_context.image, ChannelOfPoint(m_point));
        return {std::string(text::VCO_START_PROMPTS[static_cast<std::size_t>(m_direction)]
                                                   [static_cast<std::size_t>(m_point)]),
                info.FrequencyText(), info.WidthText()};
    }
    std::vector<std::string> lines;
    for (int point = 0; point < VCO_POINT_COUNT; ++point) {
        const PointResult& result = m_results[static_cast<std::size_t>(point)];
        lines.push_back(strprintf(text::VCO_RESULT_FORMAT.data(),
                                  text::VCO_POINT_NAMES[static_cast<std::size_t>(point)].data(),
                                  direction, result.value, result.reading));
    }
    return lines;
}

bool HVcoAlignAuto::PrepareStep(int point) {
    HComAlignment& com = m_context.com;
    if (!com.RequestRx()) {
        return false;
    }
    m_context.clock.sleep(CHANNEL_PAUSE);
    if (!com.ChangeChannel(0, ChannelOfPoint(point))) {
        return false;
    }
    if (m_direction == VCO_RX) {
        return true;
    }
    if (!com.RequestTx()) {
        return false;
    }
    m_context.clock.sleep(TX_PAUSE);
    if (!com.SetAdjustLevel(0, 0, 0)) {
        return false;
    }
    m_context.clock.sleep(TX_PAUSE);
    return true;
}

// One reading at `d`, read again (up to twice) while the PLL shows no lock. A VCV on a rail
// without lock means the search left the VCO's range.
bool HVcoAlignAuto::ReadLocked(int point, int d, int& vcv, int& ul) {
    if (!m_context.com.ReadVcvUl(vcv, ul)) {
        return false;
    }
    for (int again = 0; again < RE_READS && ul <= LOCKED_ABOVE; ++again) {
        m_context.clock.sleep(RE_READ_PAUSE);
        if (!m_context.com.ReadVcvUl(vcv, ul)) {
            return false;
        }
        if (ul > LOCKED_ABOVE) {
            break;
        }
        if ((d == 0 && vcv < RAIL_LOW_VCV) || (point == VCO_LOW && vcv > RAIL_HIGH_VCV)) {
            KQ70_LOG(LOG_WR, LOG_CHANNEL, "VCO out of range [D:%d][VCV:%d]", d, vcv);
            return false;
        }
    }
    return true;
}

bool HVcoAlignAuto::Pass(bool upward, int point, int& found, int& last) {
    const VcoDirectionLimits& limits = m_context.limits.Get(m_direction);
    const VcoPointLimits& p = limits.points[static_cast<std::size_t>(point)];
    int d = upward ? p.min1 : p.max2;
    for (int sends = 0; sends < MAX_SENDS_PER_PASS; ++sends) {
        if (upward ? d > p.max1 : d < p.min2) {
            return true;
        }
        if (!m_context.com.SetTxPowerTuneLevel(0, static_cast<std::uint8_t>(d & 0xFF))) {
            return false;
        }
        int vcv = 0;
        int ul = 0;
        if (!ReadLocked(point, d, vcv, ul)) {
            return false;
        }
        last = ul & 0xFF;
        if (ul > LOCKED_ABOVE && (upward ? vcv <= p.target : vcv >= p.target)) {
            found = d;
            return true;
        }
        if (upward ? d >= p.max1 : d <= p.min2) {
            return true;
        }
        d += upward ? limits.step : -limits.step;
    }
    KQ70_LOG(LOG_WR, LOG_CHANNEL, "VCO pass stopped after %d sends", MAX_SENDS_PER_PASS);
    return true;
}

HVcoAlignAuto::SearchResult HVcoAlignAuto::Search(int point) {
    const VcoPointLimits& p =
        m_context.limits.Get(m_direction).points[static_cast<std::size_t>(point)];
    int upD = 0;
    int downD = 0;
    int lastUp = 0;
    int lastDown = 0;
    if (p.min1 < p.max1 && !Pass(true, point, upD, lastUp)) {
        return {};
    }
    if (!Pass(false, point, downD, lastDown)) {
        return {};
    }
    SearchResult result;
    if (upD != 0 && downD != 0) {
        result = {true, (upD + downD) / 2, (lastUp + lastDown) / 2};
    } else if (upD != 0) {
        result = {true, upD, lastUp};
    } else {
        result = {true, downD, lastDown};
    }
    // Nothing found is no result: a D/A of 0 would detune the VCO for good.
    result.found = result.value != 0;
    return result;
}

bool HVcoAlignAuto::Start() {
    if (m_point >= POINTS_DONE) {
        return false;
    }
    m_buttons.startEnabled = false;
    m_buttons.cancelEnabled = false;
    bool ok = false;
    if (!PrepareStep(m_point)) {
        // A transmitter keyed before the failure is not left on.
        if (m_direction == VCO_TX && !m_context.com.RequestRx()) {
            KQ70_LOG(LOG_WR, LOG_CHANNEL, "RequestRx after a failed preparation failed");
        }
        m_context.prompt.message(Strings::get(IDS_INITIAL_PROCESSING_FAILED),
                                 MessageIcon::Exclamation);
    } else {
        const SearchResult result = Search(m_point);
        const bool backToRx = m_direction == VCO_RX || m_context.com.RequestRx();
        ok = result.found && backToRx;
        if (ok) {
            m_results[static_cast<std::size_t>(m_point)] = {result.value, result.reading, true};
            KQ70_LOG(LOG_D1, LOG_CHANNEL, "VCO success [POINT:%d][DA:%d]", m_point, result.value);
            ++m_point;
        } else {
            m_context.prompt.message(Strings::get(IDS_ALIGNMENT_ERROR), MessageIcon::Exclamation);
        }
    }
    UpdateButtons();
    return ok;
}

void HVcoAlignAuto::UpdateButtons() {
    const bool done = m_point >= POINTS_DONE;
    m_buttons.okVisible = done;
    m_buttons.startVisible = !done;
    m_buttons.startEnabled = !done;
    m_buttons.cancelEnabled = true;
    m_buttons.focus = done ? ProcedureFocus::Ok : ProcedureFocus::Start;
}

bool HVcoAlignAuto::Ok() {
    if (m_point < POINTS_DONE) {
        return false;
    }
    for (int point = VCO_LOW; point >= VCO_HIGH; --point) {
        m_context.set.set(ItemOfPoint(point), m_results[static_cast<std::size_t>(point)].value);
    }
    if (!m_context.com.ChangeChannel(0, m_returnChannel)) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "ChangeChannel back to %d failed", m_returnChannel);
    }
    return true;
}

} // namespace kq70
