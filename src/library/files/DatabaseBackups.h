#pragma once

#include "library/model/Result.h"
#include "library/store/Database.h"

#include <QString>
#include <QStringList>

namespace decant::library {

// The copies of a library's database kept in its backups folder, named
// after the time they were made ("Library-20240501T100000.250Z.sqlite"),
// so that the newest sorts last.
class DatabaseBackups {
public:
    explicit DatabaseBackups(QString folder);

    const QString& folder() const { return folder_; }

    // Copies the database into a new backup (see Database::backUpTo) under
    // a hidden name, renamed into place only once it is complete and
    // synced, then removes all but the newest `kept`. The new backup's
    // path, or why there is none.
    Result<QString> make(const Database& database, int kept);

    // Every backup, newest first, as absolute paths.
    QStringList newestFirst() const;

private:
    QString folder_;
};

} // namespace decant::library
