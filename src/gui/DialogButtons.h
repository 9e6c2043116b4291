#pragma once

class QDialogButtonBox;

namespace kq70 {

// Gives the OK button of `box` the string table's text, with its Alt letter.
void nameDialogButtons(QDialogButtonBox& box);

} // namespace kq70
