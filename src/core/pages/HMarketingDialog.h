#pragma once

#include "pages/HDialog.h"
#include "params/HMarketingParams.h"

#include <optional>
#include <string>
#include <vector>

namespace kq70 {

// The Marketing Parameters page: the market application code and the serial number. The
// firmware version and the EEPROM copy of the serial number are carried but not shown;
// in the normal access mode the edits are shown disabled.
class HMarketingDialog : public HDialog {
public:
    // Value i of HMarketingParams is the edit with this id + i.
    static constexpr int FIRST_CONTROL_ID = 3200;

    HMarketingDialog(RadioImage& image, int accessMode);

    static int GetControlId(std::size_t index) {
        return FIRST_CONTROL_ID + static_cast<int>(index);
    }
    const HMarketingParams& GetParams() const { return m_params; }
    // One line per value: line 0 the market application, line 2 the serial number.
    std::vector<ListingItem> GetListingItems() const override { return GetListingItemsByControl(); }

protected:
    bool AcquireData() override;
    bool InitEdit() override;
    bool StoreData() override;
    std::optional<std::string> PromptText(int promptId) const override;

private:
    HMarketingParams m_params;
};

} // namespace kq70
