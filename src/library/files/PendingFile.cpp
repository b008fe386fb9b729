#include "library/files/PendingFile.h"

#include <QFile>

#include <unistd.h>

namespace decant::library {

PendingFile::PendingFile(QString path, int lockedDescriptor)
    : path_(std::move(path))
    , descriptor_(lockedDescriptor) {}

PendingFile::~PendingFile() {
    if (!released_) {
        unlink(QFile::encodeName(path_).constData());
    }
    close(descriptor_);
}

bool PendingFile::sync() const {
    // Syncs the file whatever descriptor wrote it: a sync is per file.
    return fsync(descriptor_) == 0;
}

} // namespace decant::library
