#pragma once

#include "pages/HDialog.h"
#include "params/HMiscParams.h"

#include <optional>
#include <string>
#include <vector>

namespace kq70 {

// The Miscellaneous page: one combo per choice and the Default Split edit in MHz.
class HMiscDialog : public HDialog {
public:
    // Value i of HMiscParams is the control with this id + i.
    static constexpr int FIRST_CONTROL_ID = 3100;

    HMiscDialog(RadioImage& image, int accessMode);

    static int GetControlId(std::size_t index) {
        return FIRST_CONTROL_ID + static_cast<int>(index);
    }
    const HMiscParams& GetParams() const { return m_params; }
    // One line per value, in value order.
    std::vector<ListingItem> GetListingItems() const override { return GetListingItemsByControl(); }

protected:
    std::optional<std::string> PromptText(int promptId) const override;

private:
    HMiscParams m_params;
};

} // namespace kq70
