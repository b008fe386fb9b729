#pragma once

#include "FakeControls.h"
#include "FakeTableView.h"
#include "FlacFixture.h"
#include "RecordingiTunes.h"
#include "TestEnvironment.h"
#include "itunes/iTunesHandOff.h"
#include "queue/FilesController.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant::test {

// A controller wired to fakes, with helpers to queue fixture files and run
// the start command to its end.
class SchedulingTest : public testing::Test {
protected:
    SchedulingTest() {
        controller.setTableView(table);
        controller.setBadge(badge);
        controller.setHandOffFinishedHandler([this] { ++handOffsFinished; });
    }

    QString addFixture(const QString& name, const FlacFixture& fixture = FlacFixture()) {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(writeFlacFixture(path, fixture));
        controller.addFiles({path});
        return path;
    }

    QString addCorruptFixture(const QString& name) {
        FlacFixture damaged;
        damaged.samples = 44100;
        damaged.blockSize = 1024;
        damaged.damagedFrame = 5;
        return addFixture(name, damaged);
    }

    // Starts and waits until the run's hand-off has finished.
    bool runToTheEnd() {
        const int before = handOffsFinished;
        controller.startDecoding(start);
        return processEventsUntil([&] { return handOffsFinished > before; }, 30000);
    }

    QList<QueueEntryStatus> statuses() const {
        QList<QueueEntryStatus> result;
        for (const auto& entry : controller.files()) {
            result.append(entry->status());
        }
        return result;
    }

    QTemporaryDir folder;
    std::shared_ptr<RecordingiTunes> iTunes = std::make_shared<RecordingiTunes>();
    std::shared_ptr<FakeTableView> table = std::make_shared<FakeTableView>();
    std::shared_ptr<FakeBadge> badge = std::make_shared<FakeBadge>();
    std::shared_ptr<FakeControl> start = std::make_shared<FakeControl>();
    FilesController controller{std::make_shared<iTunesHandOff>(iTunes)};
    int handOffsFinished = 0;
};

} // namespace decant::test
