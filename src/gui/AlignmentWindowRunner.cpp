#include "AlignmentWindowRunner.h"

#include "AlignmentWindow.h"

#include <QPointer>

namespace kq70 {

BasicAlignment::WindowRunner alignmentWindowRunner(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](HBasicAlignment& alignment) {
        AlignmentWindow window(alignment, owner.data());
        window.selectChannel();
        return window.exec() == QDialog::Accepted;
    };
}

} // namespace kq70
