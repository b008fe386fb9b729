#include "queue/VorbisComments.h"

#include "FlacFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace decant {
namespace {

class VorbisCommentsTest : public testing::Test {
protected:
    QByteArray fixture(const std::optional<QList<QByteArray>>& comments) {
        test::FlacFixture settings;
        settings.comments = comments;
        const QString path = folder.filePath(QStringLiteral("tagged.flac"));
        EXPECT_TRUE(test::writeFlacFixture(path, settings));
        return path.toUtf8();
    }

    CommentsDictionary commentsOf(const QList<QByteArray>& entries) {
        return commentsForFLACFile(fixture(entries));
    }

    QTemporaryDir folder;
};

TEST_F(VorbisCommentsTest, splitsAtTheFirstEqualsSign) {
    const auto comments = commentsOf({"title=Song=Remix", "=x", "ALBUM=", "Artist"});
    EXPECT_EQ(comments, (CommentsDictionary{{"TITLE", QStringLiteral("Song=Remix")},
                                            {"", QStringLiteral("x")},
                                            {"ALBUM", QStringLiteral("")}}));
}

TEST_F(VorbisCommentsTest, upperCasesNamesWithUnicodeRules) {
    const auto comments = commentsOf({"straße=1", "étiquette=2", "MixedCase=3"});
    EXPECT_EQ(comments.keys(), (QStringList{"MIXEDCASE", "STRASSE", "ÉTIQUETTE"}));
}

// Two artists stay two, in order, as taggers write a field with several
// values.
TEST_F(VorbisCommentsTest, keepsEveryValueOfAFieldGivenTwice) {
    EXPECT_EQ(commentsOf({"ARTIST=A", "artist=B"}),
              (CommentsDictionary{{"ARTIST", QStringLiteral("A") + commentValueSeparator + 'B'}}));
}

TEST_F(VorbisCommentsTest, keepsTheBlockPastBadOrEmptyEntries) {
    const QByteArray path =
        fixture(QList<QByteArray>{"TITLE=Caf\xe9", "", "GENRE=Jazz", QByteArray("NOTE=a\0b", 8)});
    const auto entries = vorbisCommentEntries(path);
    ASSERT_TRUE(entries.has_value());
    EXPECT_EQ(*entries, (QStringList{QStringLiteral("TITLE=Caf\uFFFD"), "GENRE=Jazz", "NOTE=a"}));
}

TEST_F(VorbisCommentsTest, givesNoEntriesWhenThereIsNoCommentBlock) {
    EXPECT_FALSE(vorbisCommentEntries(fixture(std::nullopt)).has_value());
    EXPECT_TRUE(commentsForFLACFile(fixture(std::nullopt)).isEmpty());
    const auto empty = vorbisCommentEntries(fixture(QList<QByteArray>{}));
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->isEmpty());
}

TEST_F(VorbisCommentsTest, givesNothingForWhatIsNotAReadableFLACFile) {
    EXPECT_FALSE(vorbisCommentEntries(folder.filePath(QStringLiteral("missing.flac")).toUtf8()));

    QFile text(folder.filePath(QStringLiteral("text.flac")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("ARTIST=Not really FLAC\n");
    text.close();
    EXPECT_TRUE(commentsForFLACFile(text.fileName().toUtf8()).isEmpty());

    EXPECT_TRUE(commentsForFLACFile(folder.path().toUtf8()).isEmpty());
}

TEST_F(VorbisCommentsTest, neverWaitsOnAFIFO) {
    // Opening a FIFO for reading blocks until a writer comes: it must not be opened.
    const QByteArray fifo = folder.filePath(QStringLiteral("pipe.flac")).toUtf8();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    EXPECT_FALSE(vorbisCommentEntries(fifo));
}

} // namespace
} // namespace decant
