#pragma once

#include <QString>

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

} // namespace decant::library
