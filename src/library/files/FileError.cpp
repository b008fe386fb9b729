#include "library/files/FileError.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace decant::library {

QString describeFileError(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QCoreApplication::translate("decant::FileError", "the disk is full");
    case EROFS:
        return QCoreApplication::translate("decant::FileError",
                                           "the file system is mounted read-only");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("decant::FileError", "this user may not write there");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

Error::Kind kindOfFileError(int error) {
    switch (error) {
    case EROFS:
    case EACCES:
    case EPERM:
        return Error::Kind::ReadOnly;
    case ENOSPC:
    case EDQUOT:
        return Error::Kind::DiskFull;
    default:
        return Error::Kind::Other;
    }
}

Error fileError(const QString& sentence, const QString& file) {
    const int error = errno;
    return {kindOfFileError(error), sentence.arg(file, describeFileError(error))};
}

} // namespace decant::library
