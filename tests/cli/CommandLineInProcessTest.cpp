// The command line run inside the test process: what a separate process
// cannot show, a store page read without the network and a terminal.
#include "CliTestSupport.h"
#include "cli/CommandLine.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace decant {
namespace {

const QString albumURL = QStringLiteral("https://itunes.apple.com/us/album/x/id1440833098");

class CommandLineInProcess : public testing::Test {
protected:
    // Files "N.flac" tagged "TITLE=File N".
    void writeFiles(int count) {
        for (int number = 1; number <= count; ++number) {
            scratch.writeFlac(QStringLiteral("%1.flac").arg(number),
                              test::taggedFixture({"TITLE=File " + QByteArray::number(number)}));
        }
    }

    int run(const QStringList& arguments, bool terminal = false) {
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const FilesController::AlbumReader reader = [this](const QUrl& url) {
            requests.append(url);
            return songs;
        };
        QList<QByteArray> bytes{"decant-cli", "--library", scratch.libraryPath().toUtf8()};
        for (const QString& argument : arguments) {
            bytes.append(argument.toUtf8());
        }
        return runCommandLine(bytes, {outStream, errStream, terminal, reader});
    }

    QStringList libraryNames() const {
        QStringList names;
        for (const auto& track : scratch.libraryTracks()) {
            names.append(track.text("name"));
        }
        return names;
    }

    test::CliScratch scratch;
    QList<CommentsDictionary> songs;
    QList<QUrl> requests;
    QString out;
    QString err;
};

TEST_F(CommandLineInProcess, tagsFilesByPositionWithTheStorePagesSongs) {
    writeFiles(3);
    for (int number = 1; number <= 2; ++number) {
        songs.append({{"TITLE", QStringLiteral("Store Song %1").arg(number)},
                      {"ARTIST", QStringLiteral("Store Artist")},
                      {"TRACKNUMBER", qint64(number)}});
    }

    EXPECT_EQ(run({"--store-url", albumURL, scratch.musicPath()}), 0) << err.toStdString();

    EXPECT_EQ(requests, QList<QUrl>{QUrl(albumURL)});
    EXPECT_TRUE(out.contains("Tags from the store page applied to 2 of 3 files."))
        << out.toStdString();
    EXPECT_EQ(test::summaryRow(out, "1.flac").value("Artist"), "Store Artist");
    EXPECT_EQ(test::summaryRow(out, "3.flac").value("Title"), "File 3");
    EXPECT_EQ(libraryNames(), (QStringList{"Store Song 1", "Store Song 2", "File 3"}));
}

TEST_F(CommandLineInProcess, keepsTheFilesTagsWhenTheStorePageHasNoSongs) {
    writeFiles(2);

    EXPECT_EQ(run({"--store-url", albumURL, scratch.musicPath()}), 0) << err.toStdString();

    EXPECT_EQ(requests.size(), 1);
    EXPECT_TRUE(err.contains("The store page gave no songs")) << err.toStdString();
    EXPECT_EQ(libraryNames(), (QStringList{"File 1", "File 2"}));
}

TEST_F(CommandLineInProcess, redrawsOneProgressLineOnATerminal) {
    writeFiles(2);

    EXPECT_EQ(run({scratch.musicPath()}, true), 0) << err.toStdString();

    EXPECT_TRUE(test::statusChanges(out, "1.flac").isEmpty()) << out.toStdString();
    const qsizetype firstDraw = out.indexOf("\r\033[K");
    const qsizetype lastDraw = out.indexOf("\r\033[KDecoded 2 of 2 - done - ");
    ASSERT_GE(firstDraw, 0) << out.toStdString();
    ASSERT_GE(lastDraw, firstDraw);
    // Every redraw lands on the same line.
    EXPECT_FALSE(out.mid(firstDraw, lastDraw - firstDraw).contains(u'\n')) << out.toStdString();
    EXPECT_EQ(test::summaryRow(out, "2.flac").value("Status"), "Done");
}

} // namespace
} // namespace decant
