#include "pages/ComboDefinition.h"

#include <array>

namespace kq70 {

namespace {

// The built-in lists; the trailing blanks are the program's own texts.
constexpr std::array<std::array<ComboEntry, 2>, 6> BUILT_IN_LISTS{{
    {{{"Disable", 0, true}, {"Enable ", 1, true}}},
    {{{"Enable", 0, true}, {"Disable ", 1, true}}},
    {{{"Off", 0, true}, {"On ", 1, true}}},
    {{{"On ", 0, true}, {"Off", 1, true}}},
    {{{"No", 0, true}, {"Yes ", 1, true}}},
    {{{"Yes", 0, true}, {"No ", 1, true}}},
}};

} // namespace

std::span<const ComboEntry> builtInComboList(int kind) {
    if (kind < LIST_DISABLE_ENABLE || kind > LIST_YES_NO) {
        return {};
    }
    return BUILT_IN_LISTS[static_cast<std::size_t>(kind)];
}

} // namespace kq70
