#include "queue/QueueEntry.h"

#include "FlacFixture.h"
#include "platform/TemporaryDirectory.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

TEST(MD5, hashesTheUTF8BytesAsLowerCaseHex) {
    EXPECT_EQ(MD5(QString()), QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
    EXPECT_EQ(MD5(QStringLiteral("/music/song.flac")),
              QStringLiteral("40196f9d2a9c1547c9531230b29d8ea5"));
    // UTF-8, not Latin-1 or UTF-16: "Ä" and "–" are several bytes each.
    EXPECT_EQ(MD5(QStringLiteral("/Musik/Ärger – Live.flac")),
              QStringLiteral("63617041e08ee8dca1157852bdf4a9a6"));
}

TEST(QueueEntryStatus, hasADisplayTextForEachKnownValueOnly) {
    const QStringList texts{"Waiting", "Decoding", "Decoded", "Failed", "Encoding", "Done"};
    for (int status = 0; status < texts.size(); ++status) {
        EXPECT_EQ(displayTextForStatus(status), texts[status]);
    }
    EXPECT_TRUE(displayTextForStatus(6).isNull());
    EXPECT_TRUE(displayTextForStatus(-1).isNull());
}

TEST(QueueEntry, derivesHashWavPathAndCommentsFromItsPath) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Ärger.flac"));
    ASSERT_TRUE(test::writeFlacFixture(path, test::taggedFixture({"TITLE=Ärger"})));

    const auto entry = QueueEntry::entryWithPath(path.toUtf8());
    EXPECT_EQ(entry->path(), path.toUtf8());
    EXPECT_EQ(entry->pathHash(), MD5(path));
    EXPECT_EQ(entry->decodedPath(),
              temporaryDirectory() + u'/' + MD5(path) + QStringLiteral(".wav"));
    EXPECT_EQ(entry->comments(), (CommentsDictionary{{"TITLE", QStringLiteral("Ärger")}}));
    EXPECT_EQ(entry->status(), QueueEntryStatusWaiting);
    EXPECT_FALSE(QFile::exists(entry->decodedPath()));
}

TEST(QueueEntry, keepsThePathExactlyAsGiven) {
    // Two spellings of one file are two paths with two hashes.
    const auto plain = QueueEntry::entryWithPath("/music/a.flac");
    const auto dotted = QueueEntry::entryWithPath("/music/./a.flac");
    EXPECT_EQ(dotted->path(), "/music/./a.flac");
    EXPECT_NE(plain->pathHash(), dotted->pathHash());

    const auto again = QueueEntry::entryWithPath("/music/a.flac");
    EXPECT_EQ(again->pathHash(), plain->pathHash());
    EXPECT_EQ(again->decodedPath(), plain->decodedPath());
}

TEST(QueueEntry, settingThePathDiscardsAssignedComments) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.flac"));
    ASSERT_TRUE(test::writeFlacFixture(path, test::taggedFixture({"ARTIST=A"})));
    const auto entry = QueueEntry::entryWithPath("/missing.flac");
    entry->setComments({{"TITLE", QStringLiteral("From the store")}});

    entry->setPath(path.toUtf8());
    EXPECT_EQ(entry->comments(), (CommentsDictionary{{"ARTIST", QStringLiteral("A")}}));
    EXPECT_EQ(entry->pathHash(), MD5(path));
}

TEST(QueueEntry, exchangesStatusOnlyFromTheExpectedOne) {
    const auto entry = QueueEntry::entryWithPath("/missing.flac");
    entry->setStatus(QueueEntryStatusDecoded);
    EXPECT_TRUE(entry->exchangeStatus(QueueEntryStatusDecoded, QueueEntryStatusEncoding));
    EXPECT_FALSE(entry->exchangeStatus(QueueEntryStatusDecoded, QueueEntryStatusEncoding));
    EXPECT_EQ(entry->status(), QueueEntryStatusEncoding);
}

} // namespace
} // namespace decant
