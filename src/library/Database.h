#pragma once

#include "library/ImportSettings.h"
#include "library/Sqlite.h"
#include "library/TrackProperty.h"
#include "library/TrackRecord.h"

#include <QList>
#include <QString>

#include <memory>
#include <mutex>
#include <optional>

namespace decant::library {

// A track as the importer hands it over, before it has an id.
struct NewTrack {
    QString file; // relative to the library folder
    QString kind;
    QString name;
    double duration = 0;
    int sampleRate = 0;
    int channels = 0;
    int bitRate = 0;
    qint64 size = 0;
    QDateTime dateAdded;
};

// The library's SQLite database: its schema, its tracks and its settings.
// One connection shared by every thread of the process, each call under one
// lock, so that transactions never interleave.
class Database {
public:
    // The schema this build writes; older databases are migrated on open.
    static constexpr int schemaVersion = 1;

    enum class Access { ReadWrite, ReadOnly };

    // Opens (creating it when allowed) and migrates the database; null, with
    // the reason, when the file is not a database this build can use.
    static std::unique_ptr<Database> open(const QString& path, Access access, QString* error);

    Database(sqlite::Connection connection, Access access);

    // PRAGMA user_version as stored in the file.
    int storedSchemaVersion() const;

    // The stored settings; the defaults for whatever is missing or unusable.
    ImportSettings importSettings() const;
    bool storeImportSettings(const ImportSettings& settings);

    std::optional<qint64> insertTrack(const NewTrack& track);
    // Stores the value (already of the property's kind) and marks the
    // track's tags dirty, in one transaction.
    bool setProperty(qint64 id, const TrackProperty& property, const PropertyValue& value);

    std::optional<TrackRecord> track(qint64 id) const;
    QList<TrackRecord> tracks() const;
    qint64 trackCount() const;
    QList<qint64> tracksWithDirtyTags() const;
    // Records the file's new size and clears the dirty mark, unless a
    // property was set since `dirty` was read.
    bool markTagsWritten(qint64 id, qint64 dirty, qint64 size);

    // Why the last call that failed failed.
    QString lastError() const;

private:
    bool configure(QString* error);
    bool migrate(QString* error);
    bool fail() const;

    mutable std::mutex mutex_;
    sqlite::Connection connection_;
    Access access_;
    mutable QString lastError_;
};

} // namespace decant::library
