#pragma once

#include "library/ConversionError.h"
#include "library/ImportSettings.h"
#include "library/Track.h"
#include "library/TrackRecord.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <chrono>
#include <memory>

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
};

// One file given to convertFiles, and what became of it.
struct ConversionOutcome {
    std::shared_ptr<Track> track; // null on failure
    ConversionFailure failure;
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
    // its media folder on first use, and starts writing any tags a crash
    // kept from being written. Null, with the reason, on failure.
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

    // Converts each local WAV file with the current import settings, as many
    // at once as allowed, and adds the results: the new tracks in the order
    // of `files`, without the files that could not be converted. Blocks the
    // calling thread, which needs no event loop.
    QList<std::shared_ptr<Track>> convert(const QList<QUrl>& files);
    // The same, with one outcome per file, saying why a file failed.
    QList<ConversionOutcome> convertFiles(const QList<QUrl>& files);

    QList<TrackRecord> tracks() const;
    qint64 trackCount() const;
    // A handle on the track with this id, or null.
    std::shared_ptr<Track> track(qint64 id);

    // Writes every pending tag now; true when all were written in time.
    bool flush(std::chrono::milliseconds timeout = std::chrono::seconds(30));
    // Media files whose tags have been rewritten since the library opened.
    quint64 tagSaveCount() const;

private:
    friend class Track;

    bool initialise(QString* error);
    void setTrackProperty(qint64 id, const QString& scriptingName, const PropertyValue& value);
    std::optional<TrackRecord> trackRecord(qint64 id) const;
    // Runs on the tag writer's thread.
    bool saveTags(qint64 id);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace decant::library
