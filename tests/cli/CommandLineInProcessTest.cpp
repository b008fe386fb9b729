// The command line run inside the test process: what a separate process
// cannot show, a store page read without the network (scripted, or from a
// local server posing as the store, whose certificate only this process
// trusts) and a terminal.
#include "CliTestSupport.h"
#include "StorePages.h"
#include "TestHttpServer.h"
#include "cli/CommandLine.h"

#include <QTextStream>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>

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
        MetadataFetchCommand::AlbumReader reader = [this](const QUrl& url) {
            requests.append(url);
            return songs;
        };
        if (readTheStore) {
            reader = nullptr;
        }
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
    // The store's own reader instead of the scripted songs.
    bool readTheStore = false;
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
    EXPECT_TRUE(out.contains("Tags from the store applied to 2 of 3 files.")) << out.toStdString();
    EXPECT_EQ(test::summaryRow(out, "1.flac").value("Artist"), "Store Artist");
    EXPECT_EQ(test::summaryRow(out, "3.flac").value("Title"), "File 3");
    EXPECT_EQ(libraryNames(), (QStringList{"Store Song 1", "Store Song 2", "File 3"}));
}

struct TodaysLink {
    const char* name;
    QString link;
    QList<QPair<QByteArray, test::CannedResponse>> served;
};

void PrintTo(const TodaysLink& link, std::ostream* out) {
    *out << link.name;
}

class TodaysStoreLink : public CommandLineInProcess,
                        public testing::WithParamInterface<TodaysLink> {};

// The store's lookup answers its songs out of order, over two discs.
TEST_P(TodaysStoreLink, tagsTheFilesByPositionInDiscAndTrackOrder) {
    writeFiles(3);
    test::ProxiedStore store;
    for (const auto& [key, response] : GetParam().served) {
        store.server.serve(key, response);
    }
    store.server.serve("itunes.apple.com/lookup",
                       test::CannedResponse::page(test::shuffledLookupAnswer));
    readTheStore = true;

    EXPECT_EQ(run({"--store-url", GetParam().link, scratch.musicPath()}), 0) << err.toStdString();

    EXPECT_EQ(store.server.requestsFor("itunes.apple.com", "/lookup").size(), 1);
    const auto tracks = scratch.libraryTracks();
    ASSERT_EQ(tracks.size(), 3);
    const QList<std::pair<int, int>> discAndTrack{{1, 1}, {1, 2}, {2, 1}};
    for (int index = 0; index < 3; ++index) {
        const library::TrackRecord& track = tracks[index];
        EXPECT_EQ(track.text("name"), (QStringList{"One", "Two", "Three"}[index]));
        EXPECT_EQ(track.integer("discNumber"), discAndTrack[index].first);
        EXPECT_EQ(track.integer("trackNumber"), discAndTrack[index].second);
        EXPECT_EQ(track.integer("discCount"), 2);
        EXPECT_EQ(track.integer("trackCount"), 2);
        EXPECT_EQ(track.text("albumArtist"), "Ann and Band");
        EXPECT_EQ(track.text("artist"), "Ann");
        EXPECT_EQ(track.text("genre"), "Jazz");
        EXPECT_EQ(track.integer("year"), 2019);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Links, TodaysStoreLink,
    testing::Values(TodaysLink{"musicLink",
                               "https://music.apple.com/us/album/blue/1440833098",
                               {{"music.apple.com/us/album/blue/1440833098",
                                 test::CannedResponse::page(test::pageWithoutServerData)}}},
                    TodaysLink{"oldLinkRedirected",
                               "https://itunes.apple.com/us/album/blue/id1440833098",
                               {{"itunes.apple.com/us/album/blue/id1440833098",
                                 test::CannedResponse::redirect(
                                     QUrl("https://music.apple.com/us/album/blue/1440833098"))},
                                {"music.apple.com/us/album/blue/1440833098",
                                 test::CannedResponse::page(test::pageWithoutServerData)}}}),
    [](const auto& info) { return std::string(info.param.name); });

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

// Ctrl-C twice while the library converts, on a terminal: the progress line
// is ended, not left for the shell's prompt to be written over.
TEST_F(CommandLineInProcess, aSecondInterruptEndsTheProgressLine) {
    test::FlacFixture long_;
    long_.samples = 4 * 44100;
    for (int number = 1; number <= 8; ++number) {
        scratch.writeFlac(QStringLiteral("%1.flac").arg(number), long_);
    }
    bool interrupted = false;
    QTimer interrupter;
    interrupter.setInterval(5);
    QObject::connect(&interrupter, &QTimer::timeout, [&] {
        if (!interrupted && out.contains("converting")) {
            interrupted = true;
            std::raise(SIGINT);
            std::raise(SIGINT);
        }
    });
    interrupter.start();

    EXPECT_EQ(run({scratch.musicPath()}, true), 130) << err.toStdString();

    ASSERT_TRUE(interrupted) << out.toStdString();
    const qsizetype lastDraw = out.lastIndexOf("\r\033[K");
    ASSERT_GE(lastDraw, 0);
    EXPECT_TRUE(out.mid(lastDraw).endsWith(u'\n')) << out.toStdString();
    EXPECT_TRUE(err.contains("decant-cli: stopping now")) << err.toStdString();
    EXPECT_EQ(scratch.mediaFiles().size(), scratch.libraryTracks().size());
}

} // namespace
} // namespace decant
