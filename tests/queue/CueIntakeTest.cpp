#include "FakeTableView.h"
#include "FlacFixture.h"
#include "queue/FilesController.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

// Two seconds of CD audio cut at 2/3 s and 1.2 s, track 2 with a pregap
// that stays with track 1, and a Latin-1 title.
const QByteArray albumSheet = "PERFORMER \"The Band\"\r\n"
                              "TITLE \"The Album\"\r\n"
                              "FILE \"album.wav\" WAVE\r\n"
                              "  TRACK 01 AUDIO\r\n"
                              "    TITLE \"One\"\r\n"
                              "    INDEX 01 00:00:00\r\n"
                              "  TRACK 02 AUDIO\r\n"
                              "    TITLE \"Tw\xf6\"\r\n"
                              "    INDEX 00 00:00:37\r\n"
                              "    INDEX 01 00:00:50\r\n"
                              "  TRACK 03 AUDIO\r\n"
                              "    TITLE \"Three\"\r\n"
                              "    INDEX 01 00:01:15\r\n";

class CueIntakeTest : public testing::Test {
protected:
    CueIntakeTest()
        : controller(nullptr) {
        controller.setTableView(table);
    }

    QByteArray path(const char* name) const { return QFile::encodeName(root.filePath(name)); }

    void write(const char* name, const QByteArray& bytes) {
        QFile file(QFile::decodeName(path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    void writeAlbum(const QByteArray& sheet) {
        test::FlacFixture fixture = test::taggedFixture({"ARTIST=The Band", "TITLE=Whole Image"});
        fixture.samples = 88200;
        ASSERT_TRUE(test::writeFlacFixture(path("album.flac"), fixture));
        write("album.cue", sheet);
    }

    QTemporaryDir root;
    std::shared_ptr<test::FakeTableView> table = std::make_shared<test::FakeTableView>();
    FilesController controller;
};

class CueDropTest : public CueIntakeTest, public testing::WithParamInterface<const char*> {};

// Whatever of the album is dropped, and however often, the queue holds its
// three tracks once, each with its own cut, name, hash and tags.
TEST_P(CueDropTest, queuesOneEntryPerTrackOfTheSheet) {
    writeAlbum(albumSheet);
    const QByteArray dropped = QByteArray(GetParam()).isEmpty() ? path("") : path(GetParam());
    controller.addFiles(QList<QByteArray>{dropped});
    controller.addFiles(QList<QByteArray>{path("album.flac"), path("album.cue"), path("")});

    const QList<QueueEntryPointer> entries = controller.files();
    ASSERT_EQ(entries.size(), 3);
    const QStringList names{QStringLiteral("album.flac #1 · One"),
                            QStringLiteral("album.flac #2 · Twö"),
                            QStringLiteral("album.flac #3 · Three")};
    const uint64_t cuts[] = {0, 29400, 52920, 88200};
    for (int index = 0; index < 3; ++index) {
        const QueueEntry& entry = *entries[index];
        EXPECT_EQ(entry.fileName(), names[index]);
        ASSERT_TRUE(entry.track());
        EXPECT_EQ(entry.track()->firstSample, cuts[index]);
        EXPECT_EQ(entry.track()->endSample, cuts[index + 1]);
        EXPECT_EQ(entry.expectedDecodedSize(), 44 + (cuts[index + 1] - cuts[index]) * 4);
        EXPECT_EQ(entry.pathHash(), MD5(path("album.flac") + '#' + QByteArray::number(index + 1)));
        const CommentsDictionary comments = entry.comments();
        EXPECT_EQ(comments.value("TITLE"), names[index].section(QStringLiteral(" · "), 1));
        EXPECT_EQ(comments.value("TRACKNUMBER"), QString::number(index + 1));
        EXPECT_EQ(comments.value("ALBUM"), QStringLiteral("The Album"));
    }
}

INSTANTIATE_TEST_SUITE_P(Dropped, CueDropTest, testing::Values("", "album.cue", "album.flac"));

// A sheet that does not fit its file leaves the whole file, saying why.
TEST_F(CueIntakeTest, queuesTheWholeFileWithTheReasonASheetWasNotUsed) {
    const struct {
        QByteArray sheet;
        const char* reason;
    } cases[] = {
        {QByteArray(albumSheet).replace("00:01:15", "00:09:00"), "at or past the end"},
        {QByteArray(albumSheet).replace("00:00:50", "00:01:50"), "do not increase"},
        {QByteArray("\x00\x01\xff\xfe garbage", 12), "not used"},
    };
    for (const auto& test : cases) {
        FilesController fresh(nullptr);
        writeAlbum(test.sheet);
        fresh.addFiles(QList<QByteArray>{path("album.flac")});
        const QList<QueueEntryPointer> entries = fresh.files();
        ASSERT_EQ(entries.size(), 1) << test.reason;
        EXPECT_FALSE(entries.first()->track()) << test.reason;
        EXPECT_EQ(entries.first()->pathHash(), MD5(path("album.flac")));
        EXPECT_EQ(entries.first()->comments().value("TITLE"), QStringLiteral("Whole Image"));
        const QString notes = entries.first()->notes().join(u'\n');
        EXPECT_TRUE(notes.contains(QLatin1String(test.reason))) << notes.toStdString();
    }
}

// An album ripped to a file per track keeps its files whole, tagged by
// the sheet.
TEST_F(CueIntakeTest, takesTheTagsOfFilesASheetNamesOneByOne) {
    for (const char* name : {"01.flac", "02.flac"}) {
        ASSERT_TRUE(test::writeFlacFixture(path(name), test::FlacFixture()));
    }
    write("disc.cue", "TITLE \"Album\"\nFILE \"01.wav\" WAVE\nTRACK 01 AUDIO\nTITLE \"First\"\n"
                      "INDEX 01 00:00:00\nFILE \"02.wav\" WAVE\nTRACK 02 AUDIO\nTITLE \"Second\"\n"
                      "INDEX 00 00:00:00\nINDEX 01 00:00:02\n");
    controller.addFiles(QList<QByteArray>{path("disc.cue")});
    const QList<QueueEntryPointer> entries = controller.files();
    ASSERT_EQ(entries.size(), 2);
    for (const auto& entry : entries) {
        EXPECT_FALSE(entry->track());
        EXPECT_EQ(entry->pathHash(), MD5(entry->path()));
        EXPECT_EQ(entry->comments().value("TRACKTOTAL"), QStringLiteral("2"));
    }
    EXPECT_EQ(entries[1]->comments().value("TITLE"), QStringLiteral("Second"));
}

} // namespace
} // namespace decant
