#include "SchedulingFixture.h"
#include "platform/RunFolder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <sys/stat.h>

namespace decant::test {
namespace {

TEST_F(SchedulingTest, countsDownOnTheBadgeAndHandsOffOnceAtZero) {
    for (const char* name : {"1.flac", "2.flac", "3.flac"}) {
        addFixture(QString::fromLatin1(name));
    }
    ASSERT_TRUE(runToTheEnd());
    EXPECT_EQ(badge->labels(), (QStringList{"1", "2", "3", "2", "1", "none"}));
    ASSERT_EQ(iTunes->requests().size(), 1);
    EXPECT_EQ(iTunes->requests().front().size(), 3);
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>(3, QueueEntryStatusDone)));
}

TEST_F(SchedulingTest, aCorruptFileFailsWhileTheOthersGoOn) {
    addFixture("good 1.flac");
    addCorruptFixture("corrupt.flac");
    addFixture("good 2.flac");
    ASSERT_TRUE(runToTheEnd());

    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>{QueueEntryStatusDone, QueueEntryStatusFailed,
                                                   QueueEntryStatusDone}));
    const auto files = controller.files();
    ASSERT_EQ(iTunes->requests().size(), 1);
    EXPECT_EQ(iTunes->requests().front(),
              (QList<QUrl>{QUrl::fromLocalFile(files[0]->decodedPath()),
                           QUrl::fromLocalFile(files[2]->decodedPath())}));
    // A failed decode leaves its partial file for inspection; the others are gone.
    EXPECT_FALSE(QFile::exists(files[0]->decodedPath()));
    EXPECT_TRUE(QFile::exists(files[1]->decodedPath()));
    EXPECT_EQ(files[1]->failureReason(), "MD5 signature mismatch");
    EXPECT_EQ(files[0]->failureReason(), QString());
}

// Names from old rips and Samba shares: Latin-1 bytes, no UTF-8 text. Each
// file keeps its exact bytes from the folder walk to the decoder, and its
// hash is the MD5 of those bytes.
TEST_F(SchedulingTest, importsATreeNamedInLatin1) {
    const QByteArray album = folder.path().toUtf8() + "/Alb\xe9";
    const RemovedTree removed(album);
    ASSERT_EQ(mkdir(album.constData(), 0700), 0);
    const QByteArrayList names{"caf\xe8.flac", "caf\xe9.flac", "good.flac"};
    for (const QByteArray& name : names) {
        ASSERT_TRUE(writeFlacFixture(album + '/' + name, taggedFixture({"TITLE=" + name})));
    }
    controller.addFiles(QList<QByteArray>{album});
    EXPECT_TRUE(controller.skippedPaths().isEmpty());
    ASSERT_TRUE(runToTheEnd());

    const auto files = controller.files();
    ASSERT_EQ(files.size(), names.size());
    const auto tracks = iTunes->tracks();
    ASSERT_EQ(tracks.size(), names.size());
    for (qsizetype index = 0; index < names.size(); ++index) {
        const QByteArray path = album + '/' + names[index];
        // "caf\xe8" and "caf\xe9" show alike; their bytes still give one order.
        EXPECT_EQ(files[index]->path(), path);
        EXPECT_EQ(files[index]->pathHash(),
                  QCryptographicHash::hash(path, QCryptographicHash::Md5).toHex());
        EXPECT_EQ(files[index]->status(), QueueEntryStatusDone)
            << files[index]->failureReason().toStdString();
        EXPECT_EQ(tracks[index]->valueForKey("name"), QString::fromUtf8(names[index]));
    }
    EXPECT_EQ(files[1]->fileName(), QStringLiteral("caf\uFFFD.flac"));
}

// A run whose WAV files do not fit the temporary space at once goes in
// batches, each handed to the library and cleaned up before the next is
// decoded; a file with no room even alone fails with its reason. The badge
// counts the whole run.
TEST_F(SchedulingTest, fitsTheRunIntoTheTemporarySpaceInBatches) {
    FlacFixture large;
    large.samples = 441000;
    for (const char* name : {"1.flac", "2 large.flac", "3.flac", "4.flac", "5.flac"}) {
        addFixture(QString::fromLatin1(name), name[2] == 'l' ? large : FlacFixture());
    }
    const auto files = controller.files();
    const uint64_t small = files[0]->expectedDecodedSize();
    ASSERT_EQ(small, 44u + 4410 * 4);
    // A file system of 2 MB keeps 5% of itself, 100 kB, for other programs.
    const uint64_t usable = small * 5 / 2; // room for two at a time
    const FileSystemSpace space{100'000 + usable, 2'000'000};
    controller.setFreeSpaceQuery([&] { return space; });
    QList<int> decodedFilesAtEachBatch;
    iTunes->setReply([&](const QList<QUrl>& batch) {
        decodedFilesAtEachBatch.append(
            int(std::count_if(files.begin(), files.end(), [](const auto& entry) {
                return QFile::exists(entry->decodedPath());
            })));
        QList<iTunesTrackPointer> tracks;
        for (const QUrl& file : batch) {
            tracks.append(RecordingiTunes::trackNamedAfter(file));
        }
        return tracks;
    });

    ASSERT_TRUE(runToTheEnd());
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>{QueueEntryStatusDone, QueueEntryStatusFailed,
                                                   QueueEntryStatusDone, QueueEntryStatusDone,
                                                   QueueEntryStatusDone}));
    const auto requests = iTunes->requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0], (QList<QUrl>{QUrl::fromLocalFile(files[0]->decodedPath()),
                                        QUrl::fromLocalFile(files[2]->decodedPath())}));
    EXPECT_EQ(requests[1].size(), 2);
    EXPECT_EQ(decodedFilesAtEachBatch, (QList<int>{2, 2}));
    EXPECT_EQ(files[1]->failureReason(), "needs 1.8 MB of temporary space; 144 kB are free, of "
                                         "which 100 kB are kept for other programs");
    EXPECT_FALSE(QFile::exists(files[1]->decodedPath()));
    EXPECT_EQ(badge->labels(), (QStringList{"3", "4", "3", "2", "1", "2", "1", "none"}));
    EXPECT_EQ(controller.handOffThreadCount(), 0);
}

// Twelve files of 5.3 MB through a 40 MiB temporary file system (a small
// tmpfs): its free space follows the run's own files, of which it keeps 5%
// for other programs, where a fixed 128 MB would leave no room at all.
TEST_F(SchedulingTest, passesARunThroughASmallTemporaryFileSystem) {
    FlacFixture halfAMinute;
    halfAMinute.samples = 30 * 44100;
    const QString first = addFixture("01.flac", halfAMinute);
    for (int index = 2; index <= 12; ++index) {
        const QString copy =
            folder.filePath(QStringLiteral("%1.flac").arg(index, 2, 10, QChar(u'0')));
        ASSERT_TRUE(QFile::copy(first, copy));
        controller.addFiles({copy});
    }
    const auto files = controller.files();
    ASSERT_EQ(files[0]->expectedDecodedSize(), 44u + 30 * 44100 * 4);
    constexpr uint64_t size = 40 * 1024 * 1024;
    controller.setFreeSpaceQuery([&] {
        uint64_t taken = 0;
        for (const auto& entry : files) {
            taken += uint64_t(std::max<qint64>(QFileInfo(entry->decodedPath()).size(), 0));
        }
        return FileSystemSpace{size - taken, size};
    });

    ASSERT_TRUE(runToTheEnd());
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>(12, QueueEntryStatusDone)))
        << files[0]->failureReason().toStdString();
    QList<qsizetype> batchSizes;
    for (const auto& request : iTunes->requests()) {
        batchSizes.append(request.size());
    }
    EXPECT_EQ(batchSizes, (QList<qsizetype>{7, 5}));
}

// Another Decant process holds the claim of the second file: that one is
// passed over with the reason, the others go on, and their claims are let
// go once the library has them.
TEST_F(SchedulingTest, passesOverASourceAnotherProcessIsImporting) {
    addFixture("a.flac");
    addFixture("b.flac");
    const auto files = controller.files();
    FileLock otherProcess = claimSource(files[1]->pathHash());
    ASSERT_TRUE(otherProcess.isHeld());

    ASSERT_TRUE(runToTheEnd());
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>{QueueEntryStatusDone, QueueEntryStatusFailed}));
    EXPECT_EQ(files[1]->failureReason(), "another Decant is importing this file");
    EXPECT_FALSE(QFile::exists(files[1]->decodedPath()));
    EXPECT_TRUE(claimSource(files[0]->pathHash()).isHeld());

    otherProcess.removeAndRelease();
    ASSERT_TRUE(runToTheEnd());
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>(2, QueueEntryStatusDone)));
}

TEST_F(SchedulingTest, redrawsTheStatusCellOfEachEntryAsItMoves) {
    addFixture("a.flac");
    addFixture("b.flac");
    ASSERT_TRUE(runToTheEnd());
    const int statusColumn = table->columnWithIdentifier("status");
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(table->reloadedCells.count({row, statusColumn}), 2) << "row " << row;
    }
    EXPECT_EQ(table->reloadedCells.size(), 4);
}

TEST_F(SchedulingTest, entriesAddedAfterTheStartWaitForTheNextRun) {
    iTunes->setReply([](const QList<QUrl>&) { return QList<iTunesTrackPointer>(); });
    addFixture("first.flac");
    controller.startDecoding(start);
    addFixture("later.flac");
    ASSERT_TRUE(processEventsUntil([&] { return handOffsFinished == 1; }, 30000));
    EXPECT_EQ(statuses(),
              (QList<QueueEntryStatus>{QueueEntryStatusEncoding, QueueEntryStatusWaiting}));
}

TEST_F(SchedulingTest, theStartControlIsUsableAgainOnceTheRunHasEnded) {
    addFixture("a.flac");
    controller.startDecoding(start);
    EXPECT_FALSE(start->isEnabled());
    ASSERT_TRUE(processEventsUntil([&] { return handOffsFinished == 1; }, 30000));
    EXPECT_TRUE(start->isEnabled());

    // Done files are in the library already: a second run leaves them be.
    addFixture("b.flac");
    ASSERT_TRUE(runToTheEnd());
    ASSERT_EQ(iTunes->requests().size(), 2);
    EXPECT_EQ(iTunes->requests().back(),
              QList<QUrl>{QUrl::fromLocalFile(controller.files()[1]->decodedPath())});
    EXPECT_EQ(statuses(), (QList<QueueEntryStatus>{QueueEntryStatusDone, QueueEntryStatusDone}));
}

TEST_F(SchedulingTest, anEmptyQueueStartsNothingAndKeepsTheControlUsable) {
    controller.startDecoding(start);
    EXPECT_TRUE(start->isEnabled());
    EXPECT_TRUE(badge->labels().isEmpty());
    QCoreApplication::processEvents();
    EXPECT_TRUE(iTunes->requests().isEmpty());
}

} // namespace
} // namespace decant::test
