#pragma once

#include <string>
#include <string_view>

namespace kq70 {

// The frame title for an access mode: the mode's title text followed by two runs of 113 blanks.
std::string frameTitleForMode(int accessMode);

// The caption after the adjustment-mode unlock: the text up to and including the first " - ",
// then the adjustment-mode title. A caption without " - " becomes the title alone.
std::string captionAfterAdjustmentUnlock(std::string_view caption);

} // namespace kq70
