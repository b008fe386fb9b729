#include "library/store/Schema.h"

#include "library/store/Statement.h"
#include "library/store/Transaction.h"

#include <array>

namespace decant::library {
namespace {

// Each entry takes the schema from its index to the next version. Entries are
// only ever appended: a released migration never changes.
constexpr std::array migrations{
    R"sql(
    CREATE TABLE tracks (
        id INTEGER PRIMARY KEY,
        file TEXT NOT NULL,
        kind TEXT NOT NULL,
        duration REAL NOT NULL,
        sample_rate INTEGER NOT NULL,
        channels INTEGER NOT NULL,
        bit_rate INTEGER NOT NULL,
        size INTEGER NOT NULL,
        date_added TEXT NOT NULL,
        tags_dirty INTEGER NOT NULL DEFAULT 0,
        name TEXT NOT NULL,
        artist TEXT, album_artist TEXT, album TEXT, composer TEXT, genre TEXT,
        comment TEXT, "grouping" TEXT, lyrics TEXT,
        sort_name TEXT, sort_artist TEXT, sort_album TEXT, sort_album_artist TEXT,
        sort_composer TEXT,
        year INTEGER, track_number INTEGER, track_count INTEGER,
        disc_number INTEGER, disc_count INTEGER, bpm INTEGER, compilation INTEGER
    );
    CREATE INDEX tracks_with_dirty_tags ON tracks(id) WHERE tags_dirty != 0;
    CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
    )sql",
    // Where each track came from, so that importing a file again finds its
    // track, and the journal of files on their way into place.
    R"sql(
    ALTER TABLE tracks ADD COLUMN source TEXT;
    ALTER TABLE tracks ADD COLUMN audio_md5 TEXT;
    ALTER TABLE tracks ADD COLUMN encoder TEXT;
    ALTER TABLE tracks ADD COLUMN encoder_bit_rate INTEGER;
    -- Files used to be named after their source, a path hash, with " 2",
    -- " 3"... for copies: that is all an older library tells of its sources.
    UPDATE tracks SET source = substr(file, 7, 32)
        WHERE substr(file, 1, 6) = 'Media/' AND length(file) > 39
          AND substr(file, 39, 1) IN ('.', ' ')
          AND NOT substr(file, 7, 32) GLOB '*[^0-9a-f]*';
    CREATE UNIQUE INDEX tracks_by_source ON tracks(source, audio_md5);
    CREATE INDEX tracks_by_file ON tracks(file);
    CREATE TABLE file_moves (
        track_id INTEGER PRIMARY KEY,
        pending TEXT NOT NULL,
        replaced TEXT
    );
    )sql",
    // Cover art, stored once however many tracks share it, and why the last
    // image given for a track was skipped; the files of removed tracks on
    // their way to the trash.
    R"sql(
    CREATE TABLE artwork (digest TEXT PRIMARY KEY, data BLOB NOT NULL);
    ALTER TABLE tracks ADD COLUMN artwork TEXT;
    ALTER TABLE tracks ADD COLUMN artwork_note TEXT;
    CREATE INDEX tracks_by_artwork ON tracks(artwork) WHERE artwork IS NOT NULL;
    CREATE TABLE file_removals (file TEXT PRIMARY KEY);
    )sql",
    // What decoding each file back proved, and its loudness.
    R"sql(
    ALTER TABLE tracks ADD COLUMN source_format TEXT;
    ALTER TABLE tracks ADD COLUMN verified TEXT;
    ALTER TABLE tracks ADD COLUMN verified_md5 TEXT;
    ALTER TABLE tracks ADD COLUMN verified_at TEXT;
    ALTER TABLE tracks ADD COLUMN loudness REAL;
    ALTER TABLE tracks ADD COLUMN peak REAL;
    ALTER TABLE tracks ADD COLUMN album_loudness REAL;
    ALTER TABLE tracks ADD COLUMN album_peak REAL;
    )sql",
    // Why values given for a track's properties were dropped, one note per
    // property, going with their track.
    R"sql(
    CREATE TABLE property_notes (
        track_id INTEGER NOT NULL,
        property TEXT NOT NULL,
        note TEXT NOT NULL,
        PRIMARY KEY (track_id, property)
    ) WITHOUT ROWID;
    CREATE TRIGGER property_notes_go_with_their_track AFTER DELETE ON tracks
    BEGIN
        DELETE FROM property_notes WHERE track_id = old.id;
    END;
    )sql",
    // The identifiers, credits and release details taggers write.
    R"sql(
    ALTER TABLE tracks ADD COLUMN musicbrainz_track_id TEXT;
    ALTER TABLE tracks ADD COLUMN musicbrainz_release_track_id TEXT;
    ALTER TABLE tracks ADD COLUMN musicbrainz_album_id TEXT;
    ALTER TABLE tracks ADD COLUMN musicbrainz_artist_id TEXT;
    ALTER TABLE tracks ADD COLUMN musicbrainz_album_artist_id TEXT;
    ALTER TABLE tracks ADD COLUMN musicbrainz_release_group_id TEXT;
    ALTER TABLE tracks ADD COLUMN musicbrainz_work_id TEXT;
    ALTER TABLE tracks ADD COLUMN acoustid_id TEXT;
    ALTER TABLE tracks ADD COLUMN isrc TEXT;
    ALTER TABLE tracks ADD COLUMN label TEXT;
    ALTER TABLE tracks ADD COLUMN catalog_number TEXT;
    ALTER TABLE tracks ADD COLUMN barcode TEXT;
    ALTER TABLE tracks ADD COLUMN release_type TEXT;
    ALTER TABLE tracks ADD COLUMN release_status TEXT;
    ALTER TABLE tracks ADD COLUMN release_country TEXT;
    ALTER TABLE tracks ADD COLUMN original_date TEXT;
    ALTER TABLE tracks ADD COLUMN media TEXT;
    ALTER TABLE tracks ADD COLUMN script TEXT;
    ALTER TABLE tracks ADD COLUMN language TEXT;
    ALTER TABLE tracks ADD COLUMN disc_subtitle TEXT;
    ALTER TABLE tracks ADD COLUMN conductor TEXT;
    ALTER TABLE tracks ADD COLUMN remixer TEXT;
    ALTER TABLE tracks ADD COLUMN lyricist TEXT;
    ALTER TABLE tracks ADD COLUMN arranger TEXT;
    ALTER TABLE tracks ADD COLUMN producer TEXT;
    ALTER TABLE tracks ADD COLUMN engineer TEXT;
    ALTER TABLE tracks ADD COLUMN mixer TEXT;
    ALTER TABLE tracks ADD COLUMN mood TEXT;
    ALTER TABLE tracks ADD COLUMN copyright TEXT;
    )sql",
};
static_assert(migrations.size() == currentSchemaVersion);

Status runMigrations(sqlite::Connection& connection, int stored) {
    sqlite::Transaction transaction(connection, sqlite::Commit::Synced);
    if (!transaction.began()) {
        return transaction.began();
    }
    for (int step = stored; step < currentSchemaVersion; ++step) {
        if (Status migrated = connection.execute(migrations[std::size_t(step)]); !migrated) {
            return migrated;
        }
    }
    const QByteArray setVersion =
        "PRAGMA user_version = " + QByteArray::number(currentSchemaVersion);
    if (Status set = connection.execute(setVersion.constData()); !set) {
        return set;
    }
    return transaction.commit();
}

} // namespace

Result<int> storedSchemaVersion(sqlite::Connection& connection) {
    sqlite::Statement version(connection, "PRAGMA user_version");
    if (!version.nextRow()) {
        return version.error();
    }
    return int(version.integer(0));
}

Status migrateSchema(sqlite::Connection& connection) {
    const auto stored = storedSchemaVersion(connection);
    if (!stored) {
        return stored.error();
    }
    if (*stored > currentSchemaVersion) {
        return Error{Error::Kind::NewerSchema,
                     QStringLiteral("its schema version %1 is newer than this program's (%2)")
                         .arg(*stored)
                         .arg(currentSchemaVersion)};
    }
    if (*stored == currentSchemaVersion) {
        return {};
    }
    if (connection.access() == sqlite::Access::ReadOnly) {
        return Error{Error::Kind::NeedsUpgrade,
                     QStringLiteral("its schema version %1 needs upgrading, which reading alone "
                                    "cannot do")
                         .arg(*stored)};
    }
    return runMigrations(connection, *stored);
}

} // namespace decant::library
