#include "SchedulingFixture.h"
#include "WorkerGate.h"
#include "platform/MainThread.h"

#include <QCryptographicHash>
#include <QFile>

#include <chrono>
#include <future>
#include <optional>

namespace decant::test {
namespace {

using namespace std::chrono_literals;

QByteArray digestOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5)
               : QByteArray();
}

TEST_F(SchedulingTest, removedRowsAreNotImportedAndKeepTheirFiles) {
    const QString kept = addFixture("1.flac");
    const QString removed = addFixture("2.flac");
    addFixture("3.flac");
    const QByteArray before = digestOf(removed);
    EXPECT_EQ(controller.removeRows({1, 7}), 1);
    ASSERT_EQ(controller.numberOfRowsInTableView(), 2);
    EXPECT_EQ(controller.tableViewObjectValueForTableColumnRow("path", 1), "3.flac");
    ASSERT_TRUE(runToTheEnd());
    ASSERT_EQ(iTunes->requests().size(), 1);
    EXPECT_EQ(iTunes->requests().front().size(), 2);
    EXPECT_EQ(digestOf(removed), before);

    // Queued again, it is a new row; Clear Finished leaves only that one.
    controller.addFiles({removed});
    EXPECT_EQ(controller.clearFinished(), 2);
    ASSERT_EQ(controller.numberOfRowsInTableView(), 1);
    EXPECT_EQ(controller.tableViewObjectValueForTableColumnRow("path", 0), "2.flac");
    EXPECT_TRUE(QFile::exists(kept));
}

// When the user stops: before any decode has ended, or while the library
// converts the batch.
struct StopCase {
    const char* name;
    bool duringHandOff;
    int requestsAtStop;
};

class StopTest : public SchedulingTest, public testing::WithParamInterface<StopCase> {};

TEST_P(StopTest, returnsTheFilesNotImportedToWaitingForTheNextStart) {
    for (const char* name : {"1.flac", "2.flac", "3.flac"}) {
        addFixture(QString::fromLatin1(name));
    }
    iTunes->setBlocksUntilStopped(GetParam().duringHandOff);
    // No decode may end before the stop.
    std::optional<WorkerGate> gate;
    if (!GetParam().duringHandOff) {
        gate.emplace(controller.operationQueue());
    }
    const int before = handOffsFinished;
    controller.startDecoding(start);
    if (GetParam().duringHandOff) {
        ASSERT_TRUE(iTunes->waitUntilConverting(10s));
        // Rows with the library stay.
        EXPECT_FALSE(controller.canRemoveRow(0));
        EXPECT_EQ(controller.removeRows({0, 1, 2}), 0);
    }
    controller.stopRun();
    controller.stopRun();
    if (gate) {
        gate->open();
    }
    ASSERT_TRUE(processEventsUntil([&] { return handOffsFinished > before; }));
    EXPECT_FALSE(controller.isRunUnderWay());
    EXPECT_TRUE(start->isEnabled());
    EXPECT_EQ(iTunes->requests().size(), GetParam().requestsAtStop);
    for (const auto& entry : controller.files()) {
        EXPECT_EQ(entry->status(), QueueEntryStatusWaiting);
        EXPECT_EQ(entry->failureReason(), "stopped");
        EXPECT_FALSE(QFile::exists(entry->decodedPath()));
    }
    EXPECT_TRUE(controller.canRemoveRow(0));

    iTunes->setBlocksUntilStopped(false);
    ASSERT_TRUE(runToTheEnd());
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>(3, QueueEntryStatusDone)));
    EXPECT_EQ(iTunes->requests().back().size(), 3);
}

// A Stop that lands once the library has converted the batch, while its
// tracks are being written, ends that run and nothing of the next one.
TEST_F(SchedulingTest, aStopAfterTheLibraryHasConvertedDoesNotStopTheNextRun) {
    addFixture("1.flac");
    std::promise<void> stopped;
    iTunes->setBeforeNextWrite([&] {
        runOnMainThread([&] {
            controller.stopRun();
            stopped.set_value();
        });
        stopped.get_future().wait();
    });
    ASSERT_TRUE(runToTheEnd());
    EXPECT_EQ(statuses(), QList<QueueEntryStatus>{QueueEntryStatusDone});

    addFixture("2.flac");
    ASSERT_TRUE(runToTheEnd());
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>(2, QueueEntryStatusDone)));
}

// While the library converts the batch, each row shows where its own file
// is: proved once the library says so, converting until then.
TEST_F(SchedulingTest, eachRowShowsWhetherTheLibraryHasProvedItsFile) {
    addFixture("1.flac");
    addFixture("2.flac");
    std::promise<void> reported;
    std::promise<void> seen;
    iTunes->setReply([&](const QList<QUrl>& files) {
        iTunes->conversionObserver()(files[0], true);
        reported.set_value();
        seen.get_future().wait();
        QList<iTunesTrackPointer> tracks;
        for (const QUrl& file : files) {
            tracks.append(RecordingiTunes::trackNamedAfter(file));
        }
        return tracks;
    });
    // However the test ends, the library's thread is let go.
    const std::shared_ptr<void> letGo(nullptr, [&](void*) {
        try {
            seen.set_value();
        } catch (const std::future_error&) {
        }
    });
    const int before = handOffsFinished;
    controller.startDecoding(start);
    const std::future<void> told = reported.get_future();
    ASSERT_TRUE(processEventsUntil([&] { return told.wait_for(0s) == std::future_status::ready; }));
    EXPECT_EQ(controller.handOffStageOfRow(0), FilesController::HandOffStage::Proved);
    EXPECT_EQ(controller.handOffStageOfRow(1), FilesController::HandOffStage::Converting);
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>(2, QueueEntryStatusEncoding)));
    seen.set_value();
    ASSERT_TRUE(processEventsUntil([&] { return handOffsFinished > before; }));
    EXPECT_EQ(controller.handOffStageOfRow(0), FilesController::HandOffStage::None);
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>(2, QueueEntryStatusDone)));
}

INSTANTIATE_TEST_SUITE_P(Moments, StopTest,
                         testing::Values(StopCase{"atOnce", false, 0},
                                         StopCase{"duringHandOff", true, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace decant::test
