#include "app/WindowTitles.h"

#include "app/AccessMode.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

namespace kq70 {

namespace {

constexpr std::size_t TITLE_PADDING = 113;

int titleStringId(int accessMode) {
    switch (accessMode) {
    case ACCESS_MANUFACTURE:
        return IDS_TITLE_MANUFACTURE;
    case ACCESS_ADJUSTMENT:
        return IDS_TITLE_ADJUSTMENT;
    case ACCESS_E_MODE:
        return IDS_TITLE_E_MODE;
    default:
        return IDS_TITLE_NORMAL;
    }
}

} // namespace

std::string frameTitleForMode(int accessMode) {
    const std::string padding(TITLE_PADDING, ' ');
    const std::string title(Strings::get(titleStringId(accessMode)));
    return strprintf("%s%s%s", title.c_str(), padding.c_str(), padding.c_str());
}

std::string captionAfterAdjustmentUnlock(std::string_view caption) {
    constexpr std::string_view separator = " - ";
    const std::size_t at = caption.find(separator);
    std::string result;
    if (at != std::string_view::npos) {
        result = std::string(caption.substr(0, at + separator.size()));
    }
    result += Strings::get(titleStringId(ACCESS_ADJUSTMENT));
    return result;
}

} // namespace kq70
