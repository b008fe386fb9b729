#include "library/store/PropertyStore.h"

#include "library/store/Database.h"
#include "library/store/Statement.h"
#include "library/store/TrackRows.h"

namespace decant::library {
namespace {

using sqlite::Connection;
using sqlite::Statement;

// Runs an UPDATE that changes the row only when its value differs.
Result<PropertyChange> runChange(Connection& connection, Statement& update) {
    if (Status updated = update.run(); !updated) {
        return updated.error();
    }
    return connection.changes() > 0 ? PropertyChange::Changed : PropertyChange::Unchanged;
}

} // namespace

PropertyStore::PropertyStore(Database& database)
    : database_(database) {}

Result<PropertyChange> PropertyStore::setProperty(qint64 id, const TrackProperty& property,
                                                  const PropertyValue& value) {
    // The column comes from the fixed property table, never from the caller.
    const QByteArray column = '"' + QByteArray(property.column) + '"';
    const QByteArray sql = "UPDATE tracks SET " + column +
                           " = :value, tags_dirty = tags_dirty + 1 WHERE id = :id AND " + column +
                           " IS NOT :value";
    return database_.write(
        Database::Commit::Normal, [&](Connection& connection) -> Result<PropertyChange> {
            Statement forget(connection, "DELETE FROM property_notes WHERE track_id = :id "
                                         "AND property = :property");
            forget.bind(":id", id).bind(":property", QString::fromLatin1(property.scriptingName));
            if (Status forgotten = forget.run(); !forgotten) {
                return forgotten.error();
            }
            Statement update(connection, sql.constData());
            bindValue(update, ":value", value);
            update.bind(":id", id);
            return runChange(connection, update);
        });
}

Status PropertyStore::noteDroppedValue(qint64 id, const TrackProperty& property,
                                       const QString& note) {
    return database_.write(Database::Commit::Normal, [&](Connection& connection) {
        Statement insert(connection,
                         "INSERT OR REPLACE INTO property_notes (track_id, property, note) "
                         "SELECT id, :property, :note FROM tracks WHERE id = :id");
        insert.bind(":id", id)
            .bind(":property", QString::fromLatin1(property.scriptingName))
            .bind(":note", note);
        return insert.run();
    });
}

Result<PropertyChange> PropertyStore::setAlbumLoudness(qint64 id,
                                                       const std::optional<Loudness>& loudness) {
    return database_.write(Database::Commit::Normal, [&](Connection& connection) {
        Statement update(connection, "UPDATE tracks SET album_loudness = :loudness, "
                                     "album_peak = :peak, tags_dirty = tags_dirty + 1 "
                                     "WHERE id = :id AND (album_loudness IS NOT :loudness OR "
                                     "album_peak IS NOT :peak)");
        bindLoudness(update, ":loudness", ":peak", loudness);
        update.bind(":id", id);
        return runChange(connection, update);
    });
}

Result<QList<qint64>> PropertyStore::tracksWithDirtyTags() const {
    return database_.read([](Connection& connection) {
        Statement select(connection, "SELECT id FROM tracks WHERE tags_dirty != 0 ORDER BY id");
        return select.allRows([](const Statement& row) { return row.integer(0); });
    });
}

Status PropertyStore::markTagsWritten(const QList<WrittenTags>& written) {
    return database_.write(Database::Commit::Synced, [&](Connection& connection) -> Status {
        for (const WrittenTags& track : written) {
            Statement update(
                connection, "UPDATE tracks SET "
                            "size = CASE WHEN tags_dirty = :dirty THEN :size ELSE size END, "
                            "tags_dirty = CASE WHEN tags_dirty = :dirty THEN 0 ELSE tags_dirty END "
                            "WHERE id = :id");
            update.bind(":id", track.trackId).bind(":dirty", track.dirty).bind(":size", track.size);
            if (Status updated = update.run(); !updated) {
                return updated;
            }
        }
        return {};
    });
}

} // namespace decant::library
