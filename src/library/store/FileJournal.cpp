#include "library/store/FileJournal.h"

#include "library/store/ArtworkStore.h"
#include "library/store/Database.h"
#include "library/store/Statement.h"

#include <QCoreApplication>

namespace decant::library {
namespace {

using sqlite::Connection;
using sqlite::Statement;

constexpr const char* selectMoves =
    "SELECT m.track_id, t.file, m.pending, m.replaced FROM file_moves m "
    "JOIN tracks t ON t.id = m.track_id";

FileMove moveFromRow(const Statement& row) {
    return {row.integer(0), row.text(1), row.text(2), row.text(3)};
}

Status setTrackFile(Connection& connection, qint64 trackId, const QString& file) {
    Statement update(connection, "UPDATE tracks SET file = :file WHERE id = :id");
    update.bind(":file", file).bind(":id", trackId);
    return update.run();
}

// The track's file when it is still `file` and not on its way into place.
Result<bool> fileIsSettled(Connection& connection, const WantedName& name) {
    Statement current(connection,
                      "SELECT 1 FROM tracks WHERE id = :id AND file = :file AND NOT EXISTS "
                      "(SELECT 1 FROM file_moves WHERE track_id = :id)");
    current.bind(":id", name.trackId).bind(":file", name.file);
    const bool settled = current.nextRow();
    if (current.failed()) {
        return current.error();
    }
    return settled;
}

// The move of one track's file to the free name like the one wanted;
// nothing when it stays.
Result<std::optional<FileMove>> recordRelocation(Connection& connection, const WantedName& name,
                                                 const NameIsFree& isFree) {
    const auto settled = fileIsSettled(connection, name);
    if (!settled) {
        return settled.error();
    }
    if (!*settled) {
        return std::optional<FileMove>();
    }
    const auto file = freeName(connection, name.wanted, isFree, name.file);
    if (!file) {
        return file.error();
    }
    // A track whose every wanted name is taken keeps its own.
    if (!*file || **file == name.file) {
        return std::optional<FileMove>();
    }
    if (Status renamed = setTrackFile(connection, name.trackId, **file); !renamed) {
        return renamed.error();
    }
    Statement move(connection, "INSERT INTO file_moves (track_id, pending) VALUES (:id, :pending)");
    move.bind(":id", name.trackId).bind(":pending", name.file);
    if (Status recorded = move.run(); !recorded) {
        return recorded.error();
    }
    return std::optional(FileMove{name.trackId, **file, name.file, {}});
}

} // namespace

FileJournal::FileJournal(Database& database)
    : database_(database) {}

Result<QList<FileMove>> FileJournal::fileMoves() const {
    static const QByteArray sql = QByteArray(selectMoves) + " ORDER BY m.track_id";
    return database_.read([](Connection& connection) {
        Statement select(connection, sql.constData());
        return select.allRows(moveFromRow);
    });
}

Result<std::optional<FileMove>> FileJournal::fileMove(qint64 trackId) const {
    static const QByteArray sql = QByteArray(selectMoves) + " WHERE m.track_id = :id";
    return database_.read([&](Connection& connection) {
        Statement select(connection, sql.constData());
        select.bind(":id", trackId);
        return select.firstRow(moveFromRow);
    });
}

Result<QString> FileJournal::renameMoveTarget(qint64 trackId, const NameIsFree& isFree) {
    return database_.write(
        Database::Commit::Synced, [&](Connection& connection) -> Result<QString> {
            Statement current(connection, "SELECT file FROM tracks WHERE id = :id");
            current.bind(":id", trackId);
            const auto taken = current.firstRow([](const Statement& row) { return row.text(0); });
            if (!taken) {
                return taken.error();
            }
            if (!*taken) {
                return Error{Error::Kind::NotFound,
                             QCoreApplication::translate("decant::Library",
                                                         "the track is no longer in the library")};
            }
            const auto file = freeName(connection, **taken, isFree);
            if (!file) {
                return file.error();
            }
            if (!*file) {
                return everyNameTaken(**taken);
            }
            if (Status renamed = setTrackFile(connection, trackId, **file); !renamed) {
                return renamed.error();
            }
            return **file;
        });
}

Status FileJournal::finishFileMoves(const QList<qint64>& trackIds) {
    return database_.write(Database::Commit::Normal, [&](Connection& connection) -> Status {
        for (const qint64 trackId : trackIds) {
            Statement remove(connection, "DELETE FROM file_moves WHERE track_id = :id");
            remove.bind(":id", trackId);
            if (Status removed = remove.run(); !removed) {
                return removed;
            }
        }
        return {};
    });
}

Result<QList<FileMove>> FileJournal::recordRelocations(const QList<WantedName>& names,
                                                       const NameIsFree& isFree) {
    return database_.write(Database::Commit::Synced,
                           [&](Connection& connection) -> Result<QList<FileMove>> {
                               QList<FileMove> moves;
                               for (const WantedName& name : names) {
                                   const auto move = recordRelocation(connection, name, isFree);
                                   if (!move) {
                                       return move.error();
                                   }
                                   if (*move) {
                                       moves.append(**move);
                                   }
                               }
                               return moves;
                           });
}

Status FileJournal::undoRelocation(qint64 trackId, const QString& file) {
    return database_.write(Database::Commit::Normal, [&](Connection& connection) -> Status {
        Statement move(connection, "DELETE FROM file_moves WHERE track_id = :id");
        move.bind(":id", trackId);
        if (Status restored = setTrackFile(connection, trackId, file); !restored) {
            return restored;
        }
        return move.run();
    });
}

Result<QString> FileJournal::recordRemoval(qint64 id) {
    return database_.write(
        Database::Commit::Synced, [&](Connection& connection) -> Result<QString> {
            Statement current(connection,
                              "SELECT t.file, t.artwork, m.track_id IS NOT NULL FROM tracks t "
                              "LEFT JOIN file_moves m ON m.track_id = t.id WHERE t.id = :id");
            current.bind(":id", id);
            if (!current.nextRow()) {
                if (current.failed()) {
                    return current.error();
                }
                return Error{
                    Error::Kind::NotFound,
                    QCoreApplication::translate("decant::Library", "there is no track %1").arg(id)};
            }
            if (current.integer(2) != 0) {
                return Error{Error::Kind::Other,
                             QCoreApplication::translate(
                                 "decant::Library",
                                 "track %1 is being imported again; try once that is done")
                                 .arg(id)};
            }
            const QString file = current.text(0);
            const QString artwork = current.text(1);
            Statement track(connection, "DELETE FROM tracks WHERE id = :id");
            track.bind(":id", id);
            if (Status removed = track.run(); !removed) {
                return removed.error();
            }
            Statement removal(connection,
                              "INSERT OR IGNORE INTO file_removals (file) VALUES (:file)");
            removal.bind(":file", file);
            if (Status recorded = removal.run(); !recorded) {
                return recorded.error();
            }
            if (Status forgotten = forgetUnusedArtwork(connection, artwork); !forgotten) {
                return forgotten.error();
            }
            return file;
        });
}

Result<QStringList> FileJournal::fileRemovals() const {
    return database_.read([](Connection& connection) {
        Statement select(connection, "SELECT file FROM file_removals ORDER BY file");
        return select.allRows([](const Statement& row) { return row.text(0); });
    });
}

Result<bool> FileJournal::isListed(const QString& file) const {
    return database_.read([&](Connection& connection) -> Result<bool> {
        Statement select(connection,
                         "SELECT 1 FROM tracks WHERE file = :file UNION ALL "
                         "SELECT 1 FROM file_moves WHERE pending = :file OR replaced = :file "
                         "UNION ALL SELECT 1 FROM file_removals WHERE file = :file");
        select.bind(":file", file);
        const bool listed = select.nextRow();
        if (select.failed()) {
            return select.error();
        }
        return listed;
    });
}

Status FileJournal::finishFileRemoval(const QString& file) {
    return database_.write(Database::Commit::Normal, [&](Connection& connection) {
        Statement remove(connection, "DELETE FROM file_removals WHERE file = :file");
        remove.bind(":file", file);
        return remove.run();
    });
}

} // namespace decant::library
