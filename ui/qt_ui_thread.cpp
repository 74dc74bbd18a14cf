#include "ui/qt_ui_thread.h"

#include <QCoreApplication>
#include <QThread>

namespace torvex {

void QtUiThread::invoke(const std::function<void()>& call) {
    if (QThread::currentThread() == context_->thread()) {
        call();  // already there: a blocking queued call would wait for itself
        return;
    }
    QMetaObject::invokeMethod(
        context_, [&call] { call(); }, Qt::BlockingQueuedConnection);
}

void QtUiThread::post(std::function<void()> call) {
    QMetaObject::invokeMethod(context_, std::move(call), Qt::QueuedConnection);
}

void QtUiThread::serveUntil(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
}

}  // namespace torvex
