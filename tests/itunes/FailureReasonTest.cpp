// Every way a file can fail to reach the library leaves its reason on the
// queue entry, set where the failure happens, whatever the front end.
#include "FlacFixture.h"
#include "RecordingiTunes.h"
#include "SmallDisk.h"
#include "TestEnvironment.h"
#include "itunes/LibraryApplication.h"
#include "itunes/iTunesHandOff.h"
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

// The library, its media folder on a disk of its own, filled up as soon as
// the first batch is converted: the tracks' tags, covers and moves cannot
// be written. (SQLite reads its path through /proc/<pid>/root as the
// folder it links to, outside the disk's namespace: the database stays on
// the scratch disk.)
class FillsItsDiskAfterConverting final : public iTunesApplication {
public:
    FillsItsDiskAfterConverting(const test::SmallDisk& disk, const QString& folder)
        : disk_(disk)
        , library_(std::make_shared<LibraryApplication>(folder)) {}

    QList<iTunesTrackPointer> convert(const QList<QUrl>& files) override {
        const auto tracks = library_->convert(files);
        if (!std::exchange(filled_, true)) {
            EXPECT_TRUE(disk_.fill());
        }
        return tracks;
    }
    QStringList writeTracksNow(const QList<iTunesTrackPointer>& tracks) override {
        return library_->writeTracksNow(tracks);
    }
    QString failureReasonForFile(const QUrl& file) const override {
        return library_->failureReasonForFile(file);
    }

private:
    const test::SmallDisk& disk_;
    std::shared_ptr<LibraryApplication> library_;
    bool filled_ = false;
};

// What one case puts in the way of the file "song.flac".
struct Scene {
    QTemporaryDir folder;
    QString song = folder.filePath(QStringLiteral("song.flac"));
    std::shared_ptr<test::RecordingiTunes> recording = std::make_shared<test::RecordingiTunes>();
    std::shared_ptr<iTunesApplication> library = recording;
    std::optional<FileSystemSpace> freeSpace;
    std::unique_ptr<DatabaseLock> lock;
    std::unique_ptr<test::SmallDisk> disk;

    void writeSong(const test::FlacFixture& fixture = test::FlacFixture()) const {
        ASSERT_TRUE(test::writeFlacFixture(song, fixture));
    }
};

struct FailureCase {
    const char* name;
    std::function<void(Scene&)> arrange; // before the file is queued
    QueueEntryStatus status;             // where the entry ends
    const char* reason;                  // part of its reason
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
    const auto opened = library::Library::open(location);
    ASSERT_TRUE(opened) << opened.error().message.toStdString();
    scene.library = std::make_shared<LibraryApplication>(location);
    scene.lock = std::make_unique<DatabaseLock>(QDir(location).filePath("Library.sqlite"));
}

void fillTheLibrarysDisk(Scene& scene) {
    scene.writeSong();
    scene.disk = std::make_unique<test::SmallDisk>(20'000'000);
    if (scene.disk->path().isEmpty()) {
        GTEST_SKIP() << scene.disk->whyNot().toStdString();
    }
    const QString library = scene.folder.filePath(QStringLiteral("library"));
    ASSERT_TRUE(QDir().mkpath(library));
    ASSERT_TRUE(QFile::link(scene.disk->path(), library + "/Media"));
    scene.library = std::make_shared<FillsItsDiskAfterConverting>(*scene.disk, library);
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
    if (IsSkipped()) {
        return;
    }
    FilesController controller(std::make_shared<iTunesHandOff>(scene.library));
    controller.setHandOffFinishedHandler([this] { ++handOffsFinished; });
    controller.setFreeSpaceQuery([this] { return scene.freeSpace; });
    controller.addFiles(QStringList{scene.song});
    ASSERT_EQ(controller.files().size(), 1);
    const QueueEntryPointer entry = controller.files().front();

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
    testing::Values(
        FailureCase{"md5Mismatch",
                    [](Scene& scene) { scene.writeSong(damagedFixture()); },
                    QueueEntryStatusFailed,
                    "MD5 signature mismatch",
                    {}},
        FailureCase{"notFLAC",
                    [](Scene& scene) {
                        QFile file(scene.song);
                        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                        file.write(QByteArray(4096, 'x'));
                    },
                    QueueEntryStatusFailed,
                    "source is not a FLAC file",
                    {}},
        FailureCase{"noTemporarySpace",
                    [](Scene& scene) {
                        scene.writeSong();
                        scene.freeSpace = FileSystemSpace{1000, 1000 * 1000 * 1000};
                    },
                    QueueEntryStatusFailed,
                    "of temporary space; 1.0 kB are free, all kept for other programs",
                    {}},
        FailureCase{"libraryRefusesTheFile",
                    [](Scene& scene) { refuseEveryFile(scene, "not a WAV file: Invalid data"); },
                    QueueEntryStatusEncoding, "not a WAV file: Invalid data", replyWithEveryTrack},
        FailureCase{"librarySaysNothing", [](Scene& scene) { refuseEveryFile(scene, {}); },
                    QueueEntryStatusEncoding, "the library did not take the file",
                    replyWithEveryTrack},
        FailureCase{"libraryLockedByAnotherProgram", lockTheLibrary, QueueEntryStatusEncoding,
                    "the database is locked by another program",
                    [](Scene& scene) { scene.lock.reset(); }},
        FailureCase{"libraryDiskFull", fillTheLibrarysDisk, QueueEntryStatusEncoding,
                    "the library's disk is full: 0 bytes free of 20 MB",
                    [](Scene& scene) { scene.disk->free(); }}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

} // namespace
} // namespace decant
