#include "AlignmentWindowRunner.h"

#include "AlignmentWindow.h"

#include <QApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThread>

namespace kq70 {

BasicAlignment::WindowRunner alignmentWindowRunner(QWidget* parent) {
    QPointer<QWidget> owner(parent);
    return [owner](HBasicAlignment& alignment) {
        bool aligned = false;
        const auto show = [&alignment, &aligned, owner] {
            AlignmentWindow window(alignment, owner.data());
            window.selectChannel();
            aligned = window.exec() == QDialog::Accepted;
        };
        if (QThread::currentThread() == qApp->thread()) {
            show();
        } else {
            QMetaObject::invokeMethod(qApp, show, Qt::BlockingQueuedConnection);
        }
        return aligned;
    };
}

} // namespace kq70
