#include "library/store/Error.h"

#include <QCoreApplication>
#include <sqlite3.h>

#include <cstring>

namespace decant::library::sqlite {

Error::Kind errorKind(int resultCode) {
    // Extended codes (SQLITE_IOERR_WRITE...) keep the primary one in the low byte.
    switch (resultCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Error::Kind::Busy;
    case SQLITE_READONLY:
        return Error::Kind::ReadOnly;
    case SQLITE_FULL:
        return Error::Kind::DiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Error::Kind::Corrupt;
    default:
        return Error::Kind::Other;
    }
}

namespace {

QString describe(sqlite3* connection, int code, std::chrono::milliseconds busyTimeout) {
    const QString message = QString::fromUtf8(sqlite3_errmsg(connection));
    const int systemError = sqlite3_system_errno(connection);
    const QString cause =
        systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError)) : message;
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QCoreApplication::translate(
                   "decant::DatabaseError",
                   "the database is locked by another program (still busy after %1 s)")
            .arg(double(busyTimeout.count()) / 1000, 0, 'g', 3);
    case SQLITE_READONLY:
        return QCoreApplication::translate("decant::DatabaseError",
                                           "the database cannot be written (%1)")
            .arg(cause);
    case SQLITE_FULL:
        return QCoreApplication::translate("decant::DatabaseError", "the disk is full");
    case SQLITE_CANTOPEN:
        return QCoreApplication::translate("decant::DatabaseError",
                                           "the database file cannot be opened (%1)")
            .arg(cause);
    case SQLITE_IOERR:
        return QCoreApplication::translate("decant::DatabaseError",
                                           "the database could not be read or written (%1)")
            .arg(cause);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QCoreApplication::translate(
                   "decant::DatabaseError",
                   "the library's database is damaged (%1); decant-library check "
                   "--repair mends it")
            .arg(message);
    default:
        return message;
    }
}

} // namespace

Error lastError(sqlite3* connection, std::chrono::milliseconds busyTimeout) {
    const int code = sqlite3_extended_errcode(connection);
    return {errorKind(code), describe(connection, code, busyTimeout)};
}

} // namespace decant::library::sqlite
