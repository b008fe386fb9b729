#pragma once

#include "library/ConversionError.h"
#include "library/Database.h"
#include "library/ImportBatch.h"
#include "library/ImportSettings.h"
#include "library/StepHook.h"
#include "library/Track.h"
#include "library/TrackRecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace decant::library {

struct LibraryOptions {
    // Only read: nothing is created, migrated, converted or tagged.
    bool readOnly = false;
    // Write tags into the media files. A process that only changes settings
    // leaves that to the process that sets properties, so that two writers
    // never rewrite one file at once.
    bool writeTags = true;
    // How long a track must be free of property sets before its file's tags
    // are rewritten.
    std::chrono::milliseconds tagQuietPeriod{200};
    // Files encoded at once; 0 for as many as the machine has processors.
    int parallelConversions = 0;
    // How long to wait for a lock another program holds on the database
    // before saying that it is locked.
    std::chrono::milliseconds busyTimeout = Database::defaultBusyTimeout;
    // See StepHook; empty in production.
    StepHook stepHook;
};

// One file given to convertFiles, and what became of it.
struct ConversionOutcome {
    std::shared_ptr<Track> track; // null on failure
    ConversionFailure failure;
    Conversion how = Conversion::Failed;
};

// What removing a track gave.
struct Removal {
    bool removed = false; // the track is gone
    QString file;         // its file, relative to the library folder
    // Why the track is still there, or, when it is gone, why its file could
    // not go to the trash; empty when all went well.
    QString error;
};

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

    // Opens the library in `folder`, creating the folder, its database and
    // its media folder on first use. Unless only reading, it then finishes
    // what an interrupted import left undone, removes the half-written
    // files it left, and starts writing any tags a crash kept from being
    // written. Null, with the reason, on failure.
    static std::shared_ptr<Library> open(const QString& folder, QString* error = nullptr);
    static std::shared_ptr<Library> open(const QString& folder, const LibraryOptions& options,
                                         QString* error = nullptr);

    Library(Key, const QString& folder, const LibraryOptions& options);
    // Writes every pending tag, then closes the database.
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    QString location() const;
    QString databasePath() const;
    QString mediaPath() const;
    int schemaVersion() const;

    ImportSettings importSettings() const;
    // False, with the reason, for settings the encoders cannot use.
    bool setImportSettings(const ImportSettings& settings, QString* error = nullptr);
    // Whether imports measure each track's loudness and write it as Sound
    // Check and ReplayGain tags. On unless turned off.
    bool soundCheck() const;
    bool setSoundCheck(bool on, QString* error = nullptr);

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
    // The same, with one outcome per file, saying why a file failed.
    QList<ConversionOutcome> convertFiles(const QList<QUrl>& files,
                                          const ConversionObserver& observer = {});
    // Asks the convert under way to end soon: the files being encoded are
    // abandoned, leaving nothing behind, and those not begun fail as
    // stopped. When no convert is under way, the next one stops at its
    // start. Any thread; returns at once.
    void stopConverting();

    // What the open mended, for a user to read: one sentence each.
    QStringList openingRepairs() const;
    // Every file below the media folder, hidden ones too, relative to the
    // library folder.
    QStringList mediaFiles() const;
    // Moves recorded and not yet finished (another process is making them).
    QList<FileMove> unfinishedMoves() const;
    // Removes a track, and its file unless `keepFile`. False, with the
    // reason, on failure.
    bool removeTrack(qint64 id, bool keepFile, QString* error);
    // Removes a track and moves its file to the desktop's trash, as file
    // managers do, so that it can be put back. A kill at any moment leaves
    // no track without its file and no file in the trash that a track
    // lists: the next open finishes what was begun.
    Removal trashTrack(qint64 id);
    // Moves every track's file to where its properties say it belongs (see
    // organisedFile), as the tag writer does once it has written a track's
    // tags; one result for each file that was not in its place.
    QList<Relocation> organise();
    // Forgets what the track's file was encoded with, so that the next
    // import of its source encodes it again in place.
    bool forgetEncoding(qint64 id);

    QList<TrackRecord> tracks() const;
    qint64 trackCount() const;
    // A handle on the track with this id, or null.
    std::shared_ptr<Track> track(qint64 id);

    // Writes the track's tags into its file now: through the tag writer when
    // there is one, else on the calling thread. True when its file is up to
    // date.
    bool writeTagsNow(qint64 id);
    // Writes every pending tag now; true when all were written in time.
    bool flush(std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // Media files whose tags have been rewritten since the library opened.
    quint64 tagSaveCount() const;

private:
    friend class Track;

    bool initialise(QString* error);
    bool prepareFolders(QString* error) const;
    void recover();
    void setTrackProperty(qint64 id, const QString& scriptingName, const PropertyValue& value);
    void setTrackArtwork(qint64 id, const QByteArray& image);
    std::optional<Artwork> usableArtwork(const QByteArray& image, QString* reason) const;
    std::optional<TrackRecord> trackRecord(qint64 id) const;
    std::shared_ptr<Track> makeTrack(qint64 id);
    bool stopRequested() const;
    void scheduleTagWrites(const QList<qint64>& ids);
    // Run on the tag writer's thread, or the caller's when there is none.
    quint64 saveTags(const std::vector<qint64>& ids);
    std::optional<qint64> rewriteTags(const QString& path, const TrackRecord& record);
    bool putArtwork(const QString& path, const TrackRecord& record, QString* error) const;
    QList<Relocation> relocate(const QList<TrackRecord>& records);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace decant::library
