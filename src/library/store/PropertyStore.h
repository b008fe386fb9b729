#pragma once

// What a track is told after it is recorded: its properties and album
// loudness, and the dirty mark that says its file's tags lag behind them.
#include "library/model/Loudness.h"
#include "library/model/Result.h"
#include "library/model/TrackProperty.h"

#include <QList>

#include <optional>

namespace decant::library {

class Database;

enum class PropertyChange { Unchanged, Changed };

// One track whose tags have been written into its file.
struct WrittenTags {
    qint64 trackId = 0;
    qint64 dirty = 0; // the mark the writer read
    qint64 size = 0;  // the file's new size
};

class PropertyStore {
public:
    explicit PropertyStore(Database& database);

    // Stores the value (already of the property's kind) and marks the
    // track's tags dirty, unless the track has that value already; forgets
    // the note of a value dropped before. Not synced: it survives the
    // process, and the writer's synced commit carries it through a power
    // cut.
    Result<PropertyChange> setProperty(qint64 id, const TrackProperty& property,
                                       const PropertyValue& value);
    // Records why a value given for the track's property was dropped.
    Status noteDroppedValue(qint64 id, const TrackProperty& property, const QString& note);
    // Stores the track's album loudness and marks its tags dirty, unless it
    // has that value already.
    Result<PropertyChange> setAlbumLoudness(qint64 id, const std::optional<Loudness>& loudness);

    Result<QList<qint64>> tracksWithDirtyTags() const;
    // Records each file's new size and clears its dirty mark, unless a
    // property was set since the mark was read; one synced transaction.
    Status markTagsWritten(const QList<WrittenTags>& written);

private:
    Database& database_;
};

} // namespace decant::library
