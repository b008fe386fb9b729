#pragma once

#include "library/Artwork.h"
#include "library/ImportSettings.h"
#include "library/Sqlite.h"
#include "library/TrackProperty.h"
#include "library/TrackRecord.h"

#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace decant::library {

// A track as the importer hands it over, before it has an id.
struct NewTrack {
    QString file; // relative to the library folder: the name it would like
    QString kind;
    QString name;
    double duration = 0;
    int sampleRate = 0;
    int channels = 0;
    int bitRate = 0;
    qint64 size = 0;
    QDateTime dateAdded;
    QString source;      // the base name of the file it was converted from
    QString audioDigest; // the MD5 of that file's audio
    ImportSettings settings;
    QString sourceFormat; // see TrackRecord
    Verification verification;
    // Nothing when not measured; a replacement then keeps what the track had.
    std::optional<Loudness> loudness;
};

// An encoded file on its way to becoming a track's file: the journal entry
// that lets the next open finish a move a crash interrupted.
struct FileMove {
    qint64 trackId = 0;
    QString file;     // the track's file, where the pending file goes
    QString pending;  // the encoded file, under its hidden name
    QString replaced; // removed once the move is done (may be `file`); empty for none
};

// What recording an encoded file gave.
struct Recording {
    qint64 trackId = 0;
    QString file;
    QString replaced; // the file the new one replaces; empty for a new track
    // Another process recorded the same source and audio first: the track
    // is that one, and the encoded file is not needed.
    bool alreadyHeld = false;
};

// A track's file, and the name it should have (see organisedFile).
struct WantedName {
    qint64 trackId = 0;
    QString file;   // as read, relative to the library folder
    QString wanted; // relative to the library folder
};

// One track whose tags have been written into its file.
struct WrittenTags {
    qint64 trackId = 0;
    qint64 dirty = 0; // the mark the writer read
    qint64 size = 0;  // the file's new size
};

enum class PropertyChange { Failed, Unchanged, Changed };

// The library's SQLite database: its schema, its tracks and its settings.
// One connection shared by every thread of the process, each call under one
// lock, so that transactions never interleave.
class Database {
public:
    // The schema this build writes; older databases are migrated on open.
    static constexpr int schemaVersion = 4;
    static constexpr std::chrono::milliseconds defaultBusyTimeout{5000};

    enum class Access { ReadWrite, ReadOnly };

    // True when a file name (relative to the library folder) is free on disk.
    using NameIsFree = std::function<bool(const QString& file)>;

    // Opens (creating it when allowed) and migrates the database; null, with
    // the reason, when the file is not a database this build can use.
    static std::unique_ptr<Database>
    open(const QString& path, Access access, QString* error,
         std::chrono::milliseconds busyTimeout = defaultBusyTimeout);

    Database(sqlite::Connection connection, Access access, std::chrono::milliseconds busyTimeout);

    // Asked while waiting for another program's lock: true gives up at once.
    // Set before other threads use the database.
    void setAbandonWait(std::function<bool()> abandon);

    // PRAGMA user_version as stored in the file.
    int storedSchemaVersion() const;

    // The stored settings; the defaults for whatever is missing or unusable.
    ImportSettings importSettings() const;
    bool storeImportSettings(const ImportSettings& settings);
    // Whether imports measure loudness (see LibraryTool's --sound-check);
    // on unless stored off.
    bool soundCheck() const;
    bool storeSoundCheck(bool on);

    // Whether a write could start now: false, with the reason, while another
    // program holds the write lock past the busy time-out, or when the file
    // cannot be written at all.
    bool canWrite();

    // The track converted from this source with this audio, else one from
    // the same source whose audio was never recorded; nothing when neither.
    std::optional<TrackRecord> trackFromSource(const QString& source, const QString& digest) const;

    // Records a new track under the first free name like `track.file`,
    // together with the move of `pending` into that name, in one synced
    // transaction: from then on a crash loses nothing the next open cannot
    // finish.
    std::optional<Recording> recordNewTrack(const NewTrack& track, const QString& pending,
                                            const NameIsFree& isFree);
    // Records a new encoding of an existing track in the same way: its new
    // file replaces the old one, keeping the name when the extension is the
    // same. The track's properties stay, and its tags are marked dirty.
    std::optional<Recording> recordReplacement(qint64 id, const NewTrack& track,
                                               const QString& pending, const NameIsFree& isFree);
    // The moves recorded and not yet finished.
    QList<FileMove> fileMoves() const;
    std::optional<FileMove> fileMove(qint64 trackId) const;
    // Gives the track another free name when its reserved one was taken on
    // disk before the move.
    std::optional<QString> renameMoveTarget(qint64 trackId, const NameIsFree& isFree);
    // The moves are done. Not synced: a move whose end is lost is finished
    // again by the next open, which finds nothing left to do.
    bool finishFileMoves(const QList<qint64>& trackIds);
    // Records, in one synced transaction, the moves of the tracks' files to
    // the first free names like those wanted, each file's current name as
    // the move's pending file: from then on the journal finishes every move.
    // A track is left out when its file is no longer the one read, is on
    // its way into place, or has the wanted name (or the numbered copy of
    // it that it holds already).
    std::optional<QList<FileMove>> recordRelocations(const QList<WantedName>& names,
                                                     const NameIsFree& isFree);
    // Gives the track its file back and forgets the move to another name,
    // when the file could not be moved.
    bool undoRelocation(qint64 trackId, const QString& file);
    bool removeTrack(qint64 id);
    // Removes the track and records its file as on its way to the trash, in
    // one synced transaction, so that no track lists a file in the trash
    // and a file no track lists is finished off by the next open. The file,
    // or nothing when the track is gone or its file on its way into place.
    std::optional<QString> recordRemoval(qint64 id);
    // Files recorded for the trash and not yet there, or no longer found.
    QStringList fileRemovals() const;
    bool finishFileRemoval(const QString& file);
    // Clears the settings the track's file was encoded with: nothing reuses
    // the file as it is any more.
    bool forgetEncoding(qint64 id);

    // Stores the value (already of the property's kind) and marks the
    // track's tags dirty, in one transaction, unless the track has that
    // value already. Not synced: it survives the process, and the writer's
    // synced commit carries it through a power cut.
    PropertyChange setProperty(qint64 id, const TrackProperty& property,
                               const PropertyValue& value);
    // Gives the track the artwork, stored once for all the tracks that share
    // it, and marks its tags dirty unless it had that artwork already;
    // clears the note of an image skipped before.
    PropertyChange setArtwork(qint64 id, const Artwork& artwork);
    // Records why an image given to the track was skipped.
    bool noteSkippedArtwork(qint64 id, const QString& reason);
    // The image stored under the digest; nothing when there is none.
    std::optional<Artwork> artwork(const QString& digest) const;
    bool hasArtwork(const QString& digest) const;

    // Stores the track's album loudness and marks its tags dirty, unless it
    // has that value already.
    PropertyChange setAlbumLoudness(qint64 id, const std::optional<Loudness>& loudness);

    std::optional<TrackRecord> track(qint64 id) const;
    QList<TrackRecord> tracks() const;
    qint64 trackCount() const;
    QList<qint64> tracksWithDirtyTags() const;
    // Records each file's new size and clears its dirty mark, unless a
    // property was set since the mark was read; one synced transaction.
    bool markTagsWritten(const QList<WrittenTags>& written);

    // Why the last call that failed failed.
    QString lastError() const;

private:
    bool configure(QString* error);
    bool migrate(QString* error);
    bool fail() const;
    QString describeLastFailure() const;
    static int waitWhileBusy(void* database, int attempts);
    // `own` is the name the track holds now: free for it.
    std::optional<QString> freeName(const QString& wanted, const NameIsFree& isFree,
                                    const QString& own = {});
    bool nameIsListed(const QString& file);
    bool forgetUnusedArtwork(const QString& digest);

    mutable std::mutex mutex_;
    sqlite::Connection connection_;
    Access access_;
    std::chrono::milliseconds busyTimeout_;
    std::function<bool()> abandonWait_;
    mutable QString lastError_;
};

} // namespace decant::library
