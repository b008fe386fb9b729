#pragma once

#include "library/files/PendingFile.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

namespace decant::library {

// Whether a process is writing or moving a pending file.
// Gone: the file went (a pending file given its final name) while being looked at.
enum class FileUse { Free, InUse, Unknown, Gone };

// The folder the library's media files live in.
class MediaFolder {
public:
    explicit MediaFolder(QString path);

    const QString& path() const { return path_; }

    // Creates a new empty, locked pending file with this extension ("m4a")
    // in `folder`, the media folder or one below it; null, with the reason,
    // on failure.
    std::unique_ptr<PendingFile> createPendingFile(const QString& extension, QString* error,
                                                   const QString& folder = {}) const;

    // Removes the pending files that no living process holds, except those
    // named in `kept` (absolute paths), and those of an unknown state
    // untouched for less than `age`. The files removed, as absolute paths.
    QStringList removeAbandonedFiles(std::chrono::seconds age, const QStringList& kept) const;

    // Every file below the folder, hidden ones too, relative to it.
    QStringList allFiles() const;

    static bool isPendingName(const QString& fileName);
    static FileUse fileUse(const QString& path);
    // A pending file that no living process is writing: a crash's leftover.
    static bool isLeftover(const QString& path);

private:
    QString path_;
};

} // namespace decant::library
