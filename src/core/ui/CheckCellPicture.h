#pragma once

namespace kq70 {

// The picture a grid shows in a check-mark cell, by (enabled, ticked): no mark when not
// ticked, a grey mark on a disabled cell, the normal mark otherwise. Centred in the cell; the
// cell's text (" " ticked, "-" not) is what Copy reads.
enum class CheckCellPicture { None, GreyTick, Tick };

constexpr CheckCellPicture checkCellPicture(bool enabled, bool ticked) {
    if (!ticked) {
        return CheckCellPicture::None;
    }
    return enabled ? CheckCellPicture::Tick : CheckCellPicture::GreyTick;
}

constexpr int CHECK_PICTURE_ALIGNMENT_CENTRE = 3;

} // namespace kq70
