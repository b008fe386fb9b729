#include "library/files/DatabaseBackups.h"

#include "library/files/FileError.h"
#include "library/files/RenameFile.h"
#include "library/files/SyncFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace decant::library {
namespace {

const auto backupPattern = QStringLiteral("Library-*.sqlite");

} // namespace

DatabaseBackups::DatabaseBackups(QString folder)
    : folder_(std::move(folder)) {}

Result<QString> DatabaseBackups::make(const Database& database, int kept) {
    if (!QDir().mkpath(folder_)) {
        return fileError(
            QCoreApplication::translate("decant::DatabaseBackups", "cannot create %1: %2"),
            folder_);
    }
    // A later time for a name taken already keeps the newest sorting last.
    QDateTime when = QDateTime::currentDateTimeUtc();
    QString name;
    do {
        name = QStringLiteral("Library-%1.sqlite")
                   .arg(when.toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'")));
        when = when.addMSecs(1);
    } while (QFileInfo::exists(QDir(folder_).filePath(name)));
    const QString partial = QDir(folder_).filePath(u'.' + name + QStringLiteral(".partial"));
    const QString backup = QDir(folder_).filePath(name);
    QFile::remove(partial);
    if (Status copied = database.backUpTo(partial); !copied) {
        QFile::remove(partial);
        return copied.error();
    }
    if (!renameFile(partial, backup, false)) {
        const Error error = fileError(
            QCoreApplication::translate("decant::DatabaseBackups", "cannot name the backup %1: %2"),
            backup);
        QFile::remove(partial);
        return error;
    }
    syncFolder(folder_);
    const QStringList backups = newestFirst();
    for (const QString& old : backups.mid(kept)) {
        QFile::remove(old);
    }
    return backup;
}

QStringList DatabaseBackups::newestFirst() const {
    const QDir folder(folder_);
    QStringList paths;
    for (const QString& name : folder.entryList({backupPattern}, QDir::Files, QDir::Name)) {
        paths.prepend(folder.filePath(name));
    }
    return paths;
}

} // namespace decant::library
