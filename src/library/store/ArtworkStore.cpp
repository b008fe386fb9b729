#include "library/store/ArtworkStore.h"

#include "library/store/Database.h"
#include "library/store/Statement.h"

namespace decant::library {

using sqlite::Connection;
using sqlite::Statement;

Status forgetUnusedArtwork(Connection& connection, const QString& digest) {
    if (digest.isEmpty()) {
        return {};
    }
    Statement forget(connection, "DELETE FROM artwork WHERE digest = :digest AND NOT EXISTS "
                                 "(SELECT 1 FROM tracks WHERE artwork = :digest)");
    forget.bind(":digest", digest);
    return forget.run();
}

ArtworkStore::ArtworkStore(Database& database)
    : database_(database) {}

Result<PropertyChange> ArtworkStore::setArtwork(qint64 id, const Artwork& artwork) {
    return database_.write(
        Database::Commit::Normal, [&](Connection& connection) -> Result<PropertyChange> {
            Statement current(connection, "SELECT artwork FROM tracks WHERE id = :id");
            current.bind(":id", id);
            const auto replaced =
                current.firstRow([](const Statement& row) { return row.text(0); });
            if (!replaced) {
                return replaced.error();
            }
            if (!*replaced) {
                return PropertyChange::Unchanged; // the track is gone
            }
            Statement clearNote(connection, "UPDATE tracks SET artwork_note = NULL WHERE id = :id");
            clearNote.bind(":id", id);
            if (Status cleared = clearNote.run(); !cleared) {
                return cleared.error();
            }
            if (**replaced == artwork.digest) {
                return PropertyChange::Unchanged;
            }
            Statement store(connection,
                            "INSERT OR IGNORE INTO artwork (digest, data) VALUES (:digest, :data)");
            store.bind(":digest", artwork.digest).bindBlob(":data", artwork.data);
            Statement update(connection, "UPDATE tracks SET artwork = :digest, "
                                         "tags_dirty = tags_dirty + 1 WHERE id = :id");
            update.bind(":digest", artwork.digest).bind(":id", id);
            if (Status stored = store.run(); !stored) {
                return stored.error();
            }
            if (Status updated = update.run(); !updated) {
                return updated.error();
            }
            if (Status forgotten = forgetUnusedArtwork(connection, **replaced); !forgotten) {
                return forgotten.error();
            }
            return PropertyChange::Changed;
        });
}

Status ArtworkStore::noteSkippedArtwork(qint64 id, const QString& reason) {
    return database_.write(Database::Commit::Normal, [&](Connection& connection) {
        Statement note(connection, "UPDATE tracks SET artwork_note = :note WHERE id = :id");
        note.bind(":note", reason).bind(":id", id);
        return note.run();
    });
}

Result<std::optional<Artwork>> ArtworkStore::artwork(const QString& digest) const {
    const auto data = database_.read([&](Connection& connection) {
        Statement select(connection, "SELECT data FROM artwork WHERE digest = :digest");
        select.bind(":digest", digest);
        return select.firstRow([](const Statement& row) { return row.blob(0); });
    });
    if (!data) {
        return data.error();
    }
    const auto format = *data ? imageFormatOf(**data) : std::nullopt;
    if (!format) {
        return std::optional<Artwork>();
    }
    return std::optional(Artwork{*format, **data, digest});
}

Result<bool> ArtworkStore::hasArtwork(const QString& digest) const {
    return database_.read([&](Connection& connection) -> Result<bool> {
        Statement select(connection, "SELECT 1 FROM artwork WHERE digest = :digest");
        select.bind(":digest", digest);
        const bool found = select.nextRow();
        if (select.failed()) {
            return select.error();
        }
        return found;
    });
}

} // namespace decant::library
