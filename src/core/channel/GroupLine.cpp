#include "channel/GroupLine.h"

#include "channel/HGroupTable.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"

namespace kq70 {

std::string groupLine(int group, const std::string& tag, const std::string& scanText) {
    return strprintf(std::string(text::GROUP_LINE_FORMAT).c_str(), group + 1, tag.c_str(),
                     scanText.c_str());
}

std::string groupLine(const HGroupTable& groups, int group) {
    return groupLine(group, groups.tag(group), groupScanText(groups.scanFlag(group)));
}

std::string groupScanText(bool scan) {
    return std::string(text::GROUP_SCAN_TEXTS[scan ? 1 : 0]);
}

} // namespace kq70
