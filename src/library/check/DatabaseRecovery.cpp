#include "library/check/DatabaseRecovery.h"

#include "library/Library.h"
#include "library/files/CopyFileContents.h"
#include "library/files/DatabaseBackups.h"
#include "library/files/FileError.h"
#include "library/files/MediaFolder.h"
#include "library/files/RenameFile.h"
#include "library/files/SyncFolder.h"
#include "library/store/Database.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <unistd.h>

namespace decant::library {
namespace {

using State = DatabaseInspection::State;

// SQLite keeps a database's log and shared memory beside it under these.
const QStringList companions{QString(), QStringLiteral("-wal"), QStringLiteral("-shm")};

qsizetype mediaFileCount(const QString& folder) {
    qsizetype count = 0;
    for (const QString& file : MediaFolder(Library::mediaPathIn(folder)).allFiles()) {
        count += MediaFolder::isPendingName(QFileInfo(file).fileName()) ? 0 : 1;
    }
    return count;
}

// The database and its companions renamed "<name>.damaged-<time>", so that
// SQLite still finds the log beside the set-aside file.
Result<QString> setAside(const QString& database) {
    const QString aside =
        database + QStringLiteral(".damaged-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'"));
    for (const QString& suffix : companions) {
        if (QFileInfo::exists(database + suffix) &&
            !renameFile(database + suffix, aside + suffix, false)) {
            return fileError(
                QCoreApplication::translate("decant::DatabaseRecovery", "cannot set %1 aside: %2"),
                database + suffix);
        }
    }
    syncFolder(QFileInfo(database).absolutePath());
    return aside;
}

// A copy of the backup, synced, renamed into place.
Status putInPlace(const QString& backup, const QString& database) {
    const QString partial = database + QStringLiteral(".restoring");
    QFile::remove(partial);
    if (!QFile(partial).open(QIODevice::WriteOnly) || !copyFileContents(backup, partial)) {
        const Error error = fileError(
            QCoreApplication::translate("decant::DatabaseRecovery", "cannot copy %1: %2"), backup);
        QFile::remove(partial);
        return error;
    }
    QFile written(partial);
    if (!written.open(QIODevice::ReadWrite) || fsync(written.handle()) != 0 ||
        !renameFile(partial, database, false)) {
        const Error error = fileError(
            QCoreApplication::translate("decant::DatabaseRecovery", "cannot put %1 in place: %2"),
            database);
        QFile::remove(partial);
        return error;
    }
    syncFolder(QFileInfo(database).absolutePath());
    return {};
}

// The newest backup SQLite's full check finds whole, put in place; nothing
// when there is none. What was passed over is said in `done`.
Result<std::optional<QString>> restoreNewestBackup(const QString& folder, QStringList& done) {
    const QString database = Library::databasePathIn(folder);
    for (const QString& backup : DatabaseBackups(Library::backupsPathIn(folder)).newestFirst()) {
        const QString name = QDir(folder).relativeFilePath(backup);
        const auto found = inspectDatabaseFile(backup, true);
        if (!found || found->state != State::Usable) {
            done.append(QCoreApplication::translate("decant::DatabaseRecovery",
                                                    "Passed over the backup %1: %2.")
                            .arg(name, found
                                           ? QCoreApplication::translate("decant::DatabaseRecovery",
                                                                         "it is damaged too (%1)")
                                                 .arg(found->detail)
                                           : found.error().message));
            continue;
        }
        if (Status restored = putInPlace(backup, database); !restored) {
            return restored.error();
        }
        return std::optional(name);
    }
    return std::optional<QString>();
}

} // namespace

Result<std::optional<LostDatabase>> findLostDatabase(const QString& folder, bool thorough) {
    const auto found = inspectDatabaseFile(Library::databasePathIn(folder), thorough);
    if (!found) {
        return found.error();
    }
    LostDatabase lost{*found, 0};
    switch (found->state) {
    case State::Damaged:
        return std::optional(lost);
    case State::Missing:
    case State::Empty:
        lost.mediaFiles = mediaFileCount(folder);
        return lost.mediaFiles > 0 ? std::optional(lost) : std::nullopt;
    case State::NewerSchema:
    case State::Usable:
        break;
    }
    return std::optional<LostDatabase>();
}

QString describeLostDatabase(const LostDatabase& lost) {
    const QString remedy = QCoreApplication::translate(
        "decant::DatabaseRecovery", "check --repair restores the newest backup, or rebuilds "
                                    "the database from the media files' own tags.");
    switch (lost.found.state) {
    case State::Missing:
        return QCoreApplication::translate(
                   "decant::DatabaseRecovery",
                   "Missing database: Library.sqlite is gone, but the media folder "
                   "holds %1 file(s); %2")
            .arg(lost.mediaFiles)
            .arg(remedy);
    case State::Empty:
        return QCoreApplication::translate(
                   "decant::DatabaseRecovery",
                   "Empty database: Library.sqlite has no bytes, but the media folder "
                   "holds %1 file(s); %2")
            .arg(lost.mediaFiles)
            .arg(remedy);
    default:
        return QCoreApplication::translate(
                   "decant::DatabaseRecovery",
                   "Damaged database: SQLite finds Library.sqlite damaged (%1); %2")
            .arg(lost.found.detail, remedy);
    }
}

Result<DatabaseReplacement> replaceLostDatabase(const QString& folder, const LostDatabase& lost) {
    const QString database = Library::databasePathIn(folder);
    DatabaseReplacement replacement;
    QStringList& done = replacement.done;
    if (lost.found.state != State::Missing) {
        const auto aside = setAside(database);
        if (!aside) {
            return aside.error();
        }
        // Whole sentences: an adjective alone would not agree in every language.
        done.append((lost.found.state == State::Empty
                         ? QCoreApplication::translate("decant::DatabaseRecovery",
                                                       "Set the empty database aside as %1.")
                         : QCoreApplication::translate("decant::DatabaseRecovery",
                                                       "Set the damaged database aside as %1."))
                        .arg(QDir(folder).relativeFilePath(*aside)));
    }
    const auto restored = restoreNewestBackup(folder, done);
    if (!restored) {
        return restored.error();
    }
    if (*restored) {
        done.append(QCoreApplication::translate("decant::DatabaseRecovery",
                                                "Restored the database from the backup %1.")
                        .arg(**restored));
        replacement.restored = true;
        return replacement;
    }
    const auto made =
        Database::open(database, Database::Access::ReadWrite, std::chrono::seconds(5));
    if (!made) {
        return made.error();
    }
    done.append(QCoreApplication::translate(
        "decant::DatabaseRecovery",
        "Found no backup to restore: made a new database, to be filled from "
        "the media files' own tags."));
    return replacement;
}

} // namespace decant::library
