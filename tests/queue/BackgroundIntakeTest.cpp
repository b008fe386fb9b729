#include "FakeTableView.h"
#include "FlacFixture.h"
#include "TestEnvironment.h"
#include "queue/FilesController.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

// A tree with what intake has to get right: natural order at every depth,
// hidden items, names that are not FLAC or not UTF-8, links, a path given
// twice and a file given again inside its folder.
class BackgroundIntake : public testing::Test {
protected:
    BackgroundIntake() {
        for (const char* name :
             {"A/10 - Ten.flac", "A/2 - Two.flac", "A/CD 2/1.flac", "A/CD 10/1.flac",
              "A/.hidden.flac", "A/.covers/x.flac", "A/notes.txt", "B/b.FLAC", "single.flac"}) {
            make(root.filePath(name).toUtf8());
        }
        make(root.filePath("B").toUtf8() + "/caf\xe9.flac");
        EXPECT_TRUE(QFile::link(root.filePath("gone"), root.filePath("B/broken.flac")));
        paths = {path("A"),
                 path("missing.flac"),
                 path("B"),
                 path("single.flac"),
                 path("A/2 - Two.flac"),
                 path("A/notes.txt"),
                 path("B")};
    }

    void make(const QByteArray& file) {
        QDir().mkpath(QFileInfo(QFile::decodeName(file)).path());
        test::FlacFixture tiny = test::taggedFixture({"TITLE=" + file});
        tiny.samples = 16;
        ASSERT_TRUE(test::writeFlacFixture(file, tiny));
    }
    QByteArray path(const char* name) const { return root.filePath(name).toUtf8(); }

    static QList<QByteArray> queued(const FilesController& controller) {
        QList<QByteArray> result;
        for (const auto& entry : controller.files()) {
            result.append(entry->path());
        }
        return result;
    }
    static QStringList skipped(const FilesController& controller) {
        QStringList result;
        for (const SkippedPath& item : controller.skippedPaths()) {
            result.append(QString::fromUtf8(item.path) + ": " + item.reason);
        }
        return result;
    }

    QTemporaryDir root;
    // QTemporaryDir passes over names that are not UTF-8.
    test::RemovedTree latin1{root.filePath("B").toUtf8() + "/caf\xe9.flac"};
    QList<QByteArray> paths;
    std::shared_ptr<test::FakeTableView> table = std::make_shared<test::FakeTableView>();
    // Intake needs no library: these queues are never started.
    FilesController background{nullptr};
};

TEST_F(BackgroundIntake, queuesWhatTheSynchronousIntakeQueuesInTheSameOrder) {
    FilesController synchronous(nullptr);
    synchronous.addFiles(paths);
    synchronous.addFiles(QList<QByteArray>{path("single.flac"), path("A/CD 2")});
    ASSERT_EQ(queued(synchronous).size(), 7);

    background.setTableView(table);
    int handled = 0;
    background.setIntakeHandler([&] { ++handled; });
    // Two intakes begun one after the other, as two drops would be.
    background.beginAddingFiles(paths);
    background.beginAddingFiles({path("single.flac"), path("A/CD 2")});
    // Appending happens on the main thread: nothing can be there yet.
    EXPECT_TRUE(background.files().isEmpty());
    EXPECT_TRUE(background.intakeProgress().running);
    EXPECT_TRUE(background.isRunning());
    ASSERT_TRUE(test::processEventsUntil([&] { return !background.intakeProgress().running; }));

    EXPECT_EQ(queued(background), queued(synchronous));
    EXPECT_EQ(skipped(background), skipped(synchronous));
    EXPECT_EQ(background.files().front()->comments().value("TITLE"),
              synchronous.files().front()->comments().value("TITLE"));
    EXPECT_FALSE(background.isRunning());
    EXPECT_EQ(background.intakeProgress().filesRead, 0);
    EXPECT_GE(table->fullReloads, 1);
    EXPECT_GE(handled, 2);
}

TEST_F(BackgroundIntake, stopsReadingWhenTheApplicationQuits) {
    background.beginAddingFiles(paths);
    background.stopRunning();
    ASSERT_TRUE(test::processEventsUntil([&] { return !background.isRunning(); }));
    // Whatever was read before the stop is a beginning of the queue in order.
    FilesController synchronous(nullptr);
    synchronous.addFiles(paths);
    const QList<QByteArray> read = queued(background);
    EXPECT_EQ(read, queued(synchronous).mid(0, read.size()));
    background.beginAddingFiles(paths);
    EXPECT_FALSE(background.intakeProgress().running);
}

} // namespace
} // namespace decant
