#include "FakeTableView.h"
#include "RecordingiTunes.h"
#include "TestEnvironment.h"
#include "itunes/ScriptingBridge.h"
#include "itunes/iTunesHandOff.h"
#include "queue/FilesController.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

// Entries put straight into the state a decode leaves them in, so the
// hand-off is tested on its own.
class HandOffTest : public testing::Test {
protected:
    HandOffTest() { handOff->setCommentMap(QVariantMap{{"TITLE", QVariantMap{{"key", "name"}}}}); }

    QueueEntryPointer addEntry(const QString& name, QueueEntryStatus status) {
        const QString path = folder.filePath(name);
        QFile flac(path);
        EXPECT_TRUE(flac.open(QIODevice::WriteOnly));
        controller.addFile(path.toUtf8());
        const auto entry = controller.files().back();
        entry->setStatus(status);
        entry->setComments({{"TITLE", name}});
        if (status == QueueEntryStatusDecoded) {
            QFile wav(entry->decodedPath());
            EXPECT_TRUE(wav.open(QIODevice::WriteOnly));
        }
        return entry;
    }

    QTemporaryDir folder;
    std::shared_ptr<test::RecordingiTunes> iTunes = std::make_shared<test::RecordingiTunes>();
    std::shared_ptr<iTunesHandOff> handOff = std::make_shared<iTunesHandOff>(iTunes);
    FilesController controller{handOff};
};

TEST_F(HandOffTest, sendsDecodedFilesInQueueOrderAndTagsWhatComesBack) {
    const QList<QueueEntryPointer> decoded{addEntry("a.flac", QueueEntryStatusDecoded),
                                           addEntry("b.flac", QueueEntryStatusDecoded)};
    const auto failed = addEntry("c.flac", QueueEntryStatusFailed);
    const auto third = addEntry("d.flac", QueueEntryStatusDecoded);

    controller.encodeAll();

    ASSERT_EQ(iTunes->requests().size(), 1);
    EXPECT_EQ(iTunes->requests().front(),
              (QList<QUrl>{QUrl::fromLocalFile(decoded[0]->decodedPath()),
                           QUrl::fromLocalFile(decoded[1]->decodedPath()),
                           QUrl::fromLocalFile(third->decodedPath())}));
    for (const auto& entry : {decoded[0], decoded[1], third}) {
        EXPECT_EQ(entry->status(), QueueEntryStatusDone);
        EXPECT_FALSE(QFile::exists(entry->decodedPath()));
    }
    EXPECT_EQ(failed->status(), QueueEntryStatusFailed);
    const auto tracks = iTunes->tracks();
    ASSERT_EQ(tracks.size(), 3);
    EXPECT_EQ(tracks[2]->valueForKey("name"), "d.flac");
}

TEST_F(HandOffTest, ignoresTracksNamedAfterNoEntry) {
    const auto entry = addEntry("a.flac", QueueEntryStatusDecoded);
    auto stranger = std::make_shared<test::RecordedTrack>("not a hash");
    iTunes->setReply([&](const QList<QUrl>& files) {
        return QList<iTunesTrackPointer>{stranger, nullptr,
                                         test::RecordingiTunes::trackNamedAfter(files.front())};
    });
    controller.encodeAll();
    EXPECT_TRUE(stranger->propertySets().isEmpty());
    EXPECT_EQ(entry->status(), QueueEntryStatusDone);
}

TEST_F(HandOffTest, sendsAnEmptyBatchWhenNothingWasDecoded) {
    const auto waiting = addEntry("a.flac", QueueEntryStatusWaiting);
    const auto done = addEntry("b.flac", QueueEntryStatusDone);
    controller.encodeAll();
    ASSERT_EQ(iTunes->requests().size(), 1);
    EXPECT_TRUE(iTunes->requests().front().isEmpty());
    EXPECT_EQ(waiting->status(), QueueEntryStatusWaiting);
    EXPECT_EQ(done->status(), QueueEntryStatusDone);
}

TEST_F(HandOffTest, anAbsentReplyLeavesEntriesEncodingWithTheirFiles) {
    iTunes->setReply([](const QList<QUrl>&) { return QList<iTunesTrackPointer>(); });
    const auto entry = addEntry("a.flac", QueueEntryStatusDecoded);
    controller.encodeAll();
    EXPECT_EQ(entry->status(), QueueEntryStatusEncoding);
    EXPECT_TRUE(QFile::exists(entry->decodedPath()));

    // A later hand-off does not take an entry another one holds.
    controller.encodeAll();
    EXPECT_TRUE(iTunes->requests().back().isEmpty());
}

// As a music application names a file without a title: after the file,
// without its extension.
TEST_F(HandOffTest, namesATrackWithoutATitleAfterItsFile) {
    const auto titled = addEntry("a.flac", QueueEntryStatusDecoded);
    const auto untitled = addEntry("02 Second Song.flac", QueueEntryStatusDecoded);
    const auto blank = addEntry("03.flac", QueueEntryStatusDecoded);
    untitled->setComments({{"ARTIST", "Ann"}});
    blank->setComments({{"TITLE", " "}});

    controller.encodeAll();

    const auto tracks = iTunes->tracks();
    ASSERT_EQ(tracks.size(), 3);
    EXPECT_EQ(tracks[0]->valueForKey("name"), "a.flac");
    EXPECT_EQ(tracks[1]->valueForKey("name"), "02 Second Song");
    EXPECT_EQ(tracks[2]->valueForKey("name"), "03");
}

// A track whose tags, cover or move the library could not write is not
// Done: its entry stays Encoding with the library's reason and keeps its
// WAV file, and the next Start takes it again.
TEST_F(HandOffTest, keepsEncodingWhenTheLibraryCannotWriteTheTrack) {
    const auto entry = addEntry("a.flac", QueueEntryStatusDecoded);
    iTunes->setWriteFailure("the library's disk is full: 0 bytes free of 20 MB");

    controller.encodeAll();

    EXPECT_EQ(entry->status(), QueueEntryStatusEncoding);
    EXPECT_EQ(entry->failureReason(), "the library's disk is full: 0 bytes free of 20 MB");
    EXPECT_TRUE(QFile::exists(entry->decodedPath()));
}

TEST_F(HandOffTest, reloadsTheTableBeforeAndAfterTheBatch) {
    addEntry("a.flac", QueueEntryStatusDecoded);
    const auto table = std::make_shared<test::FakeTableView>();
    controller.setTableView(table);
    controller.encodeAll();
    EXPECT_TRUE(test::processEventsUntil([&] { return table->fullReloads == 2; }, 5000));
}

TEST(iTunesHandOff, holdsTheLibraryHandleWithoutATimeLimit) {
    const iTunesHandOff handOff(
        applicationWithBundleIdentifier(QLatin1String(iTunesBundleIdentifier)));
    ASSERT_NE(handOff.iTunes(), nullptr);
    EXPECT_EQ(handOff.iTunes()->timeout(), iTunesApplication::noTimeout);
    EXPECT_TRUE(handOff.iTunes()->convert({}).isEmpty());
}

} // namespace
} // namespace decant
