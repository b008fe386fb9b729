// decant-cli run as a separate process on scratch folders and a scratch
// library, its standard output a pipe.
#include "CliTestSupport.h"
#include "TestEnvironment.h"
#include "TestHttpServer.h"
#include "queue/QueueEntry.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <sys/stat.h>

namespace decant {
namespace {

using test::CliScratch;
using test::runCli;

QByteArray numbered(const char* field, int number) {
    return QByteArray(field) + '=' + QByteArray::number(number);
}

class CommandLineImport : public testing::Test {
protected:
    // "Album/0N Song N.flac", tagged as track N of `count` of one album,
    // its title "Song N" followed by `titleEnding`.
    QStringList writeAlbum(int count, const QByteArray& titleEnding = {}) {
        QStringList names;
        for (int number = 1; number <= count; ++number) {
            const QString name = QStringLiteral("0%1 Song %1.flac").arg(number);
            scratch.writeFlac(QStringLiteral("Album/") + name,
                              test::taggedFixture({"TITLE=Song " + QByteArray::number(number) +
                                                       (number == 2 ? titleEnding : QByteArray()),
                                                   "ARTIST=The Band", "ALBUM=The Record",
                                                   numbered("TRACKNUMBER", number),
                                                   numbered("TRACKTOTAL", count)}));
            names.append(name);
        }
        return names;
    }

    CliScratch scratch;
};

// The longest title is in CJK, with a combining mark: the columns after it
// still line up on a terminal.
TEST_F(CommandLineImport, importsATaggedFolderWithItsTags) {
    const QStringList names =
        writeAlbum(3, " \xe6\x98\xa5\xe3\x82\x88\xe6\x9d\xa5\xe3\x81\x84 e\xcc\x81");
    const QString second = QStringLiteral("Song 2 \u6625\u3088\u6765\u3044 e\u0301");

    const auto result = runCli(scratch, {scratch.musicPath()});

    ASSERT_TRUE(result.exited) << result.err.toStdString();
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    for (int number = 1; number <= 3; ++number) {
        const auto row = test::summaryRow(result.out, names[number - 1]);
        EXPECT_EQ(row.value("Status"), "Done") << result.out.toStdString();
        EXPECT_EQ(row.value("Track"), QStringLiteral("%1 of 3").arg(number));
        EXPECT_EQ(row.value("Title"), number == 2 ? second : QStringLiteral("Song %1").arg(number));
        EXPECT_EQ(row.value("Artist"), "The Band");
        EXPECT_EQ(row.value("Album"), "The Record");
        EXPECT_EQ(row.value("Verified"), "length exact");
    }
    EXPECT_TRUE(result.out.contains("3 imported, 0 failed, 0 not imported."));

    const auto tracks = scratch.libraryTracks();
    ASSERT_EQ(tracks.size(), 3);
    for (int number = 1; number <= 3; ++number) {
        const auto& track = tracks[number - 1];
        EXPECT_EQ(track.text("name"), number == 2 ? second : QStringLiteral("Song %1").arg(number));
        EXPECT_EQ(track.text("artist"), "The Band");
        EXPECT_EQ(track.text("album"), "The Record");
        EXPECT_EQ(track.integer("trackNumber"), number);
        // The tags were in the files before the process ended.
        EXPECT_EQ(track.tagsDirty, 0);
    }
}

// A folder and a file named in Latin-1, as old rips and Samba shares name
// them, given on the command line as the bytes they are.
TEST_F(CommandLineImport, importsPathsThatAreNotUTF8) {
    const QByteArray music = scratch.musicPath().toUtf8();
    const test::RemovedTree album(music + "/Alb\xe9");
    const test::RemovedTree single(music + "/d\xe9j\xe0.flac");
    ASSERT_EQ(mkdir((music + "/Alb\xe9").constData(), 0700), 0);
    for (const QByteArray& path : {music + "/Alb\xe9/good.flac", music + "/Alb\xe9/caf\xe9.flac",
                                   music + "/d\xe9j\xe0.flac"}) {
        ASSERT_TRUE(test::writeFlacFixture(path, test::FlacFixture()));
    }

    const auto result =
        test::runCliWithBytes(scratch, {music + "/Alb\xe9", music + "/d\xe9j\xe0.flac"});

    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    for (const QString& name : {QStringLiteral("caf\uFFFD.flac"), QStringLiteral("good.flac"),
                                QStringLiteral("d\uFFFDj\uFFFD.flac")}) {
        EXPECT_EQ(test::summaryRow(result.out, name).value("Status"), "Done")
            << result.out.toStdString();
    }
    EXPECT_EQ(scratch.libraryTracks().size(), 3);
}

TEST_F(CommandLineImport, libraryOptionWinsOverTheEnvironment) {
    scratch.writeFlac("a.flac");
    const QString chosen = scratch.musicPath("../chosen library");

    const auto result = runCli(scratch, {"--library", chosen, scratch.musicPath("a.flac")});

    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(chosen).filePath("Media")));
    EXPECT_FALSE(QFileInfo::exists(scratch.libraryPath()));
}

TEST_F(CommandLineImport, reportsACorruptFileAndImportsTheOthers) {
    scratch.writeFlac("1 good.flac");
    test::FlacFixture damaged;
    damaged.samples = 44100;
    damaged.blockSize = 1024;
    damaged.damagedFrame = 3;
    scratch.writeFlac("2 damaged.flac", damaged);
    scratch.writeFile("3 renamed.flac", QByteArray(4096, 'x'));
    scratch.writeFlac("4 good.flac");

    const auto result = runCli(scratch, {scratch.musicPath()});

    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(test::summaryRow(result.out, "1 good.flac").value("Status"), "Done");
    EXPECT_EQ(test::summaryRow(result.out, "2 damaged.flac").value("Status"), "Failed");
    EXPECT_EQ(test::summaryRow(result.out, "3 renamed.flac").value("Status"), "Failed");
    EXPECT_EQ(test::summaryRow(result.out, "4 good.flac").value("Status"), "Done");
    EXPECT_TRUE(result.out.contains("Failed  3 renamed.flac: source is not a FLAC file"))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("Not imported:\n"
                                    "  2 damaged.flac: MD5 signature mismatch\n"
                                    "  3 renamed.flac: source is not a FLAC file\n"))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("2 imported, 2 failed, 0 not imported."));
    EXPECT_EQ(scratch.libraryTracks().size(), 2);
    // Failed decodes leave their files for inspection until the next start,
    // which removes them and says so.
    EXPECT_EQ(scratch.decodedFiles().size(), 2);
    const auto again = runCli(scratch, {scratch.musicPath("1 good.flac")});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(
        again.err.contains("decant-cli: freed 176 kB of decoded audio left by an earlier run.\n"))
        << again.err.toStdString();
    EXPECT_EQ(scratch.decodedFiles(), QStringList());
}

TEST_F(CommandLineImport, endsAtOnceWhenNoPathHoldsAFLACFile) {
    scratch.writeFile("notes.txt", "not music");
    scratch.writeFile("song.mp3", QByteArray(64, '\0'));

    const auto result = runCli(scratch, {scratch.musicPath(), scratch.musicPath("song.mp3")},
                               std::chrono::seconds(20));

    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("decant-cli: no FLAC file among the paths."))
        << result.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(scratch.libraryPath()));
}

TEST_F(CommandLineImport, reportsAMissingPathAndImportsTheRest) {
    const QString song = scratch.writeFlac("a.flac");
    const QString missing = scratch.musicPath("gone.flac");

    const auto result = runCli(scratch, {missing, song});

    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("no such file or folder: " + missing))
        << result.err.toStdString();
    EXPECT_EQ(test::summaryRow(result.out, "a.flac").value("Status"), "Done");
    EXPECT_EQ(scratch.libraryTracks().size(), 1);
}

// A damaged file, a file that is not FLAC and a library whose database
// another program holds locked: each file's line and the summary say why,
// and the run fails.
TEST_F(CommandLineImport, printsEveryReasonOnAPipe) {
    scratch.writeFlac("first.flac");
    ASSERT_EQ(runCli(scratch, {scratch.musicPath("first.flac")}).exitCode, 0);
    test::FlacFixture damaged;
    damaged.samples = 44100;
    damaged.blockSize = 1024;
    damaged.damagedFrame = 3;
    scratch.writeFlac("damaged.flac", damaged);
    scratch.writeFile("renamed.flac", QByteArray(4096, 'x'));
    scratch.writeFlac("good.flac", test::taggedFixture({"TITLE=Good"}));
    sqlite3* otherProgram = nullptr;
    ASSERT_EQ(sqlite3_open(QDir(scratch.libraryPath()).filePath("Library.sqlite").toUtf8(),
                           &otherProgram),
              SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> closed(otherProgram, sqlite3_close);
    ASSERT_EQ(sqlite3_exec(otherProgram, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    const auto result =
        runCli(scratch, {scratch.musicPath("damaged.flac"), scratch.musicPath("renamed.flac"),
                         scratch.musicPath("good.flac")});

    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 1);
    const QString locked = QStringLiteral("the database is locked by another program");
    // Decodes finish in any order; the library's word comes before the
    // reason it gives.
    EXPECT_TRUE(result.out.contains("\nFailed  damaged.flac: MD5 signature mismatch\n"))
        << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("\nFailed  renamed.flac: source is not a FLAC file\n"));
    const QRegularExpression lines(QStringLiteral("^Not converted  good.flac \\(1 of 1.*\\)$.*"
                                                  "^Encoding  good.flac: .*%1.*"
                                                  "^Not imported:\n"
                                                  "  damaged.flac: MD5 signature mismatch\n"
                                                  "  renamed.flac: source is not a FLAC file\n"
                                                  "  good.flac: .*%1.*\n"
                                                  "0 imported, 2 failed, 1 not imported.")
                                       .arg(locked),
                                   QRegularExpression::MultilineOption |
                                       QRegularExpression::DotMatchesEverythingOption);
    EXPECT_TRUE(lines.match(result.out).hasMatch()) << result.out.toStdString();
    EXPECT_TRUE(result.err.contains("decant-cli: the library did not take 1 file: "))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(locked));
    // No later run would pick the decoded audio up; only the failed decodes'
    // files stay, for inspection.
    const QStringList left = scratch.decodedFiles();
    EXPECT_EQ(left.size(), 2);
    EXPECT_FALSE(left.join(u' ').contains(MD5(scratch.musicPath("good.flac"))));
}

// Logs and pipes get each change on a line of its own, in pipeline order,
// and no terminal control characters.
TEST_F(CommandLineImport, writesOneLinePerStatusChangeWhenNotOnATerminal) {
    const QStringList names = writeAlbum(2);
    test::FlacFixture damaged;
    damaged.samples = 44100;
    damaged.blockSize = 1024;
    damaged.damagedFrame = 2;
    scratch.writeFlac("Album/03 Damaged.flac", damaged);

    const auto result = runCli(scratch, {scratch.musicPath()});

    ASSERT_EQ(result.exitCode, 1);
    EXPECT_FALSE(result.out.contains(u'\r'));
    EXPECT_FALSE(result.out.contains(u'\033'));
    const QStringList order{"Waiting", "Decoding", "Decoded", "Encoding", "Done"};
    for (const QString& name : names) {
        const QStringList changes = test::statusChanges(result.out, name);
        ASSERT_FALSE(changes.isEmpty()) << result.out.toStdString();
        EXPECT_EQ(changes.last(), "Done");
        for (qsizetype index = 1; index < changes.size(); ++index) {
            EXPECT_LT(order.indexOf(changes[index - 1]), order.indexOf(changes[index]))
                << "a line without a change, or out of order: " << changes.join(", ").toStdString();
        }
    }
    const QStringList damagedChanges = test::statusChanges(result.out, "03 Damaged.flac");
    ASSERT_FALSE(damagedChanges.isEmpty());
    EXPECT_EQ(damagedChanges.last(), "Failed");
    EXPECT_EQ(damagedChanges.count("Failed"), 1);
}

// The store closes every connection: the user asked for the store's tags,
// so nothing is imported, unless --keep-tags says the files' own will do.
// The process reaches the store's hosts through the test's proxy, which
// closes the connection it is asked to open.
class StoreThatClosesTheConnection : public CommandLineImport,
                                     public testing::WithParamInterface<bool> {};

TEST_P(StoreThatClosesTheConnection, importsNothingAndSaysWhyUnlessToldToKeepTheTags) {
    const bool keepTags = GetParam();
    writeAlbum(2);
    test::TestHttpServer store(test::TestHttpServer::Transport::Proxy);
    for (const char* host : {"music.apple.com", "itunes.apple.com"}) {
        store.serve(host, test::CannedResponse::withKind(test::CannedResponse::Kind::Hangup));
    }
    scratch.setEnvironmentVariable("https_proxy", store.proxyAddress());
    for (const char* unset : {"HTTPS_PROXY", "no_proxy", "NO_PROXY"}) {
        scratch.setEnvironmentVariable(unset, {});
    }
    QStringList arguments{"--store-url", "https://music.apple.com/us/album/blue/1440833098"};
    if (keepTags) {
        arguments.append("--keep-tags");
    }

    const auto result = runCli(scratch, arguments << scratch.musicPath());

    ASSERT_TRUE(result.exited) << result.err.toStdString();
    EXPECT_EQ(result.exitCode, keepTags ? 0 : 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.startsWith(
        "decant-cli: Could not reach the store: itunes.apple.com did not answer."))
        << result.err.toStdString();
    EXPECT_EQ(result.err.contains("nothing was imported"), !keepTags) << result.err.toStdString();
    // Status lines of a fast run may be merged, so the run shows in its
    // opening line rather than in any one status.
    EXPECT_EQ(result.out.contains("Importing 2 FLAC files"), keepTags) << result.out.toStdString();
    EXPECT_EQ(scratch.mediaFiles().size(), keepTags ? 2 : 0);
    if (keepTags) {
        EXPECT_EQ(test::summaryRow(result.out, "01 Song 1.flac").value("Title"), "Song 1");
    }
}

INSTANTIATE_TEST_SUITE_P(KeepTags, StoreThatClosesTheConnection, testing::Bool());

} // namespace
} // namespace decant
