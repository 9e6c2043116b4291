#pragma once

#include "pages/HDialog.h"
#include "params/HScanParams.h"

#include <bitset>

namespace kq70 {

// The "Scanning" page. Only Priority Check, Priority CH, Scan Beep and Power ON Scan are
// shown, plus the two resume times in manufacture mode; Priority CH offers the programmed
// channels among the first 16 and is enabled only while Priority Check is on. The caller
// tells which of those channels are programmed (HChannelData::firstSixteenInUse).
class HScanningDialog : public HDialog {
public:
    static constexpr std::size_t PRIORITY_LIST_CHANNELS = 16;
    using ChannelsInUse = std::bitset<PRIORITY_LIST_CHANNELS>;

    enum ControlId : int {
        IDC_RESUME_TIME_RX = 1000,
        IDC_RESUME_TIME_TX,
        IDC_DUAL_WATCH_TIMER,
        IDC_TALK_BACK,
        IDC_REVERT_CHANNEL,
        IDC_GROUP_SCAN,
        IDC_PRIORITY_CHECK,
        IDC_PRIORITY_CH,
        IDC_SCAN_BEEP,
        IDC_POWER_ON_SCAN,
        IDC_SCAN_DISPLAY,
    };

    HScanningDialog(RadioImage& image, int accessMode, ChannelsInUse channelsInUse);
    // For readers of a whole image (listing, comparison): the in-use set comes from it.
    HScanningDialog(RadioImage& image, int accessMode);

    const HScanParams& GetParams() const { return m_params; }
    std::vector<ListingItem> GetListingItems() const override;

protected:
    bool AcquireData() override;
    bool InitCombo() override;
    bool SetDataCombo() override;
    bool StoreData() override;
    void OnControlChanged(int id) override;
    std::optional<std::string> PromptText(int promptId) const override;

private:
    void EnablePriorityChannel();

    HScanParams m_params;
    ChannelsInUse m_channelsInUse;
    int m_radioChannel = 0;
};

} // namespace kq70
