#pragma once

#include <QByteArray>

namespace decant {

// An exclusive flock() on a file or a folder, held while the object lives.
// The kernel drops it when the process ends, however it ends (SIGKILL, a
// power cut), so a lock found free belongs to no live process. Two opens
// of one file exclude each other even within one process. The descriptor is
// not inherited by programs the process starts, which would otherwise keep
// the lock after it has gone.
//
// A lock is only taken on the name as it stands: a holder may remove the
// name before it lets go (removeAndRelease), and whoever locked the old
// file meanwhile finds that out and tries the new one, so two holders never
// hold two files under one name.
class FileLock {
public:
    enum class Outcome {
        Held,
        // Another open of it holds the lock: another process, or this one.
        Busy,
        // It cannot be opened or locked, or a folder went while it was locked.
        Failed,
    };
    enum class Kind {
        // Created (mode 0600) when missing.
        File,
        // Must exist; never created.
        Folder,
    };

    // Takes the lock on `path` without waiting. Links are never followed.
    static FileLock tryLock(const QByteArray& path, Kind kind);

    FileLock() = default;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    Outcome outcome() const { return outcome_; }
    bool isHeld() const { return outcome_ == Outcome::Held; }
    const QByteArray& path() const { return path_; }
    // The locked file or folder, while held; -1 otherwise.
    int descriptor() const { return descriptor_; }

    // Lets go of the lock, leaving the file.
    void release();
    // Removes the file, then lets go: for lock files that mean nothing once
    // free. Not for folders.
    void removeAndRelease();

private:
    FileLock(Outcome outcome, QByteArray path, int descriptor);

    Outcome outcome_ = Outcome::Failed;
    QByteArray path_;
    int descriptor_ = -1;
};

} // namespace decant
