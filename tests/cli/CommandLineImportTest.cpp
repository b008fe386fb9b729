// decant-cli run as a separate process on scratch folders and a scratch
// library, its standard output a pipe.
#include "CliTestSupport.h"
#include "TestEnvironment.h"

#include <QDir>
#include <gtest/gtest.h>

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
    // "Album/0N Song N.flac", tagged as track N of `count` of one album.
    QStringList writeAlbum(int count) {
        QStringList names;
        for (int number = 1; number <= count; ++number) {
            const QString name = QStringLiteral("0%1 Song %1.flac").arg(number);
            scratch.writeFlac(
                QStringLiteral("Album/") + name,
                test::taggedFixture({"TITLE=Song " + QByteArray::number(number), "ARTIST=The Band",
                                     "ALBUM=The Record", numbered("TRACKNUMBER", number),
                                     numbered("TRACKTOTAL", count)}));
            names.append(name);
        }
        return names;
    }

    CliScratch scratch;
};

TEST_F(CommandLineImport, importsATaggedFolderWithItsTags) {
    const QStringList names = writeAlbum(3);

    const auto result = runCli(scratch, {scratch.musicPath()});

    ASSERT_TRUE(result.exited) << result.err.toStdString();
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    for (int number = 1; number <= 3; ++number) {
        const auto row = test::summaryRow(result.out, names[number - 1]);
        EXPECT_EQ(row.value("Status"), "Done") << result.out.toStdString();
        EXPECT_EQ(row.value("Track"), QStringLiteral("%1 of 3").arg(number));
        EXPECT_EQ(row.value("Title"), QStringLiteral("Song %1").arg(number));
        EXPECT_EQ(row.value("Artist"), "The Band");
        EXPECT_EQ(row.value("Album"), "The Record");
        EXPECT_EQ(row.value("Verified"), "length exact");
    }
    EXPECT_TRUE(result.out.contains("3 imported, 0 failed, 0 not imported."));

    const auto tracks = scratch.libraryTracks();
    ASSERT_EQ(tracks.size(), 3);
    for (int number = 1; number <= 3; ++number) {
        const auto& track = tracks[number - 1];
        EXPECT_EQ(track.text("name"), QStringLiteral("Song %1").arg(number));
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
    // Failed decodes leave no partial audio behind.
    EXPECT_EQ(scratch.decodedFiles(), QStringList());
}

TEST_F(CommandLineImport, endsAtOnceWhenNoPathHoldsAFLACFile) {
    scratch.writeFile("notes.txt", "not music");
    scratch.writeFile("song.mp3", QByteArray(64, '\0'));

    const auto result = runCli(scratch, {scratch.musicPath(), scratch.musicPath("song.mp3")},
                               std::chrono::seconds(20));

    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("No FLAC file among the paths.")) << result.err.toStdString();
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

TEST_F(CommandLineImport, explainsFilesTheLibraryCouldNotTake) {
    scratch.writeFlac("a.flac");
    // A library folder below a file can never be made.
    const QString blocker = scratch.writeFile("blocker", "a file");

    const auto result =
        runCli(scratch, {"--library", blocker + "/library", scratch.musicPath("a.flac")});

    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(test::summaryRow(result.out, "a.flac").value("Status"), "Encoding");
    EXPECT_TRUE(result.err.contains("The library could not be opened: "))
        << result.err.toStdString();
    EXPECT_TRUE(result.out.contains("0 imported, 0 failed, 1 not imported."));
    // No later run would pick the decoded audio up.
    EXPECT_EQ(scratch.decodedFiles(), QStringList());
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

} // namespace
} // namespace decant
