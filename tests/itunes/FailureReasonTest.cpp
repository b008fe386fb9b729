// Every way a file can fail to reach the library leaves its reason on the
// queue entry, set where the failure happens, whatever the front end.
#include "FlacFixture.h"
#include "RecordingiTunes.h"
#include "TestEnvironment.h"
#include "itunes/LibraryApplication.h"
#include "library/Library.h"
#include "queue/FilesController.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace decant {
namespace {

// Another program holding the library's database in an exclusive
// transaction.
class DatabaseLock {
public:
    explicit DatabaseLock(const QString& databasePath) {
        EXPECT_EQ(sqlite3_open(databasePath.toUtf8().constData(), &connection_), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(connection_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr),
                  SQLITE_OK)
            << sqlite3_errmsg(connection_);
    }
    ~DatabaseLock() { sqlite3_close(connection_); }
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;

private:
    sqlite3* connection_ = nullptr;
};

// What one case puts in the way of the file "song.flac".
struct Scene {
    QTemporaryDir folder;
    QString song = folder.filePath(QStringLiteral("song.flac"));
    std::shared_ptr<test::RecordingiTunes> recording = std::make_shared<test::RecordingiTunes>();
    std::shared_ptr<iTunesApplication> library = recording;
    std::optional<uint64_t> freeSpace;
    std::unique_ptr<DatabaseLock> lock;

    void writeSong(const test::FlacFixture& fixture = test::FlacFixture()) const {
        ASSERT_TRUE(test::writeFlacFixture(song, fixture));
    }
};

struct FailureCase {
    const char* name;
    std::function<void(Scene&)> arrange;     // before the file is queued
    std::function<void(Scene&)> beforeStart; // after; may be empty
    QueueEntryStatus status;                 // where the entry ends
    const char* reason;                      // part of its reason
    // Takes the obstacle away again; the next Start must then import the
    // file. Empty for a file that would fail again.
    std::function<void(Scene&)> clear;
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << failure.name;
}

test::FlacFixture damagedFixture() {
    test::FlacFixture damaged;
    damaged.samples = 44100;
    damaged.blockSize = 1024;
    damaged.damagedFrame = 5;
    return damaged;
}

void refuseEveryFile(Scene& scene, const QString& reason) {
    scene.writeSong();
    scene.recording->setReply([](const QList<QUrl>&) { return QList<iTunesTrackPointer>(); });
    scene.recording->setReasonForFilesLeftOut(reason);
}

void replyWithEveryTrack(Scene& scene) {
    scene.recording->setReply({});
}

void lockTheLibrary(Scene& scene) {
    scene.writeSong();
    const QString location = scene.folder.filePath(QStringLiteral("library"));
    QString error;
    ASSERT_NE(library::Library::open(location, &error), nullptr) << error.toStdString();
    scene.library = std::make_shared<LibraryApplication>(location);
    scene.lock = std::make_unique<DatabaseLock>(QDir(location).filePath("Library.sqlite"));
}

class FailureReason : public testing::TestWithParam<FailureCase> {
protected:
    bool runToTheEnd(FilesController& controller) {
        const int before = handOffsFinished;
        controller.startDecoding(nullptr);
        return test::processEventsUntil([&] { return handOffsFinished > before; }, 60000);
    }

    Scene scene;
    int handOffsFinished = 0;
};

TEST_P(FailureReason, staysOnTheEntryAndInTheRunsSummary) {
    const FailureCase& failure = GetParam();
    ASSERT_NO_FATAL_FAILURE(failure.arrange(scene));
    FilesController controller(scene.library);
    controller.setHandOffFinishedHandler([this] { ++handOffsFinished; });
    controller.setFreeSpaceQuery([this] { return scene.freeSpace; });
    controller.addFiles(QStringList{scene.song});
    ASSERT_EQ(controller.files().size(), 1);
    const QueueEntryPointer entry = controller.files().front();
    if (failure.beforeStart) {
        failure.beforeStart(scene);
    }

    ASSERT_TRUE(runToTheEnd(controller));

    EXPECT_EQ(entry->status(), failure.status);
    EXPECT_TRUE(entry->failureReason().contains(QLatin1String(failure.reason)))
        << entry->failureReason().toStdString();
    const RunSummary summary = controller.lastRunSummary();
    const bool notTaken = failure.status == QueueEntryStatusEncoding;
    EXPECT_EQ(summary.failed, notTaken ? 0 : 1);
    EXPECT_EQ(summary.notTaken, notTaken ? 1 : 0);
    EXPECT_EQ(summary.notTakenReason, notTaken ? entry->failureReason() : QString());
    EXPECT_EQ(controller.runProgress().finished(), 1);

    if (failure.clear) {
        failure.clear(scene);
        ASSERT_TRUE(runToTheEnd(controller));
        EXPECT_EQ(entry->status(), QueueEntryStatusDone);
        EXPECT_EQ(entry->failureReason(), QString());
        EXPECT_EQ(controller.lastRunSummary().text, "1 file imported");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FailureReason,
    testing::Values(FailureCase{"md5Mismatch",
                                [](Scene& scene) { scene.writeSong(damagedFixture()); },
                                {},
                                QueueEntryStatusFailed,
                                "MD5 signature mismatch",
                                {}},
                    FailureCase{"notFLAC",
                                [](Scene& scene) {
                                    QFile file(scene.song);
                                    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                                    file.write(QByteArray(4096, 'x'));
                                },
                                {},
                                QueueEntryStatusFailed,
                                "source is not a FLAC file",
                                {}},
                    FailureCase{"streamCutShort",
                                [](Scene& scene) {
                                    test::FlacFixture long_;
                                    long_.samples = 44100;
                                    scene.writeSong(long_);
                                    QFile file(scene.song);
                                    ASSERT_TRUE(file.resize(file.size() / 2));
                                },
                                {},
                                QueueEntryStatusFailed,
                                "stream ends after",
                                {}},
                    FailureCase{"sourceGone",
                                [](Scene& scene) { scene.writeSong(); },
                                [](Scene& scene) { QFile::remove(scene.song); },
                                QueueEntryStatusFailed,
                                "source cannot be read",
                                {}},
                    FailureCase{"noTemporarySpace",
                                [](Scene& scene) {
                                    scene.writeSong();
                                    scene.freeSpace = FilesController::temporarySpaceMargin + 1000;
                                },
                                {},
                                QueueEntryStatusFailed,
                                "of temporary space, 1.0 kB free",
                                {}},
                    FailureCase{"libraryRefusesTheFile",
                                [](Scene& scene) {
                                    refuseEveryFile(scene, "not a WAV file: Invalid data");
                                },
                                {},
                                QueueEntryStatusEncoding,
                                "not a WAV file: Invalid data",
                                replyWithEveryTrack},
                    FailureCase{"librarySaysNothing",
                                [](Scene& scene) { refuseEveryFile(scene, {}); },
                                {},
                                QueueEntryStatusEncoding,
                                "the library did not take the file",
                                replyWithEveryTrack},
                    FailureCase{"libraryLockedByAnotherProgram",
                                lockTheLibrary,
                                {},
                                QueueEntryStatusEncoding,
                                "the database is locked by another program",
                                [](Scene& scene) { scene.lock.reset(); }}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

} // namespace
} // namespace decant
