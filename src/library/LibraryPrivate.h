#pragma once

// What a Library holds, shared by the files that implement it; never
// included by users of the library.
#include "library/Library.h"
#include "library/TagWriter.h"
#include "library/files/DatabaseBackups.h"
#include "library/files/FileMoves.h"
#include "library/files/MediaFolder.h"
#include "library/files/TrackLocks.h"
#include "library/import/AlbumLoudness.h"
#include "library/store/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QStringList>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <stop_token>

namespace decant::library {

inline QString mediaFolderName() {
    return QStringLiteral("Media");
}

inline QString lockFileName() {
    return QStringLiteral("Library.lock");
}

inline QString backupsFolderName() {
    return QStringLiteral("Backups");
}

// Backups kept: enough to step back past an import that went wrong.
constexpr int backupsKept = 3;

inline Error readOnlyLibrary() {
    return {Error::Kind::ReadOnly,
            QCoreApplication::translate("decant::Library", "the library is open for reading only")};
}

struct Library::TagSaves {
    quint64 saved = 0;
    std::map<qint64, Error> failures; // why a track's tags are not written
    // Tracks left alone because their file is on its way into place.
    QList<qint64> moving;
};

struct Library::Private {
    Private(const QString& folder, const LibraryOptions& options)
        : folder(QDir(folder).absolutePath())
        , options(options)
        , media(QDir(folder).absoluteFilePath(mediaFolderName()))
        , backups(QDir(folder).absoluteFilePath(backupsFolderName())) {}

    QString folder;
    LibraryOptions options;
    MediaFolder media;
    DatabaseBackups backups;
    std::unique_ptr<Database> database;
    std::unique_ptr<TrackLocks> locks; // one writer per track, across processes
    std::unique_ptr<FileMoves> moves;
    QStringList openingRepairs;
    QStringList openingFailures;
    std::mutex convertMutex; // one batch at a time
    // Tracks added, replaced or given new properties since the last backup.
    std::atomic<bool> changedSinceBackup = false;
    std::atomic<quint64> tagSaves = 0; // files whose tags were rewritten
    mutable std::mutex stopMutex;
    std::stop_source stop; // replaced once a convert has seen its stop
    AlbumLoudness albums;
    // Last, so that it stops (writing what is pending) before the database
    // it reads closes.
    std::unique_ptr<TagWriter> writer;
};

} // namespace decant::library
