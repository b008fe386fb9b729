#pragma once

#include "library/Track.h"
#include "library/model/Artwork.h"
#include "library/model/ConversionOutcome.h"
#include "library/model/FileMove.h"
#include "library/model/ImportSettings.h"
#include "library/model/LibraryOptions.h"
#include "library/model/Relocation.h"
#include "library/model/Removal.h"
#include "library/model/Result.h"
#include "library/model/TrackRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace decant::library {

// Decant's music library: a folder holding a SQLite database and the media
// files it lists. Thread-safe: conversions and property sets come from the
// hand-off thread, the tag writer has a thread of its own.
class Library : public std::enable_shared_from_this<Library> {
    struct Key {
        explicit Key() = default;
    };

public:
    // The folder named by DECANT_LIBRARY, else "Decant Library" in the
    // user's music folder.
    static QString defaultLocation();
    // Where the library in `folder` keeps its database, its media files and
    // the database's backups, before it is opened.
    static QString databasePathIn(const QString& folder);
    static QString mediaPathIn(const QString& folder);
    static QString backupsPathIn(const QString& folder);

    // Opens the library in `folder`, creating the folder, its database and
    // its media folder on first use. Unless only reading, it then finishes
    // what an interrupted import left undone, removes the half-written
    // files it left, and starts writing any tags a crash kept from being
    // written. The reason on failure, whose kind tells a library that is
    // locked, read-only, of an older or newer schema, or missing. A
    // database that is missing or empty while the media folder holds files
    // is never taken for a new library: that is a Corrupt failure, which
    // decant-library check --repair mends by rebuilding it.
    static Result<std::shared_ptr<Library>> open(const QString& folder,
                                                 const LibraryOptions& options = {});

    Library(Key, const QString& folder, const LibraryOptions& options);
    // Writes every pending tag, then closes the database.
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    QString location() const;
    QString databasePath() const;
    QString mediaPath() const;
    // The folder of the database's backups (see backUpIfChanged).
    QString backupsPath() const;
    Result<int> schemaVersion() const;

    Result<ImportSettings> importSettings() const;
    // The reason for settings the encoders cannot use, or that cannot be
    // stored.
    Status setImportSettings(const ImportSettings& settings);
    // Whether imports measure each track's loudness and write it as Sound
    // Check and ReplayGain tags. On unless turned off.
    Result<bool> soundCheck() const;
    Status setSoundCheck(bool on);

    // Converts each local WAV file with the current import settings, as many
    // at once as allowed, and adds the results: the tracks in the order of
    // `files`, each once, without the files that could not be converted.
    // A file whose source (its base name) and audio the library holds
    // already gives that track, encoded again in place when the settings
    // have changed since. Blocks the calling thread, which needs no event
    // loop; one convert runs at a time.
    QList<std::shared_ptr<Track>> convert(const QList<QUrl>& files);
    // Told of each file as it is done, on the thread that finished it.
    using ConversionObserver = std::function<void(qsizetype index, const ConversionOutcome&)>;
    // The same, with one outcome per file, saying which track each file
    // became, or why it failed. `audioDigests`, where not empty, holds for
    // each file the MD5 of its samples as the file stores them, in
    // lower-case hex, proven by the file's writer; for an empty one, or
    // none, the library reads the file to take it. `sampleChecks`, where not
    // empty, holds beside each MD5 the writer's XXH3-128 digest of the same
    // bytes, in lower-case hex, which the proof then compares with instead.
    // `leadIns`, where not empty, holds for each file the WAV file whose
    // audio runs on into it (see EncodeRequest::leadIn), or an empty URL.
    QList<ConversionOutcome> convertFiles(const QList<QUrl>& files,
                                          const ConversionObserver& observer = {},
                                          const QStringList& audioDigests = {},
                                          const QList<QUrl>& leadIns = {},
                                          const QStringList& sampleChecks = {});
    // Asks the convert under way to end soon: the files being encoded are
    // abandoned, leaving nothing behind, and those not begun fail as
    // stopped. When no convert is under way, the next one stops at its
    // start. Any thread; returns at once.
    void stopConverting();
    // Forgets a stop that no convert has seen yet. Any thread.
    void withdrawStopRequest();

    // What the open mended, and what it found to mend but could not, for a
    // user to read: one sentence each.
    QStringList openingRepairs() const;
    QStringList openingFailures() const;
    // Every file below the media folder, hidden ones too, relative to the
    // library folder.
    QStringList mediaFiles() const;
    // Moves recorded and not yet finished (another process is making them).
    Result<QList<FileMove>> unfinishedMoves() const;
    // Those of them that a process which died left: no living process
    // holds their files or their tracks (see FileMoves::isInterrupted).
    Result<QList<FileMove>> interruptedMoves() const;
    // Whether another thread or process holds the track's lock: is moving,
    // rewriting or removing its file.
    bool isTrackBusy(qint64 id) const;
    // Whether a track, a move or a removal names the file (relative to the
    // library folder) now.
    Result<bool> isListed(const QString& file) const;
    // Removes a track, and its file unless `keepFile`.
    Status removeTrack(qint64 id, bool keepFile);
    // Removes a track whose file is missing, as its lock shows it: nothing
    // changes, and the reason says so, when the file is there, or on its
    // way, by then.
    Status removeTrackWithoutFile(qint64 id);
    // Removes a track and moves its file to the desktop's trash, as file
    // managers do, so that it can be put back. A kill at any moment leaves
    // no track without its file and no file in the trash that a track
    // lists: the next open finishes what was begun.
    Removal trashTrack(qint64 id);
    // Moves every track's file to where its properties say it belongs (see
    // organisedFile), as the tag writer does once it has written a track's
    // tags; one result for each file that was not in its place. The reason
    // when the tracks cannot be read.
    Result<QList<Relocation>> organise();
    // Forgets what the track's file was encoded with, so that the next
    // import of its source encodes it again in place.
    Status forgetEncoding(qint64 id);
    // Records a track as its media file's own tags describe it (see
    // readMediaFile), `record.file` naming the file: under the record's id,
    // replacing that track's row, when it has one, else as a new track.
    // The track's id, or why it could not be recorded.
    Result<qint64> restoreTrack(const TrackRecord& record, const std::optional<Artwork>& artwork);

    Result<QList<TrackRecord>> tracks() const;
    // The image stored under a track's artwork digest (TrackRecord::artwork);
    // nothing when there is none.
    Result<std::optional<QByteArray>> artworkImage(const QString& digest) const;
    Result<qint64> trackCount() const;
    // A handle on the track with this id, or null.
    std::shared_ptr<Track> track(qint64 id);

    // Writes the tracks' tags, artwork and provenance into their files now,
    // on the calling thread, and moves each file to where its tags say: what
    // the tag writer does after its quiet period. Why each track whose file
    // is not up to date on disk is not (its tags, or its move, could not be
    // written; a full disk says how full); the others are. Waits while
    // another thread or process writes one of the tracks.
    std::map<qint64, Error> writeTagsNow(const QList<qint64>& ids);
    // The same for one track: success when its file is up to date.
    Status writeTagsNow(qint64 id);
    // Writes every pending tag now; true when all were written in time.
    bool flush(std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // Media files whose tags have been rewritten since the library opened.
    quint64 tagSaveCount() const;

    // Copies the database into the backups folder with SQLite's online
    // backup API, when tracks were added, replaced or given new properties
    // since the last copy this library made, or the last backup failed,
    // keeping the newest three. Run at the end of an import. The new
    // backup's path, empty when nothing changed; the reason when it could
    // not be made, which is also kept for lastBackupFailure.
    Result<QString> backUpIfChanged();
    // The same, whether anything changed or not.
    Result<QString> backUp();
    // Why the last backup could not be made; empty when it was.
    Result<QString> lastBackupFailure() const;

private:
    friend class Track;

    Status initialise();
    Status prepareFolders() const;
    Status refuseToStartOver() const;
    void recover();
    Status setTrackProperty(qint64 id, const QString& scriptingName, const PropertyValue& value);
    Status setTrackArtwork(qint64 id, const QByteArray& image);
    std::optional<Artwork> usableArtwork(const QByteArray& image, QString* reason) const;
    Result<std::optional<TrackRecord>> trackRecord(qint64 id) const;
    std::shared_ptr<Track> makeTrack(qint64 id);
    std::shared_ptr<Track> makeTrack(qint64 id, const QString& name);
    QList<ConversionOutcome> failEveryFile(qsizetype count, const QString& reason,
                                           const ConversionObserver& observer) const;
    bool stopRequested() const;
    void scheduleTagWrites(const QList<qint64>& ids);
    void scheduleLaggingTags();
    // Run on the tag writer's thread, or the caller's when there is none.
    // The files saved, and why each of the others was not.
    struct TagSaves;
    TagSaves saveTags(const std::vector<qint64>& ids);
    Result<qint64> rewriteTags(const TrackRecord& record);
    // Moves the files to where their records say; the caller holds the
    // tracks' locks.
    QList<Relocation> relocate(const QList<TrackRecord>& records);
    // The error as a user should read it: a full disk with the free space of
    // the disk `folder` is on (the library's own folder unless given).
    Error explained(Error error, const QString& folder = {}) const;

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace decant::library
