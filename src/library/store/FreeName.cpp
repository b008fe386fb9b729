#include "library/store/FreeName.h"

#include "library/store/Statement.h"

#include <QCoreApplication>

namespace decant::library {
namespace {

// Leaves room for " 99999" before the extension within the usual name limit.
constexpr int mostCopies = 100000;

// "Media/song.m4a" as its copy number `copy`: "Media/song 2.m4a".
QString numberedName(const QString& file, int copy) {
    if (copy == 1) {
        return file;
    }
    const qsizetype dot = file.lastIndexOf(u'.');
    const bool hasExtension = dot > file.lastIndexOf(u'/') + 1;
    const QString base = hasExtension ? file.left(dot) : file;
    const QString extension = hasExtension ? file.mid(dot) : QString();
    return QStringLiteral("%1 %2%3").arg(base).arg(copy).arg(extension);
}

Result<bool> nameIsListed(sqlite::Connection& connection, const QString& file) {
    sqlite::Statement listed(connection,
                             "SELECT 1 FROM tracks WHERE file = :file "
                             "UNION ALL SELECT 1 FROM file_moves WHERE pending = :file "
                             "UNION ALL SELECT 1 FROM file_removals WHERE file = :file");
    listed.bind(":file", file);
    const bool found = listed.nextRow();
    if (listed.failed()) {
        return listed.error();
    }
    return found;
}

} // namespace

Result<std::optional<QString>> freeName(sqlite::Connection& connection, const QString& wanted,
                                        const NameIsFree& isFree, const QString& own) {
    for (int copy = 1; copy <= mostCopies; ++copy) {
        const QString name = numberedName(wanted, copy);
        if (name == own) {
            return std::optional(name);
        }
        const auto listed = nameIsListed(connection, name);
        if (!listed) {
            return listed.error();
        }
        if (!*listed && isFree(name)) {
            return std::optional(name);
        }
    }
    return std::optional<QString>();
}

Error everyNameTaken(const QString& wanted) {
    return {Error::Kind::Other,
            QCoreApplication::translate("decant::DatabaseError", "every name like %1 is taken")
                .arg(wanted)};
}

} // namespace decant::library
