#include "TestEnvironment.h"
#include "app/WindowBadge.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <thread>
#include <vector>

namespace decant {
namespace {

// Decode workers set the badge while the user closes the window: the badge
// must never reach into the window as it is destroyed (ThreadSanitizer and
// AddressSanitizer see it when it does).
TEST(WindowBadgeThreads, setFromWorkersWhileTheWindowIsDestroyed) {
    auto window = std::make_unique<QWidget>();
    auto badge = std::make_shared<WindowBadge>(window.get(), QStringLiteral("Decant"));
    constexpr int workers = 4;
    std::barrier start(workers + 1);
    std::atomic<bool> stop = false;
    std::vector<std::jthread> threads;
    for (int worker = 0; worker < workers; ++worker) {
        threads.emplace_back([&, worker] {
            start.arrive_and_wait();
            for (int count = 0; !stop; ++count) {
                badge->setBadgeLabel(QString::number(worker * 1000 + count % 1000));
            }
        });
    }
    start.arrive_and_wait();
    test::processEventsUntil([] { return false; }, 50);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Decant (")));
    window.reset();
    test::processEventsUntil([] { return false; }, 50);
    stop = true;
    threads.clear();
    badge.reset();
    // What the workers posted last runs after the window and the badge are gone.
    test::processEventsUntil([] { return false; }, 50);
}

} // namespace
} // namespace decant
