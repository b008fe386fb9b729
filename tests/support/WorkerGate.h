#pragma once

#include "platform/WorkQueue.h"

#include <atomic>
#include <future>
#include <thread>

namespace decant::test {

// Holds every thread of a work queue until released or destroyed, so that
// a test can act before any queued operation has ended, however slowly the
// test's own thread is scheduled.
class WorkerGate {
public:
    explicit WorkerGate(WorkQueue& workers) {
        const std::shared_future<void> opened = opened_.get_future().share();
        std::atomic<int> held = 0;
        for (int index = 0; index < workers.maximumConcurrentOperations(); ++index) {
            workers.addOperation([&held, opened] {
                ++held;
                opened.wait();
            });
        }
        while (held.load() < workers.maximumConcurrentOperations()) {
            std::this_thread::yield();
        }
    }
    WorkerGate(const WorkerGate&) = delete;
    WorkerGate& operator=(const WorkerGate&) = delete;
    ~WorkerGate() { open(); }

    void open() {
        if (!isOpen_) {
            isOpen_ = true;
            opened_.set_value();
        }
    }

private:
    std::promise<void> opened_;
    bool isOpen_ = false;
};

} // namespace decant::test
