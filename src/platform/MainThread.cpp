#include "platform/MainThread.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include <cstdint>
#include <deque>
#include <mutex>
#include <sys/eventfd.h>
#include <unistd.h>

namespace decant {
namespace {

// Work posted to the main thread waits in a queue of our own, under a mutex,
// and an eventfd wakes the event loop. Qt's own cross-thread events are
// synchronised with futexes that thread checkers cannot see; a mutex and a
// file descriptor they can, so every hand-over between threads is checked.
class MainThreadQueue {
public:
    // Made on the main thread when the application starts (see below).
    static MainThreadQueue& instance() {
        static MainThreadQueue queue;
        return queue;
    }

    void post(const QObject* context, std::function<void()> work) {
        {
            std::lock_guard lock(mutex_);
            pending_.push_back(
                {QPointer<const QObject>(context), context != nullptr, std::move(work)});
        }
        const uint64_t one = 1;
        // The counter only saturates after 2^64 - 1 unread wake-ups.
        [[maybe_unused]] const auto written = write(wakeUp_, &one, sizeof one);
    }

private:
    struct Posted {
        QPointer<const QObject> context;
        bool hasContext;
        std::function<void()> work;
    };

    MainThreadQueue()
        : wakeUp_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
        , notifier_(wakeUp_, QSocketNotifier::Read) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { runPending(); });
    }

    void runPending() {
        uint64_t count = 0;
        [[maybe_unused]] const auto read = ::read(wakeUp_, &count, sizeof count);
        std::deque<Posted> batch;
        {
            std::lock_guard lock(mutex_);
            batch.swap(pending_);
        }
        for (Posted& posted : batch) {
            if (!posted.hasContext || posted.context) {
                posted.work();
            }
        }
    }

    const int wakeUp_;
    QSocketNotifier notifier_;
    std::mutex mutex_;
    std::deque<Posted> pending_;
};

// Made with the application, on its thread, before any worker can post.
void createMainThreadQueue() {
    MainThreadQueue::instance();
}
Q_COREAPP_STARTUP_FUNCTION(createMainThreadQueue)

} // namespace

void runOnMainThread(std::function<void()> work) {
    MainThreadQueue::instance().post(nullptr, std::move(work));
}

void runOnMainThread(const QObject* context, std::function<void()> work) {
    MainThreadQueue::instance().post(context, std::move(work));
}

bool isMainThread() {
    const auto* application = QCoreApplication::instance();
    return application != nullptr && QThread::currentThread() == application->thread();
}

} // namespace decant
