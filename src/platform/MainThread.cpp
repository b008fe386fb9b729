#include "platform/MainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace decant {

void runOnMainThread(std::function<void()> work) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

void runOnMainThread(const QObject* context, std::function<void()> work) {
    QMetaObject::invokeMethod(const_cast<QObject*>(context), std::move(work), Qt::QueuedConnection);
}

bool isMainThread() {
    const auto* application = QCoreApplication::instance();
    return application != nullptr && QThread::currentThread() == application->thread();
}

} // namespace decant
