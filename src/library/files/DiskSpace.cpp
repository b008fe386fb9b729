#include "library/files/DiskSpace.h"

#include <QCoreApplication>
#include <QFile>

#include <array>
#include <sys/statvfs.h>

namespace decant::library {
namespace {

// "800 MB", "1.2 GB": one decimal while it says something.
QString byteCount(quint64 bytes) {
    if (bytes < 1000) {
        return QCoreApplication::translate("decant::DiskSpace", "%1 bytes").arg(bytes);
    }
    static constexpr std::array units{"kB", "MB", "GB", "TB", "PB", "EB"};
    double value = double(bytes) / 1000;
    std::size_t unit = 0;
    while (value >= 999.5 && unit + 1 < units.size()) {
        value /= 1000;
        ++unit;
    }
    return QStringLiteral("%1 %2")
        .arg(value, 0, 'f', value < 9.95 ? 1 : 0)
        .arg(QLatin1String(units[unit]));
}

} // namespace

Error withDiskSpace(Error error, const QString& folder) {
    if (error.kind != Error::Kind::DiskFull) {
        return error;
    }
    struct statvfs disk {};
    if (statvfs(QFile::encodeName(folder).constData(), &disk) != 0) {
        error.message =
            QCoreApplication::translate("decant::DiskSpace", "the library's disk is full");
        return error;
    }
    // What an unprivileged writer may use, as the library writes.
    const quint64 free = quint64(disk.f_bavail) * disk.f_frsize;
    const quint64 size = quint64(disk.f_blocks) * disk.f_frsize;
    error.message = QCoreApplication::translate("decant::DiskSpace",
                                                "the library's disk is full: %1 free of %2")
                        .arg(byteCount(free), byteCount(size));
    return error;
}

} // namespace decant::library
