#include "LibraryTestSupport.h"
#include "TestImages.h"
#include "library/Track.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace decant::library {
namespace {

using test::ScratchLibrary;

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// The tool as a user runs it; DECANT_LIBRARY names the scratch library.
ToolRun runTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(DECANT_LIBRARY_TOOL), arguments);
    ToolRun run;
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

struct BadArguments {
    QStringList arguments;
    const char* message;
};

class LibraryToolRefuses : public testing::TestWithParam<BadArguments> {
protected:
    ScratchLibrary scratch;
};

TEST_P(LibraryToolRefuses, badArgumentsWithAReasonAndStatusTwo) {
    { ASSERT_TRUE(scratch.open()); }

    const ToolRun run = runTool(GetParam().arguments);

    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QLatin1String(GetParam().message))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(scratch.open()->importSettings(), (ImportSettings{Encoder::Aac, 256}));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, LibraryToolRefuses,
    testing::Values(BadArguments{{}, "no command"}, BadArguments{{"play"}, "unknown command"},
                    BadArguments{{"list", "info"}, "one command"},
                    BadArguments{{"--frobnicate", "info"}, "frobnicate"},
                    BadArguments{{"settings", "--encoder", "ogg"}, "unknown encoder"},
                    BadArguments{{"settings", "--encoder", "flac", "--bitrate", "256"}, "lossless"},
                    BadArguments{{"settings", "--bitrate", "fast"}, "whole number"},
                    BadArguments{{"settings", "--bitrate", "1000"}, "from 16 to 320"},
                    BadArguments{{"list", "--encoder", "mp3"}, "settings command"},
                    BadArguments{{"list", "--repair"}, "check command"},
                    BadArguments{{"remove"}, "needs the IDs"},
                    BadArguments{{"remove", "1", "one"}, "\"one\" is not a track ID"},
                    BadArguments{{"organise", "now"}, "one command"},
                    BadArguments{{"info", "--artist", "Ann"}, "go with the list command"}));

class LibraryTool : public testing::Test {
protected:
    ScratchLibrary scratch;
};

TEST_F(LibraryTool, changesAndShowsTheSettings) {
    { ASSERT_TRUE(scratch.open()); }

    const ToolRun change = runTool({"settings", "--encoder", "mp3", "--bitrate", "192"});
    const ToolRun show = runTool({"--library", scratch.libraryPath(), "settings"});

    EXPECT_EQ(change.status, 0) << change.err.toStdString();
    EXPECT_EQ(show.status, 0) << show.err.toStdString();
    EXPECT_EQ(show.out, change.out);
    EXPECT_TRUE(show.out.contains("mp3")) << show.out.toStdString();
    EXPECT_TRUE(show.out.contains("192 kbit/s")) << show.out.toStdString();
    EXPECT_EQ(scratch.open()->importSettings(), (ImportSettings{Encoder::Mp3, 192}));
}

TEST_F(LibraryTool, listsTracksWithTheirProperties) {
    {
        LibraryOptions options;
        options.tagQuietPeriod = std::chrono::hours(1);
        const auto library = scratch.open(options);
        ASSERT_TRUE(library);
        const auto tracks =
            library->convert({scratch.writeWav("first.wav"), scratch.writeWav("second.wav")});
        ASSERT_EQ(tracks.size(), 2);
        tracks[0]->setProperty("artist", QStringLiteral("Ann"));
        tracks[0]->setProperty("album", QStringLiteral("Songs"));
        tracks[0]->setProperty("trackNumber", qint64(3));
        tracks[0]->setProperty("trackCount", qint64(9));
        tracks[0]->setProperty("discNumber", qint64(1));
        tracks[0]->setProperty("year", qint64(1987));
    }

    const ToolRun list = runTool({"list"});
    const ToolRun info = runTool({"info"});

    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    const QStringList lines = list.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << list.out.toStdString();
    EXPECT_EQ(lines[0].simplified(),
              "ID Name Artist Album Track Disc Year Kind Gain Album gain Verified Artwork File");
    // Only the first is of an album, alone in it.
    const QString gain = R"([+-]\d+\.\d\d dB)";
    EXPECT_TRUE(QRegularExpression("^1 first Ann Songs 3/9 1 1987 AAC audio file " + gain + ' ' +
                                   gain + " length exact Media/Ann/Songs/03 first.m4a$")
                    .match(lines[1].simplified())
                    .hasMatch())
        << lines[1].toStdString();
    EXPECT_TRUE(QRegularExpression("^2 second AAC audio file " + gain +
                                   " length exact Media/Unknown Artist/Unknown Album/second.m4a$")
                    .match(lines[2].simplified())
                    .hasMatch())
        << lines[2].toStdString();
    EXPECT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.contains("Tracks:   2")) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(scratch.libraryPath())) << info.out.toStdString();
}

struct Filter {
    QStringList arguments;
    QList<int> ids; // of the tracks listed
};

TEST_F(LibraryTool, listsOnlyTheTracksThatMatchAndSaysWhyArtworkWasSkipped) {
    {
        const auto library = scratch.open();
        ASSERT_TRUE(library);
        const auto tracks = library->convert(
            {scratch.writeWav("1.wav"), scratch.writeWav("2.wav"), scratch.writeWav("3.wav")});
        ASSERT_EQ(tracks.size(), 3);
        const QList<QStringList> tags{{"Blue Song", "Ann", "", "Colours"},
                                      {"Red", "Bob", "Ann & Friends", "Colours"},
                                      {"Green", "Cat", "", "Nature"}};
        for (qsizetype index = 0; index < tracks.size(); ++index) {
            tracks[index]->setProperty("name", tags[index][0]);
            tracks[index]->setProperty("artist", tags[index][1]);
            tracks[index]->setProperty("albumArtist", tags[index][2]);
            tracks[index]->setProperty("album", tags[index][3]);
        }
        tracks[0]->setArtwork(test::jpegImage());
        tracks[2]->setArtwork("GIF89a");
    }
    const QList<Filter> filters{{{}, {1, 2, 3}},
                                {{"--artist", "ann"}, {1, 2}},
                                {{"--album", "COLOUR"}, {1, 2}},
                                {{"--search", "nATure"}, {3}},
                                {{"--search", "song", "--artist", "Ann"}, {1}},
                                {{"--artist", "ann", "--album", "nature"}, {}}};

    for (const Filter& filter : filters) {
        SCOPED_TRACE(filter.arguments.join(' ').toStdString());
        const ToolRun list = runTool(QStringList{"list"} + filter.arguments);
        ASSERT_EQ(list.status, 0) << list.err.toStdString();
        QList<int> listed;
        for (const QString& line : list.out.split('\n').mid(1)) {
            if (!line.isEmpty() && line.front().isDigit()) {
                listed.append(line.section(' ', 0, 0).toInt());
            }
        }
        EXPECT_EQ(listed, filter.ids) << list.out.toStdString();
        EXPECT_EQ(list.out.contains("No track matches."), filter.ids.isEmpty());
    }
    const ToolRun all = runTool({"list"});
    const QStringList lines = all.out.split('\n');
    EXPECT_TRUE(lines.value(1).contains(" yes ")) << all.out.toStdString();
    EXPECT_TRUE(lines.value(3).contains(" skipped ")) << all.out.toStdString();
    EXPECT_TRUE(all.out.contains("Track 3: an image was skipped: the image is neither JPEG nor "
                                 "PNG (it begins \"GIF89a\")."))
        << all.out.toStdString();
}

// Removed tracks' files go to the trash, with the folders they leave
// empty; organise puts a file left elsewhere where its tags say.
TEST_F(LibraryTool, removesToTheTrashAndOrganises) {
    {
        const auto library = scratch.open();
        ASSERT_TRUE(library);
        const auto tracks =
            library->convert({scratch.writeWav("one.wav"), scratch.writeWav("two.wav")});
        ASSERT_EQ(tracks.size(), 2);
        for (const auto& track : tracks) {
            track->setProperty("artist", QStringLiteral("Ann"));
            track->setProperty("album", "Album " + track->name());
        }
    }
    const QString media = scratch.libraryPath() + "/Media/";
    ASSERT_TRUE(QFile::rename(media + "Ann/Album two/two.m4a", media + "two.m4a"));
    ASSERT_TRUE(test::executeSql(scratch.libraryPath() + "/Library.sqlite",
                                 "UPDATE tracks SET file = 'Media/two.m4a' WHERE id = 2"));

    const ToolRun organise = runTool({"organise"});
    const ToolRun again = runTool({"organise"});
    const ToolRun remove = runTool({"remove", "1", "9"});

    EXPECT_EQ(organise.status, 0) << organise.err.toStdString();
    EXPECT_EQ(organise.out, "Moved Media/two.m4a to Media/Ann/Album two/two.m4a.\n"
                            "1 file moved, 0 left.\n");
    EXPECT_EQ(again.out, "Every file is where its tags say.\n");
    EXPECT_EQ(remove.status, 1);
    EXPECT_EQ(remove.out, "Removed track 1 \"one\"; its file Media/Ann/Album one/one.m4a is in "
                          "the trash.\n");
    EXPECT_TRUE(remove.err.contains("cannot remove track 9: there is no track 9"))
        << remove.err.toStdString();
    EXPECT_EQ(scratch.mediaFiles(), QStringList{"Ann/Album two/two.m4a"});
    EXPECT_EQ(scratch.mediaFolders(), QStringList({"Ann", "Ann/Album two"}));
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_TRUE(QFile::exists(trash + "/Trash/files/one.m4a"));
    EXPECT_EQ(scratch.open()->trackCount(), 1);
}

TEST_F(LibraryTool, failsWithStatusOneOnAMissingOrUnreadableLibrary) {
    const ToolRun missing = runTool({"info"});
    QDir().mkpath(scratch.libraryPath());
    QFile garbage(scratch.libraryPath() + "/Library.sqlite");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(2048, '\x01'));
    garbage.close();
    const ToolRun unreadable = runTool({"list"});

    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("no library")) << missing.err.toStdString();
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_TRUE(unreadable.err.contains("not a database")) << unreadable.err.toStdString();
}

// A library with one problem of every kind that check knows, made by hand
// the way crashes and older versions left them.
class LibraryCheck : public testing::Test {
protected:
    void addFiveTracks() {
        LibraryOptions options;
        options.tagQuietPeriod = std::chrono::hours(1);
        const auto library = scratch.open(options);
        ASSERT_TRUE(library);
        const auto tracks = library->convert(
            {wav("kept"), wav("moving"), wav("gone"), wav("untagged"), wav("lagging")});
        ASSERT_EQ(tracks.size(), 5);
        for (const auto& track : tracks) {
            if (track->name() != QLatin1String("untagged")) {
                track->setProperty("name", "Song " + track->name());
            }
        }
        ASSERT_TRUE(library->flush());
    }

    QUrl wav(const QString& name) const { return scratch.writeWav(name + ".wav"); }
    QString media(const QString& name) const { return scratch.libraryPath() + "/Media/" + name; }
    // Where a track named "Song <source>" without artist or album lives.
    QString organised(const QString& source) const {
        return media("Unknown Artist/Unknown Album/Song " + source + ".m4a");
    }
    bool sql(const QString& statement) const {
        return test::executeSql(scratch.libraryPath() + "/Library.sqlite", statement);
    }

    ScratchLibrary scratch;
};

TEST_F(LibraryCheck, findsEveryProblemAndRepairMendsAllButUntaggedTracks) {
    addFiveTracks();
    QFile(media("stray.m4a")).open(QIODevice::WriteOnly);
    QFile(media(".importing-0000000000000000.m4a")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::copy(organised("kept"), media("kept 2.m4a")));
    ASSERT_TRUE(sql("INSERT INTO tracks (file, kind, duration, sample_rate, channels, bit_rate, "
                    "size, date_added, name, source) SELECT 'Media/kept 2.m4a', kind, duration, "
                    "sample_rate, channels, bit_rate, size, date_added, 'kept', 'kept' "
                    "FROM tracks WHERE source = 'kept'"));
    ASSERT_TRUE(QFile::rename(organised("moving"), media(".importing-1111111111111111.m4a")));
    ASSERT_TRUE(sql("INSERT INTO file_moves (track_id, pending) SELECT id, "
                    "'Media/.importing-1111111111111111.m4a' FROM tracks WHERE source = 'moving'"));
    ASSERT_TRUE(QFile::remove(organised("gone")));
    ASSERT_TRUE(sql("UPDATE tracks SET artist = 'Late', tags_dirty = 1 WHERE source = 'lagging'"));

    const ToolRun found = runTool({"check"});
    const ToolRun repaired = runTool({"check", "--repair"});
    const ToolRun after = runTool({"check"});

    EXPECT_EQ(found.status, 3) << found.err.toStdString();
    for (const char* kind :
         {"Orphaned file: no track lists Media/stray.m4a",
          "Half-written file: Media/.importing-0000000000000000.m4a", "Interrupted import: track 2",
          "Missing file: track 3",
          "Duplicate: track 6 \"kept\" holds the same source and audio as track 1",
          "Untagged track: track 4", "Tags not written: track 5", "7 problems found"}) {
        EXPECT_TRUE(found.out.contains(QLatin1String(kind))) << kind << '\n'
                                                             << found.out.toStdString();
    }
    EXPECT_EQ(repaired.status, 3) << repaired.err.toStdString();
    for (const char* done :
         {"Moved Media/stray.m4a to the trash", "Removed Media/.importing-0000000000000000.m4a",
          "Finished putting Media/Unknown Artist/Unknown Album/Song moving.m4a in place for track "
          "2",
          "Removed track 3, whose file Media/Unknown Artist/Unknown Album/Song gone.m4a is "
          "missing",
          "Removed track 6 and its file Media/kept 2.m4a", "Left track 4 untagged",
          "Wrote the tags of track 5", "6 problems mended, 1 left."}) {
        EXPECT_TRUE(repaired.out.contains(QLatin1String(done))) << done << '\n'
                                                                << repaired.out.toStdString();
    }
    EXPECT_EQ(after.status, 3);
    EXPECT_EQ(after.out.count('\n'), 2) << after.out.toStdString();
    // Writing its tags put the lagging file where its new artist says.
    EXPECT_EQ(scratch.mediaFiles(), QStringList({"Late/Unknown Album/Song lagging.m4a",
                                                 "Unknown Artist/Unknown Album/Song kept.m4a",
                                                 "Unknown Artist/Unknown Album/Song moving.m4a",
                                                 "Unknown Artist/Unknown Album/untagged.m4a"}));
    EXPECT_EQ(test::readTags(media("Late/Unknown Album/Song lagging.m4a")).value("ARTIST"),
              QStringList{"Late"});
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_TRUE(QFile::exists(trash + "/Trash/files/stray.m4a"));
}

// Before sources were recorded, a crash between encoding and recording left
// an orphaned file, and the rerun a second, untagged track beside the
// tagged one. Repair upgrades such a library and leaves one track, which
// the next import of the same file then finds.
TEST_F(LibraryCheck, repairMendsALibraryFromBeforeSourcesWereRecorded) {
    const QString hash = "0123456789abcdef0123456789abcdef";
    const QString orphan = "fedcba9876543210fedcba9876543210";
    {
        const auto library = scratch.open();
        ASSERT_TRUE(library);
        // As then: nothing measured, so nothing to write, and the files stay
        // where that library kept them.
        ASSERT_TRUE(library->setSoundCheck(false));
        ASSERT_EQ(library->convert({wav(hash), wav(orphan)}).size(), 2);
    }
    ASSERT_TRUE(QFile::copy(media(hash + ".m4a"), media(hash + " 2.m4a")));
    ASSERT_TRUE(sql("INSERT INTO tracks (file, kind, duration, sample_rate, channels, bit_rate, "
                    "size, date_added, name) SELECT 'Media/' || source || ' 2.m4a', kind, duration,"
                    " sample_rate, channels, bit_rate, size, date_added, 'Song' FROM tracks "
                    "WHERE id = 1"));
    ASSERT_TRUE(sql("DELETE FROM tracks WHERE id = 2"));
    ASSERT_TRUE(
        sql("DROP TABLE file_moves; DROP INDEX tracks_by_source; DROP INDEX tracks_by_file;"
            "ALTER TABLE tracks DROP COLUMN source; ALTER TABLE tracks DROP COLUMN audio_md5;"
            "ALTER TABLE tracks DROP COLUMN encoder;"
            "ALTER TABLE tracks DROP COLUMN encoder_bit_rate; DROP TABLE artwork;"
            "DROP TABLE file_removals; DROP INDEX tracks_by_artwork;"
            "ALTER TABLE tracks DROP COLUMN artwork; ALTER TABLE tracks DROP COLUMN artwork_note;"
            "ALTER TABLE tracks DROP COLUMN source_format; ALTER TABLE tracks DROP COLUMN "
            "verified; ALTER TABLE tracks DROP COLUMN verified_md5; ALTER TABLE tracks DROP "
            "COLUMN verified_at; ALTER TABLE tracks DROP COLUMN loudness; ALTER TABLE tracks "
            "DROP COLUMN peak; ALTER TABLE tracks DROP COLUMN album_loudness; ALTER TABLE tracks "
            "DROP COLUMN album_peak;"
            "PRAGMA user_version = 1"));

    const ToolRun old = runTool({"check"});
    const ToolRun repaired = runTool({"check", "--repair"});

    EXPECT_EQ(old.status, 1);
    EXPECT_TRUE(old.err.contains("check --repair upgrades it")) << old.err.toStdString();
    EXPECT_EQ(repaired.status, 0) << repaired.out.toStdString();
    EXPECT_TRUE(repaired.out.contains("Removed track 1 and its file Media/" + hash + ".m4a"))
        << repaired.out.toStdString();
    EXPECT_TRUE(repaired.out.contains("Moved Media/" + orphan + ".m4a to the trash"));
    const auto library = scratch.open();
    ASSERT_TRUE(library);
    const auto again = library->convertFiles({wav(hash)});
    ASSERT_TRUE(again[0].track);
    EXPECT_EQ(again[0].track->id(), 3);
    EXPECT_EQ(again[0].how, Conversion::Replaced);
    EXPECT_EQ(again[0].track->name(), "Song");
    EXPECT_EQ(library->trackCount(), 1);
    ASSERT_TRUE(library->flush());
    EXPECT_EQ(scratch.mediaFiles(), QStringList{"Unknown Artist/Unknown Album/Song.m4a"});
}

} // namespace
} // namespace decant::library
