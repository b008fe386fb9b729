#include "platform/WorkQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <latch>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

namespace decant {
namespace {

using namespace std::chrono_literals;

// Records every count the queue reports, in the order it reports them.
class CountRecorder {
public:
    explicit CountRecorder(WorkQueue& queue) {
        queue.setCountObserver([this](int count) {
            std::lock_guard lock(mutex_);
            counts_.push_back(count);
        });
    }

    std::vector<int> counts() const {
        std::lock_guard lock(mutex_);
        return counts_;
    }

    bool waitForReports(std::size_t number) const {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (counts().size() < number && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        return counts().size() >= number;
    }

private:
    mutable std::mutex mutex_;
    std::vector<int> counts_;
};

TEST(WorkQueue, reportsEveryChangeInOrderWithOneZeroPerDrain) {
    WorkQueue queue(4);
    CountRecorder recorder(queue);
    constexpr int operations = 40;
    queue.setSuspended(true);
    for (int index = 0; index < operations; ++index) {
        queue.addOperation([] { std::this_thread::sleep_for(100us); });
    }
    queue.setSuspended(false);
    ASSERT_TRUE(recorder.waitForReports(2 * operations));

    std::vector<int> expected;
    for (int count = 1; count <= operations; ++count) {
        expected.push_back(count);
    }
    for (int count = operations - 1; count >= 0; --count) {
        expected.push_back(count);
    }
    EXPECT_EQ(recorder.counts(), expected);
}

TEST(WorkQueue, neverRunsMoreOperationsThanItsLimit) {
    constexpr int limit = 3;
    WorkQueue queue(limit);
    std::atomic<int> running = 0;
    std::atomic<int> mostRunning = 0;
    for (int index = 0; index < 30; ++index) {
        queue.addOperation([&] {
            const int now = ++running;
            int seen = mostRunning;
            while (now > seen && !mostRunning.compare_exchange_weak(seen, now)) {
            }
            std::this_thread::sleep_for(1ms);
            --running;
        });
    }
    ASSERT_TRUE(queue.waitUntilAllOperationsAreFinished(10s));
    EXPECT_LE(mostRunning, limit);
    EXPECT_GE(mostRunning, 2) << "operations should overlap";
}

TEST(WorkQueue, startsOperationsInTheOrderTheyWereAdded) {
    WorkQueue queue(1);
    std::mutex mutex;
    std::vector<int> order;
    for (int index = 0; index < 20; ++index) {
        queue.addOperation([&, index] {
            std::lock_guard lock(mutex);
            order.push_back(index);
        });
    }
    ASSERT_TRUE(queue.waitUntilAllOperationsAreFinished(10s));
    std::vector<int> expected(20);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(order, expected);
}

TEST(WorkQueue, holdsBackOperationsWhileSuspended) {
    WorkQueue queue(2);
    std::atomic<int> ran = 0;
    queue.setSuspended(true);
    for (int index = 0; index < 4; ++index) {
        queue.addOperation([&] { ++ran; });
    }
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(queue.operationCount(), 4);

    queue.setSuspended(false);
    ASSERT_TRUE(queue.waitUntilAllOperationsAreFinished(10s));
    EXPECT_EQ(ran, 4);
}

TEST(WorkQueue, cancellingDropsPendingOperationsButLetsRunningOnesFinish) {
    WorkQueue queue(1);
    CountRecorder recorder(queue);
    std::latch started(1);
    std::latch release(1);
    std::atomic<int> finished = 0;
    queue.addOperation([&] {
        started.count_down();
        release.wait();
        ++finished;
    });
    for (int index = 0; index < 3; ++index) {
        queue.addOperation([&] { ++finished; });
    }
    started.wait();
    queue.cancelAllOperations();
    EXPECT_EQ(queue.operationCount(), 1);
    release.count_down();

    ASSERT_TRUE(queue.waitUntilAllOperationsAreFinished(10s));
    ASSERT_TRUE(recorder.waitForReports(6));
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(recorder.counts(), (std::vector<int>{1, 2, 3, 4, 1, 0}));
}

TEST(WorkQueue, reportsNothingWhenCancellingAnEmptyQueue) {
    WorkQueue queue(2);
    CountRecorder recorder(queue);
    queue.cancelAllOperations();
    EXPECT_TRUE(recorder.counts().empty());
}

TEST(WorkQueue, waitsForRunningOperationsWhenDestroyed) {
    std::atomic<bool> finished = false;
    std::latch release(1);
    // Lets the running operation end well after destruction has begun.
    std::jthread releaser([&] {
        std::this_thread::sleep_for(100ms);
        release.count_down();
    });
    {
        WorkQueue queue(1);
        std::latch started(1);
        queue.addOperation([&] {
            started.count_down();
            release.wait();
            finished = true;
        });
        queue.addOperation(
            [] { ADD_FAILURE() << "a pending operation ran after destruction began"; });
        started.wait();
    }
    EXPECT_TRUE(finished);
}

} // namespace
} // namespace decant
