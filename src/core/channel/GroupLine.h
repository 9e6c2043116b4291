#pragma once

#include <string>

namespace kq70 {

class HGroupTable;

// A group's line in the allocation dialog and the listing: "GROUP %d: %-8s %s" with the
// 1-based group number, its alpha tag and its group scan text ("None" or "SCAN").
std::string groupLine(int group, const std::string& tag, const std::string& scanText);
std::string groupLine(const HGroupTable& groups, int group);
std::string groupScanText(bool scan);

} // namespace kq70
