#include "SchedulingFixture.h"
#include "platform/MainThread.h"
#include "queue/RunProgressTracker.h"

#include <QSet>

#include <algorithm>
#include <barrier>
#include <random>
#include <thread>
#include <vector>

namespace decant::test {
namespace {

// A library that converts on several threads, each of which reports every
// file of the batch, in an order of its own, and one file it never heard of:
// each file of the run is counted once, and the front end hears of it on
// the main thread.
TEST_F(SchedulingTest, countsEachFileTheLibraryFinishesOnceWhicheverThreadReportsIt) {
    constexpr int fileCount = 6;
    for (int number = 1; number <= fileCount; ++number) {
        addFixture(QStringLiteral("%1.flac").arg(number));
    }
    const QUrl refused = QUrl::fromLocalFile(controller.files()[2]->decodedPath());
    iTunes->setReply([&](const QList<QUrl>& files) {
        const auto observer = iTunes->conversionObserver();
        constexpr int threadCount = 4;
        std::barrier start(threadCount);
        std::vector<std::thread> threads;
        for (int index = 0; index < threadCount; ++index) {
            threads.emplace_back([&, index] {
                QList<QUrl> order = files;
                order.append(QUrl::fromLocalFile("/elsewhere/stranger.wav"));
                std::shuffle(order.begin(), order.end(), std::mt19937(index));
                start.arrive_and_wait();
                for (const QUrl& file : order) {
                    observer(file, file != refused);
                }
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
        QList<iTunesTrackPointer> tracks;
        for (const QUrl& file : files) {
            if (file != refused) {
                tracks.append(RecordingiTunes::trackNamedAfter(file));
            }
        }
        return tracks;
    });
    QList<RunProgress> seen;
    bool offTheMainThread = false;
    controller.setProgressHandler([&] {
        offTheMainThread = offTheMainThread || !isMainThread();
        seen.append(controller.runProgress());
    });

    ASSERT_TRUE(runToTheEnd());
    ASSERT_TRUE(processEventsUntil([&] { return !seen.isEmpty() && !seen.back().running; }));

    const auto outcomes = controller.libraryOutcomes();
    QSet<QueueEntry*> reported;
    for (const LibraryOutcome& outcome : outcomes) {
        EXPECT_FALSE(reported.contains(outcome.entry.get())) << "reported twice";
        reported.insert(outcome.entry.get());
        EXPECT_EQ(outcome.converted, outcome.entry != controller.files()[2]);
    }
    EXPECT_EQ(reported.size(), fileCount);
    const RunProgress last = controller.runProgress();
    EXPECT_EQ(last.total, fileCount);
    EXPECT_EQ(last.decoded, fileCount);
    EXPECT_EQ(last.converted, fileCount);
    EXPECT_EQ(last.finished(), fileCount);
    EXPECT_FALSE(offTheMainThread);
    for (qsizetype index = 1; index < seen.size(); ++index) {
        EXPECT_LE(seen[index - 1].converted, seen[index].converted);
        EXPECT_LE(seen[index].converted, fileCount);
    }
    EXPECT_EQ(controller.lastRunSummary().text,
              "5 files imported, 1 not taken by the library (the library did not take the file)");
}

using Clock = RunProgressTracker::Clock;
using std::chrono::seconds;

// Decoding is fast and converting slow: each phase's files left are timed
// at that phase's own pace, and nothing is told before both are known.
TEST(RunProgressTracker, tellsTheTimeLeftFromEachPhasesPace) {
    const Clock::time_point start;
    QList<QPair<QUrl, QueueEntryPointer>> batch;
    for (const char* name : {"/a.wav", "/b.wav"}) {
        batch.append({QUrl::fromLocalFile(name), QueueEntry::entryWithPath("/x.flac")});
    }
    RunProgressTracker tracker;
    tracker.startRun(4, start);
    tracker.startDecoding(start);
    EXPECT_EQ(tracker.progress(start + seconds(1)).timeLeft, std::nullopt);
    tracker.decodeFinished(false);
    tracker.decodeFinished(false);
    tracker.startConverting(batch, start + seconds(1));
    EXPECT_EQ(tracker.progress(start + seconds(2)).timeLeft, std::nullopt);
    EXPECT_TRUE(tracker.progress(start + seconds(2)).converting);
    EXPECT_TRUE(tracker.fileFinished(batch[0].first, true));
    EXPECT_FALSE(tracker.fileFinished(batch[0].first, true));
    // Two decodes left at 0.5 s, three conversions at 4 s.
    EXPECT_EQ(tracker.progress(start + seconds(5)).timeLeft, seconds(13));
    tracker.finishConverting(start + seconds(9));
    tracker.startDecoding(start + seconds(9));
    // Converting took 8 s for two files: two decodes at 0.5 s, two conversions at 4 s.
    const RunProgress progress = tracker.progress(start + seconds(9));
    EXPECT_EQ(progress.timeLeft, seconds(9));
    EXPECT_EQ(progress.converted, 2);
    EXPECT_TRUE(progress.running);
    EXPECT_FALSE(progress.converting);
    tracker.finishRun();
    EXPECT_EQ(tracker.progress(start + seconds(10)).timeLeft, std::nullopt);
}

} // namespace
} // namespace decant::test
