#pragma once

#include "pages/HDialog.h"
#include "params/HDirectChParams.h"

#include <optional>
#include <string>
#include <vector>

namespace kq70 {

class UserPrompt;

// The Direct CH Parameters page: the channel numbers (1 - 256) of the two direct channels.
// Their groups are kept as stored. OK refuses a number outside the range, with a message
// through `prompt` when there is one.
class HDirectChDialog : public HDialog {
public:
    // The channel number of direct channel k (0 or 1) is the edit with this id + k.
    static constexpr int FIRST_CONTROL_ID = 3300;

    HDirectChDialog(RadioImage& image, int accessMode, UserPrompt* prompt = nullptr);

    static int GetControlId(std::size_t record) {
        return FIRST_CONTROL_ID + static_cast<int>(record);
    }
    const HDirectChParams& GetParams() const { return m_params; }
    std::vector<ListingItem> GetListingItems() const override { return GetListingItemsByControl(); }

protected:
    bool CheckBeforeOk() override;
    std::optional<std::string> PromptText(int promptId) const override;

private:
    HDirectChParams m_params;
    UserPrompt* m_prompt;
};

} // namespace kq70
