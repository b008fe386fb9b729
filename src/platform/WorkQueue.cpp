#include "platform/WorkQueue.h"

#include <algorithm>
#include <unistd.h>

namespace decant {

WorkQueue::WorkQueue(int maximumConcurrentOperations)
    : maximum_(std::max(1, maximumConcurrentOperations)) {}

WorkQueue::~WorkQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        pending_.clear();
    }
    wake_.notify_all();
    for (auto& worker : workers_) {
        worker.join();
    }
}

int WorkQueue::processorCount() {
    return int(std::max(1L, sysconf(_SC_NPROCESSORS_CONF)));
}

void WorkQueue::setCountObserver(CountObserver observer) {
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

void WorkQueue::report(uint64_t ticket, int operationCount) {
    CountObserver observer;
    {
        std::lock_guard lock(mutex_);
        observer = observer_;
    }
    std::unique_lock turn(reportMutex_);
    reportTurn_.wait(turn, [&] { return servingTicket_ == ticket; });
    turn.unlock();
    if (observer) {
        observer(operationCount);
    }
    turn.lock();
    ++servingTicket_;
    turn.unlock();
    reportTurn_.notify_all();
}

void WorkQueue::addOperation(Operation operation) {
    int count = 0;
    uint64_t ticket = 0;
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(operation));
        count = int(pending_.size()) + running_;
        ticket = takeTicket();
        // Threads are started as work arrives and live as long as the queue.
        if (int(workers_.size()) < maximum_) {
            workers_.emplace_back([this] { work(); });
        }
    }
    wake_.notify_one();
    report(ticket, count);
}

void WorkQueue::cancelAllOperations() {
    int count = 0;
    uint64_t ticket = 0;
    {
        std::lock_guard lock(mutex_);
        if (pending_.empty()) {
            return;
        }
        pending_.clear();
        count = running_;
        ticket = takeTicket();
    }
    drained_.notify_all();
    report(ticket, count);
}

void WorkQueue::setSuspended(bool suspended) {
    {
        std::lock_guard lock(mutex_);
        suspended_ = suspended;
    }
    if (!suspended) {
        wake_.notify_all();
    }
}

bool WorkQueue::isSuspended() const {
    std::lock_guard lock(mutex_);
    return suspended_;
}

int WorkQueue::operationCount() const {
    std::lock_guard lock(mutex_);
    return int(pending_.size()) + running_;
}

bool WorkQueue::waitUntilAllOperationsAreFinished(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return drained_.wait_for(lock, timeout, [this] { return pending_.empty() && running_ == 0; });
}

// Worker thread.
void WorkQueue::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || (!suspended_ && !pending_.empty()); });
        if (stopping_) {
            return;
        }
        Operation operation = std::move(pending_.front());
        pending_.pop_front();
        ++running_;
        lock.unlock();

        operation();
        operation = nullptr;

        lock.lock();
        --running_;
        const int count = int(pending_.size()) + running_;
        const uint64_t ticket = takeTicket();
        if (count == 0) {
            drained_.notify_all();
        }
        lock.unlock();
        report(ticket, count);
        lock.lock();
    }
}

} // namespace decant
