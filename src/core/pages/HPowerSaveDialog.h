#pragma once

#include "pages/HDialog.h"
#include "params/HPowerSaveParams.h"

#include <optional>
#include <string>
#include <vector>

namespace kq70 {

// The Power Saving page: one combo per choice and the Power-ON tag edit, which takes
// letters as capitals.
class HPowerSaveDialog : public HDialog {
public:
    // Value i of HPowerSaveParams is the control with this id + i.
    static constexpr int FIRST_CONTROL_ID = 3000;

    HPowerSaveDialog(RadioImage& image, int accessMode);

    static int GetControlId(std::size_t index) {
        return FIRST_CONTROL_ID + static_cast<int>(index);
    }
    const HPowerSaveParams& GetParams() const { return m_params; }
    // One line per value, in value order.
    std::vector<ListingItem> GetListingItems() const override { return GetListingItemsByControl(); }

protected:
    std::optional<std::string> PromptText(int promptId) const override;

private:
    HPowerSaveParams m_params;
};

} // namespace kq70
