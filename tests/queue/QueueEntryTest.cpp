#include "queue/QueueEntry.h"

#include "FlacFixture.h"
#include "platform/RunFolder.h"
#include "platform/TemporaryDirectory.h"
#include "queue/CoverArt.h"
#include "queue/DecodeBatch.h"
#include "queue/FilesController.h"

#include <QDir>
#include <QFile>
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
    // In this process's own folder, but still named after the hash, which
    // the library names the track after.
    EXPECT_EQ(entry->decodedPath(), runDirectory() + u'/' + MD5(path) + QStringLiteral(".wav"));
    EXPECT_TRUE(runDirectory().startsWith(temporaryDirectory() + u'/'));
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

// What reading a file must not take at its word: a comment of megabytes,
// a picture whose length claims more than there is. Each is left out, the
// rest of the file is read, and the entry says what was left out and why,
// in the row's tooltip too.
struct LeftOut {
    const char* name;
    QByteArray description;
    // The length field that the front cover's bytes follow is given this.
    std::optional<uint32_t> frontCoverLength;
    QString note;
    QByteArray cover;
};

void PrintTo(const LeftOut& leftOut, std::ostream* out) {
    *out << leftOut.name;
}

class LeftOutOfAFile : public testing::TestWithParam<LeftOut> {
protected:
    QTemporaryDir folder;
};

TEST_P(LeftOutOfAFile, isNotedAndTheRestIsRead) {
    test::FlacFixture fixture =
        test::taggedFixture({"ARTIST=A", "DESCRIPTION=" + GetParam().description, "TITLE=T"});
    fixture.pictures = {{3, "front-cover"}, {4, "back"}};
    QByteArray bytes = test::encodeFlacFixture(fixture);
    if (const auto length = GetParam().frontCoverLength) {
        const qsizetype field = bytes.indexOf("front-cover") - 4;
        for (int index = 0; index < 4; ++index) {
            bytes[field + index] = char(*length >> (24 - 8 * index));
        }
    }
    const QString path = folder.filePath(QStringLiteral("a.flac"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const auto entry = QueueEntry::entryWithPath(path.toUtf8());
    const QString note = QString(GetParam().note).replace("%size", formatByteCount(bytes.size()));
    EXPECT_EQ(entry->notes(), note.isEmpty() ? QStringList() : QStringList{note});
    EXPECT_EQ(entry->comments().value("TITLE"), "T");
    EXPECT_EQ(entry->comments().contains("DESCRIPTION"), GetParam().description.size() < 100);
    EXPECT_EQ(readCoverArt(path.toUtf8(), 1 << 20), GetParam().cover);
    FilesController controller(nullptr);
    controller.addFiles(QStringList{path});
    EXPECT_TRUE(controller.tableViewToolTipForTableColumnRow("title", 0).endsWith(note));
}

INSTANTIATE_TEST_SUITE_P(
    Files, LeftOutOfAFile,
    testing::Values(
        LeftOut{"nothing", "short", std::nullopt, {}, "front-cover"},
        LeftOut{"aCommentOfMegabytes", QByteArray(1'500'000, 'x'), std::nullopt,
                "The comment DESCRIPTION, of 1.5 MB, was left out: comments over 1.0 MB are not "
                "read.",
                "front-cover"},
        LeftOut{"aPictureBeyondTheFile", "short", 30'000'000,
                "A picture that claims 30 MB was left out: the file holds only %size.", "back"},
        LeftOut{"aPictureBeyondItsBlock", "short", 100,
                "A picture was left out: its lengths do not fit its block.", "back"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace decant
