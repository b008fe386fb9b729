#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace decant {

// Runs operations on worker threads, at most `maximumConcurrentOperations`
// at a time, started in the order they were added. Suspending holds back
// operations that have not started; cancelling drops them (a running one
// finishes). The operation count (added and not yet finished) is reported to
// the observer after every change, on the thread that changed it: the
// caller's for adding and cancelling, a worker's when an operation ends.
// Reports arrive one at a time in the order of the changes, each with the
// count that change made, so exactly one report says zero each time the
// queue drains. The observer must not add or cancel operations itself.
class WorkQueue {
public:
    using Operation = std::function<void()>;
    using CountObserver = std::function<void(int operationCount)>;

    explicit WorkQueue(int maximumConcurrentOperations = processorCount());
    // Drops the pending operations and waits for the running ones.
    ~WorkQueue();
    WorkQueue(const WorkQueue&) = delete;
    WorkQueue& operator=(const WorkQueue&) = delete;

    // Every processor the machine has configured, online or not.
    static int processorCount();

    int maximumConcurrentOperations() const { return maximum_; }
    // Set before operations are added; called from any thread but not
    // concurrently with itself.
    void setCountObserver(CountObserver observer);

    void addOperation(Operation operation);
    void cancelAllOperations();
    void setSuspended(bool suspended);
    bool isSuspended() const;
    int operationCount() const;
    // Waits until the count is zero or the time is up; true when it is zero.
    bool waitUntilAllOperationsAreFinished(std::chrono::milliseconds timeout);

private:
    void work();
    // Called with `mutex_` released; waits for the reports of earlier changes.
    void report(uint64_t ticket, int operationCount);
    // Under `mutex_`: the ticket that orders this change's report.
    uint64_t takeTicket() { return nextTicket_++; }

    const int maximum_;
    CountObserver observer_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable drained_;
    std::deque<Operation> pending_;
    int running_ = 0;
    bool suspended_ = false;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
    uint64_t nextTicket_ = 0;

    std::mutex reportMutex_;
    std::condition_variable reportTurn_;
    uint64_t servingTicket_ = 0;
};

} // namespace decant
