#include "LibraryTestSupport.h"
#include "ToolRun.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace decant::library {
namespace {

using test::runTool;
using test::ScratchLibrary;
using test::ToolRun;

// A library with one problem of every kind that check knows, made by hand
// the way crashes and older versions left them.
class LibraryCheck : public testing::Test {
protected:
    void addSevenTracks() {
        LibraryOptions options;
        options.tagQuietPeriod = std::chrono::hours(1);
        const auto library = scratch.open(options);
        ASSERT_TRUE(library);
        const auto tracks =
            library->convert({wav("kept"), wav("moving"), wav("gone"), wav("untagged"),
                              wav("lagging"), wav("lost"), wav("moved")});
        ASSERT_EQ(tracks.size(), 7);
        for (const auto& track : tracks) {
            if (track->name() != QLatin1String("untagged")) {
                EXPECT_TRUE(track->setProperty("name", "Song " + track->name()));
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
    addSevenTracks();
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
    // The database lost a track, and another's file moved behind its back:
    // both files still say which track they hold.
    ASSERT_TRUE(sql("DELETE FROM tracks WHERE source = 'lost'"));
    ASSERT_TRUE(QFile::rename(organised("moved"), media("elsewhere.m4a")));

    const ToolRun found = runTool({"check"});
    const ToolRun repaired = runTool({"check", "--repair"});
    const ToolRun after = runTool({"check"});

    EXPECT_EQ(found.status, 3) << found.err.toStdString();
    for (const char* kind :
         {"Orphaned file: no track lists Media/stray.m4a",
          "Half-written file: Media/.importing-0000000000000000.m4a", "Interrupted import: track 2",
          "Missing file: track 3",
          "Duplicate: track 8 \"kept\" holds the same source and audio as track 1",
          "Untagged track: track 4", "Tags not written: track 5",
          "Lost track: Media/Unknown Artist/Unknown Album/Song lost.m4a holds \"Song lost\" "
          "(source lost), which the database lacks.",
          "Lost file: Media/elsewhere.m4a holds track 7, whose file Media/Unknown "
          "Artist/Unknown Album/Song moved.m4a is missing.",
          "9 problems found"}) {
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
          "Removed track 8 and its file Media/kept 2.m4a", "Left track 4 untagged",
          "Wrote the tags of track 5",
          "Added track 9 back from Media/Unknown Artist/Unknown Album/Song lost.m4a, whose own "
          "tags held it.",
          "Gave track 7 back its file Media/elsewhere.m4a.", "8 problems mended, 1 left."}) {
        EXPECT_TRUE(repaired.out.contains(QLatin1String(done))) << done << '\n'
                                                                << repaired.out.toStdString();
    }
    EXPECT_EQ(after.status, 3);
    EXPECT_EQ(after.out.count('\n'), 2) << after.out.toStdString();
    // Writing its tags put the lagging file where its new artist says.
    EXPECT_EQ(scratch.mediaFiles(),
              QStringList({"Late/Unknown Album/Song lagging.m4a",
                           "Unknown Artist/Unknown Album/Song kept.m4a",
                           "Unknown Artist/Unknown Album/Song lost.m4a",
                           "Unknown Artist/Unknown Album/Song moving.m4a",
                           "Unknown Artist/Unknown Album/untagged.m4a", "elsewhere.m4a"}));
    EXPECT_EQ(test::readTags(media("Late/Unknown Album/Song lagging.m4a")).value("ARTIST"),
              QStringList{"Late"});
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_TRUE(QFile::exists(trash + "/Trash/files/stray.m4a"));
}

TEST_F(LibraryCheck, repairSaysWhyTagsCouldNotBeWritten) {
    QString file;
    {
        const auto library = scratch.open();
        ASSERT_TRUE(library);
        const auto tracks = library->convert({wav("lagging")});
        ASSERT_EQ(tracks.size(), 1);
        ASSERT_TRUE(library->flush());
        file = tracks[0]->filePath();
    }
    ASSERT_TRUE(sql("UPDATE tracks SET name = 'Song', tags_dirty = 1"));
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("no longer audio") > 0);
    damaged.close();

    const ToolRun repaired = runTool({"check", "--repair"});

    EXPECT_EQ(repaired.status, 3);
    EXPECT_TRUE(repaired.out.contains(QRegularExpression("Could not write the tags of track 1 "
                                                         "into Media/.*: TagLib cannot open")))
        << repaired.out.toStdString();
}

// Before sources were recorded, a crash between encoding and recording left
// an orphaned file, and the rerun a second, untagged track beside the
// tagged one. Repair upgrades such a library and leaves one track, which
// the next import of the same file then finds.
TEST_F(LibraryCheck, repairMendsALibraryFromBeforeSourcesWereRecorded) {
    const QString hash = "0123456789abcdef0123456789abcdef";
    const QString orphan = "fedcba9876543210fedcba9876543210";
    {
        // As then: no tags written, so the files stay where that library
        // kept them.
        LibraryOptions options;
        options.writeTags = false;
        const auto library = scratch.open(options);
        ASSERT_TRUE(library);
        ASSERT_TRUE(library->setSoundCheck(false));
        ASSERT_EQ(library->convert({wav(hash), wav(orphan)}).size(), 2);
    }
    ASSERT_TRUE(QFile::copy(media(hash + ".m4a"), media(hash + " 2.m4a")));
    // The identifiers taggers write came later still.
    QStringList taggerColumns;
    for (const QString& column :
         QStringLiteral("musicbrainz_track_id musicbrainz_release_track_id "
                        "musicbrainz_album_id musicbrainz_artist_id "
                        "musicbrainz_album_artist_id musicbrainz_release_group_id "
                        "musicbrainz_work_id acoustid_id isrc label catalog_number barcode "
                        "release_type release_status release_country original_date media "
                        "script language disc_subtitle conductor remixer lyricist arranger "
                        "producer engineer mixer mood copyright")
             .split(u' ')) {
        taggerColumns.append(QStringLiteral("ALTER TABLE tracks DROP COLUMN %1;").arg(column));
    }
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
            "DROP COLUMN album_peak; DROP TRIGGER property_notes_go_with_their_track; "
            "DROP TABLE property_notes;" +
            taggerColumns.join(QString()) + "PRAGMA user_version = 1"));

    const ToolRun old = runTool({"check"});
    const ToolRun repaired = runTool({"check", "--repair"});

    EXPECT_EQ(old.status, 1);
    EXPECT_TRUE(old.err.contains("check --repair upgrades it")) << old.err.toStdString();
    EXPECT_EQ(repaired.status, 0) << repaired.out.toStdString() << repaired.err.toStdString();
    EXPECT_TRUE(repaired.out.contains("Removed track 1 and its file Media/" + hash + ".m4a"))
        << repaired.out.toStdString();
    EXPECT_TRUE(repaired.out.contains("Moved Media/" + orphan + ".m4a to the trash"));
    const auto library = scratch.open();
    ASSERT_TRUE(library);
    const auto again = library->convertFiles({wav(hash)});
    ASSERT_NE(again[0].trackId, 0);
    EXPECT_EQ(again[0].trackId, 3);
    EXPECT_EQ(again[0].how, Conversion::Replaced);
    EXPECT_EQ(library->track(3)->name(), "Song");
    EXPECT_EQ(library->trackCount().valueOr(-1), 1);
    ASSERT_TRUE(library->flush());
    EXPECT_EQ(scratch.mediaFiles(), QStringList{"Unknown Artist/Unknown Album/Song.m4a"});
}

} // namespace
} // namespace decant::library
