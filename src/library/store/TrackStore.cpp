#include "library/store/TrackStore.h"

#include "library/store/ArtworkStore.h"
#include "library/store/Database.h"
#include "library/store/TrackRows.h"

#include <QCoreApplication>
#include <sqlite3.h>

namespace decant::library {
namespace {

using sqlite::Connection;
using sqlite::Statement;

QString extensionOf(const QString& file) {
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot > file.lastIndexOf(u'/') + 1 ? file.mid(dot) : QString();
}

// The track another process recorded from the same source and audio since
// this one looked.
Result<Recording> heldTrack(Connection& connection, const NewTrack& track) {
    Statement held(connection,
                   "SELECT id, file FROM tracks WHERE source = :source AND audio_md5 = :audio_md5");
    held.bind(":source", track.source).bind(":audio_md5", track.audioDigest);
    const auto recording = held.firstRow([](const Statement& row) {
        return Recording{row.integer(0), row.text(1), {}, true};
    });
    if (!recording) {
        return recording.error();
    }
    if (!*recording) {
        return Error{Error::Kind::Other,
                     QCoreApplication::translate("decant::Library",
                                                 "another track holds the same source and audio")};
    }
    return **recording;
}

Status recordMove(Connection& connection, qint64 id, const QString& pending,
                  const QString& replaced) {
    Statement move(connection, "INSERT INTO file_moves (track_id, pending, replaced) "
                               "VALUES (:id, :pending, nullif(:replaced, ''))");
    move.bind(":id", id).bind(":pending", pending).bind(":replaced", replaced);
    return move.run();
}

// The name a replacement's file takes: the old one when the extension stays.
Result<QString> replacementName(Connection& connection, const QString& replaced,
                                const QString& wanted, const NameIsFree& isFree) {
    const QString extension = extensionOf(wanted);
    if (extensionOf(replaced) == extension) {
        return replaced;
    }
    const QString stem = replaced.left(replaced.size() - extensionOf(replaced).size());
    const auto free = freeName(connection, stem + extension, isFree);
    if (!free) {
        return free.error();
    }
    if (!*free) {
        return everyNameTaken(stem + extension);
    }
    return **free;
}

} // namespace

TrackStore::TrackStore(Database& database)
    : database_(database) {}

Result<std::optional<TrackRecord>> TrackStore::trackFromSource(const QString& source,
                                                               const QString& digest) const {
    static const QByteArray sql =
        selectTracksSql(" WHERE source = :source AND (audio_md5 = :audio_md5 OR audio_md5 IS NULL)"
                        " ORDER BY audio_md5 IS NULL, id LIMIT 1");
    return database_.read([&](Connection& connection) {
        Statement select(connection, sql.constData());
        select.bind(":source", source).bind(":audio_md5", digest);
        return select.firstRow(recordFromRow);
    });
}

Result<Recording> TrackStore::recordNewTrack(const NewTrack& track, const QString& pending,
                                             const NameIsFree& isFree) {
    return database_.write(
        Database::Commit::Synced, [&](Connection& connection) -> Result<Recording> {
            const auto free = freeName(connection, track.file, isFree);
            if (!free) {
                return free.error();
            }
            if (!*free) {
                return everyNameTaken(track.file);
            }
            const QString file = **free;
            // The encoded file lacks the provenance tag, and the tags a
            // loudness gives, until the tag writer writes them.
            Statement insert(
                connection,
                "INSERT INTO tracks (file, kind, duration, sample_rate, channels, "
                "bit_rate, size, audio_md5, encoder, encoder_bit_rate, name, "
                "date_added, source, tags_dirty, source_format, verified, verified_md5, "
                "verified_at, loudness, peak) "
                "VALUES (:file, :kind, :duration, :sample_rate, :channels, :bit_rate, "
                ":size, :audio_md5, :encoder, :encoder_bit_rate, :name, :date_added, "
                ":source, 1, :source_format, :verified, "
                ":verified_md5, :verified_at, :loudness, :peak)");
            bindEncoding(insert, file, track);
            insert.bind(":name", track.name)
                .bind(":date_added", track.dateAdded.toUTC().toString(Qt::ISODateWithMs))
                .bind(":source", track.source);
            if (Status inserted = insert.run(); !inserted) {
                if (insert.failureCode() == SQLITE_CONSTRAINT_UNIQUE) {
                    return heldTrack(connection, track);
                }
                return inserted.error();
            }
            const qint64 id = connection.lastInsertRowId();
            if (Status moved = recordMove(connection, id, pending, {}); !moved) {
                return moved.error();
            }
            return Recording{id, file, {}, false};
        });
}

Result<Recording> TrackStore::recordReplacement(qint64 id, const NewTrack& track,
                                                const QString& pending, const NameIsFree& isFree) {
    return database_.write(
        Database::Commit::Synced, [&](Connection& connection) -> Result<Recording> {
            Statement current(connection, "SELECT file FROM tracks WHERE id = :id");
            current.bind(":id", id);
            const auto replaced =
                current.firstRow([](const Statement& row) { return row.text(0); });
            if (!replaced) {
                return replaced.error();
            }
            if (!*replaced) {
                return Error{Error::Kind::NotFound,
                             QCoreApplication::translate("decant::Library",
                                                         "the track is no longer in the library")};
            }
            const auto file = replacementName(connection, **replaced, track.file, isFree);
            if (!file) {
                return file.error();
            }
            Statement update(
                connection,
                "UPDATE tracks SET file = :file, kind = :kind, duration = :duration, "
                "sample_rate = :sample_rate, channels = :channels, bit_rate = :bit_rate, "
                "size = :size, audio_md5 = :audio_md5, encoder = :encoder, "
                "encoder_bit_rate = :encoder_bit_rate, tags_dirty = tags_dirty + 1, "
                "source_format = :source_format, verified = :verified, "
                "verified_md5 = :verified_md5, verified_at = :verified_at, "
                "peak = CASE WHEN :loudness IS NULL THEN peak ELSE :peak END, "
                "loudness = coalesce(:loudness, loudness) WHERE id = :id");
            bindEncoding(update, *file, track);
            update.bind(":id", id);
            if (Status updated = update.run(); !updated) {
                return updated.error();
            }
            if (Status moved = recordMove(connection, id, pending, **replaced); !moved) {
                return moved.error();
            }
            return Recording{id, *file, **replaced, false};
        });
}

Result<qint64> TrackStore::restoreTrack(const TrackRecord& record,
                                        const std::optional<Artwork>& artwork) {
    static const QByteArray insertSql = insertRecordSql();
    return database_.write(Database::Commit::Synced, [&](Connection& connection) -> Result<qint64> {
        TrackRecord restored = record;
        restored.artwork = artwork ? artwork->digest : QString();
        QString replacedArtwork;
        if (record.id != 0) {
            Statement current(connection, "SELECT artwork FROM tracks WHERE id = :id");
            current.bind(":id", record.id);
            const auto digest = current.firstRow([](const Statement& row) { return row.text(0); });
            if (!digest) {
                return digest.error();
            }
            replacedArtwork = digest->value_or(QString());
            Statement move(connection, "DELETE FROM file_moves WHERE track_id = :id");
            Statement track(connection, "DELETE FROM tracks WHERE id = :id");
            move.bind(":id", record.id);
            track.bind(":id", record.id);
            if (Status removed = move.run(); !removed) {
                return removed.error();
            }
            if (Status removed = track.run(); !removed) {
                return removed.error();
            }
        }
        if (artwork) {
            Statement store(connection,
                            "INSERT OR IGNORE INTO artwork (digest, data) VALUES (:digest, :data)");
            store.bind(":digest", artwork->digest).bindBlob(":data", artwork->data);
            if (Status stored = store.run(); !stored) {
                return stored.error();
            }
        }
        Statement insert(connection, insertSql.constData());
        bindRecord(insert, restored);
        if (Status inserted = insert.run(); !inserted) {
            return inserted.error();
        }
        const qint64 id = connection.lastInsertRowId();
        if (Status forgotten = forgetUnusedArtwork(connection, replacedArtwork); !forgotten) {
            return forgotten.error();
        }
        return id;
    });
}

Status TrackStore::removeTrack(qint64 id) {
    return database_.write(Database::Commit::Synced, [&](Connection& connection) -> Status {
        Statement artwork(connection, "SELECT artwork FROM tracks WHERE id = :id");
        artwork.bind(":id", id);
        const auto digest = artwork.firstRow([](const Statement& row) { return row.text(0); });
        if (!digest) {
            return digest.error();
        }
        Statement move(connection, "DELETE FROM file_moves WHERE track_id = :id");
        Statement track(connection, "DELETE FROM tracks WHERE id = :id");
        move.bind(":id", id);
        track.bind(":id", id);
        if (Status removed = move.run(); !removed) {
            return removed;
        }
        if (Status removed = track.run(); !removed) {
            return removed;
        }
        return forgetUnusedArtwork(connection, digest->value_or(QString()));
    });
}

Status TrackStore::forgetEncoding(qint64 id) {
    return database_.write(Database::Commit::Synced, [&](Connection& connection) {
        Statement update(
            connection, "UPDATE tracks SET encoder = NULL, encoder_bit_rate = NULL WHERE id = :id");
        update.bind(":id", id);
        return update.run();
    });
}

Result<std::optional<TrackRecord>> TrackStore::track(qint64 id) const {
    static const QByteArray sql = selectTracksSql(" WHERE id = :id");
    return database_.read([&](Connection& connection) {
        Statement select(connection, sql.constData());
        select.bind(":id", id);
        return select.firstRow(recordFromRow);
    });
}

Result<QList<TrackRecord>> TrackStore::tracks() const {
    static const QByteArray sql = selectTracksSql(" ORDER BY id");
    return database_.read([&](Connection& connection) {
        Statement select(connection, sql.constData());
        return select.allRows(recordFromRow);
    });
}

Result<qint64> TrackStore::trackCount() const {
    return database_.read([](Connection& connection) -> Result<qint64> {
        Statement count(connection, "SELECT count(*) FROM tracks");
        if (!count.nextRow()) {
            return count.error();
        }
        return count.integer(0);
    });
}

} // namespace decant::library
