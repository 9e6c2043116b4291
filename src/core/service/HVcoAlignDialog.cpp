#include "service/HVcoAlignDialog.h"

#include "align/HAdustmentBackUpParams.h"
#include "link/HComAlignment.h"
#include "log/HLogPrint.h"
#include "service/DaSlider.h"
#include "service/HVcoAlignAuto.h"
#include "service/VcoLimits.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

#include <algorithm>

namespace kq70 {

HVcoAlignDialog::HVcoAlignDialog(const AlignmentContext& context, int direction, int point)
    : m_context(context), m_direction(direction == VCO_TX ? VCO_TX : VCO_RX),
      m_point(std::clamp(point, 0, VCO_POINT_COUNT - 1)) {}

std::string HVcoAlignDialog::Title() const {
    return std::string(m_direction == VCO_TX ? text::TX_VCO_TITLE : text::RX_VCO_TITLE);
}

std::size_t HVcoAlignDialog::Item() const {
    const std::size_t first = m_direction == VCO_TX ? ADJ_TX_VCO_LOW : ADJ_RX_VCO_LOW;
    return first + static_cast<std::size_t>(VCO_LOW - m_point);
}

bool HVcoAlignDialog::Open() {
    HComAlignment& com = m_context.com;
    if (!com.RequestRx() || !com.ChangeChannel(0, HVcoAlignAuto::ChannelOfPoint(m_point))) {
        KQ70_LOG(LOG_ER, LOG_CHANNEL, "HVcoAlignDialog: receive on the point's channel failed");
        return false;
    }
    if (m_direction == VCO_TX) {
        if (!com.RequestTx()) {
            KQ70_LOG(LOG_ER, LOG_CHANNEL, "HVcoAlignDialog: RequestTx failed");
            return false;
        }
        m_context.clock.sleep(TX_PAUSE);
        if (!com.SetAdjustLevel(0, 0, 0)) {
            KQ70_LOG(LOG_ER, LOG_CHANNEL, "HVcoAlignDialog: SetAdjustLevel failed");
            Cancel(); // not left transmitting
            return false;
        }
        m_context.clock.sleep(TX_PAUSE);
    }
    m_value = DaSlider::Clamp(m_context.set.get(Item()));
    SendAndRead();
    return true;
}

void HVcoAlignDialog::SetSlider(int value) {
    m_value = DaSlider::Clamp(value);
    SendAndRead();
}

void HVcoAlignDialog::SendAndRead() {
    if (!m_context.com.SetTxPowerTuneLevel(0, static_cast<std::uint8_t>(m_value))) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "VCO D/A %d not sent", m_value);
    }
    for (int attempt = 0; attempt < READ_ATTEMPTS; ++attempt) {
        m_context.clock.sleep(READ_PAUSE);
        int vcv = 0;
        int ul = 0;
        if (m_context.com.ReadVcvUl(vcv, ul)) {
            KQ70_LOG(LOG_D2, LOG_CHANNEL, "ADJ Read Suceed");
            m_vcv = vcv;
            m_ul = ul;
            return;
        }
        m_context.clock.sleep(FAILED_READ_PAUSE);
    }
    m_vcv = m_value;
    m_ul = 0;
}

std::string HVcoAlignDialog::DaText() const {
    return strprintf("%d", m_value);
}

std::string HVcoAlignDialog::VcvText() const {
    return strprintf("%d", m_vcv);
}

std::string HVcoAlignDialog::UlText() const {
    return strprintf("%d", m_ul);
}

void HVcoAlignDialog::Ok() {
    m_context.set.set(Item(), m_value);
    Cancel();
}

void HVcoAlignDialog::Cancel() {
    if (m_direction == VCO_TX && !m_context.com.RequestRx()) {
        KQ70_LOG(LOG_WR, LOG_CHANNEL, "HVcoAlignDialog: RequestRx failed");
    }
}

} // namespace kq70
