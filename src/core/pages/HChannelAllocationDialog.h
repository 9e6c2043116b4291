#pragma once

#include "channel/HChannelData.h"
#include "channel/HGroupParams.h"
#include "pages/HDialog.h"

#include <string>
#include <utility>

namespace kq70 {

// The "Channel Allocation/Group Tag" page: per group a channel count, an alpha tag and a
// group scan flag. The small variant serves radios of 32 and 48 channels (groups 1–3), the
// large one radios of 256 channels (16 groups and a "Channels Left" label). The page edits its
// own copy of the channel data; OK stores it, which moves every later group's run of channels
// with a changed count.
class HChannelAllocationDialog : public HDialog {
public:
    enum class Variant { Small, Large };

    static constexpr int IDOK = 1;
    static constexpr int IDC_GROUP_LABEL = 5752; // + group
    static constexpr int IDC_COUNT = 2601;       // + group
    static constexpr int IDC_TAG = 2617;         // + group
    static constexpr int IDC_SCAN = 2651;        // + group
    static constexpr int IDC_CHANNELS_LEFT = 8334;
    static constexpr int NO_GROWN_GROUP = 16;

    // The variant follows the image's Radio Channel value: 6 and above large, else small.
    HChannelAllocationDialog(RadioImage& image, int accessMode);
    HChannelAllocationDialog(RadioImage& image, int accessMode, Variant variant);

    Variant GetVariant() const { return m_variant; }

    // A count edit lost the focus: the group's count is recomputed.
    void CountEditKillFocus(int group);
    // Enter in a count edit: the group is recomputed. True when the dialog then handles the
    // key as usual (the small variant: OK ends it); the large variant swallows it.
    bool CountEditEnter(int group);
    // Where the page moved the focus last (a count edit or IDOK); 0 when it did not.
    int GetFocusRequest() const { return m_focusRequest; }
    // The focus move the window has not made yet (0 for none); taking it clears it.
    int TakeFocusRequest() { return std::exchange(m_pendingFocus, 0); }
    int GetFirstGrownGroup() const { return m_firstGrownGroup; }
    const HChannelData& GetChannelData() const { return m_data; }

    // "GROUP %d: %-8s %s" with the group number, its tag edit's text and its combo's text.
    std::string GroupLine(int group) const;

protected:
    bool AcquireData() override;
    bool InitCombo() override;
    bool InitEdit() override;
    bool InitStatic() override;
    bool SetDataCombo() override;
    bool SetDataEdit() override;
    bool SaveDataEdit() override;
    bool StoreData() override;

private:
    bool IsLarge() const { return m_variant == Variant::Large; }
    void Recompute(int group);
    int ShownCount(int group) const;
    void SetCountText(int group, int count);
    void EnableForCount(int group, int count);

    Variant m_variant;
    HChannelData m_data;
    HGroupParams m_groups;
    int m_radioChannel = 0;
    int m_firstGrownGroup = NO_GROWN_GROUP;
    int m_focusRequest = 0;
    int m_pendingFocus = 0;
};

} // namespace kq70
