#include "library/files/MoveToTrash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace decant::library {

bool moveToTrash(const QString& path, QString* error) {
    // Qt 6.4 takes the current folder for the trash when the user's data
    // folder (~/.local/share) is missing, as on a fresh account, and would
    // leave "files" and "info" folders wherever the program was started.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QFile file(path);
    if (!data.isEmpty() && QDir().mkpath(data) && file.moveToTrash()) {
        return true;
    }
    *error = file.errorString();
    return false;
}

} // namespace decant::library
