#include "DialogButtons.h"

#include "ui/Strings.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace kq70 {

void nameDialogButtons(QDialogButtonBox& box) {
    if (QPushButton* ok = box.button(QDialogButtonBox::Ok)) {
        ok->setText(QString::fromUtf8(text::BUTTON_OK.data(),
                                      static_cast<qsizetype>(text::BUTTON_OK.size())));
    }
}

} // namespace kq70
