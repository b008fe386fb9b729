#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>

namespace decant::library {

// A file being written into the media folder under a hidden name of its own
// (".importing-…"), locked for as long as this object lives, so that an
// open of the library in another process can tell it from one a crash left
// behind. Removed when it goes out of scope, unless it has been given its
// final name.
class PendingFile {
public:
    PendingFile(QString path, int lockedDescriptor);
    // Closing the descriptor also drops the lock.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const QString& path() const { return path_; }
    // Forces the written bytes to disk, so that a renamed file is never
    // left empty by a power cut.
    bool sync() const;
    // The file now lives under another name: nothing to remove. The lock is
    // kept until this object goes.
    void release() { released_ = true; }

private:
    QString path_;
    int descriptor_;
    bool released_ = false;
};

// Whether a process is writing or moving a pending file.
enum class FileUse { Free, InUse, Unknown };

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

private:
    QString path_;
};

// Gives `from` the name `to` in one step. Without `replace`, fails with
// EEXIST in errno when `to` is taken, never replacing it.
bool renameFile(const QString& from, const QString& to, bool replace);

// Makes the folder's entries durable: a rename is only safe from a power cut
// once its folder is synced.
bool syncFolder(const QString& folder);

// Copies the bytes and permissions of `from` into the existing file `to`.
bool copyFileContents(const QString& from, const QString& to);

// Moves the file to the desktop's trash, as file managers do; false, with
// the system's reason, when it cannot go there.
bool moveToTrash(const QString& path, QString* error);

// A stem usable as a file name: not empty, no longer than file systems take.
QString usableStem(const QString& name);

// What an errno value from a file operation means for the library: "the
// disk is full", "the file system is mounted read-only", ...
QString describeFileError(int error);

} // namespace decant::library
