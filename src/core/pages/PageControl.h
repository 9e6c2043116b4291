#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kq70 {

enum class ControlKind { Combo, Edit, Static, Check };

// One entry a combo shows: its text and the item value saved when it is chosen.
struct ComboItem {
    std::string text;
    std::int32_t itemValue = 0;
};

// A control of a parameter page as a front end renders it. Front ends read these and hand the
// user's changes back to the page; they decide nothing themselves.
struct PageControl {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    std::string label;
    int promptId = 0; // string id of the prompt line shown while the control has the focus
    bool enabled = true;
    bool visible = true;

    // Combos.
    std::vector<ComboItem> items;
    int selectedIndex = -1; // -1: no entry selected

    // Edits.
    std::string text;
    int maxLength = 0;
    int filter = 0;

    // Check boxes.
    bool checked = false;

    const ComboItem* selectedItem() const {
        return selectedIndex >= 0 && selectedIndex < static_cast<int>(items.size())
                   ? &items[static_cast<std::size_t>(selectedIndex)]
                   : nullptr;
    }
};

} // namespace kq70
