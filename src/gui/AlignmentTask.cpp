#include "AlignmentTask.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <memory>

namespace kq70 {

namespace {

constexpr int WAIT_SLICE_MS = 10;

} // namespace

AlignmentTask::~AlignmentTask() {
    if (m_thread == nullptr) {
        return;
    }
    QObject::disconnect(m_thread, nullptr, &m_owner, nullptr);
    while (!m_thread->wait(QDeadlineTimer(WAIT_SLICE_MS))) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    delete m_thread;
}

bool AlignmentTask::run(std::function<bool()> work, std::function<void(bool)> done) {
    if (busy()) {
        return false;
    }
    auto result = std::make_shared<bool>(false);
    QThread* thread = QThread::create([work = std::move(work), result] { *result = work(); });
    m_thread = thread;
    QObject::connect(thread, &QThread::finished, &m_owner,
                     [this, thread, result, done = std::move(done)] {
                         // Sent just before the thread ends: let it end before it goes.
                         thread->wait();
                         thread->deleteLater();
                         m_thread = nullptr;
                         if (done) {
                             done(*result);
                         }
                     });
    thread->start();
    return true;
}

} // namespace kq70
