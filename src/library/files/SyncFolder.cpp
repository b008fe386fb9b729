#include "library/files/SyncFolder.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace decant::library {

bool syncFolder(const QString& folder) {
    const int descriptor =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = fsync(descriptor) == 0;
    close(descriptor);
    return synced;
}

} // namespace decant::library
