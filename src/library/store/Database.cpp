#include "library/store/Database.h"

#include "library/store/ArtworkStore.h"
#include "library/store/DatabaseFile.h"
#include "library/store/FileJournal.h"
#include "library/store/PropertyStore.h"
#include "library/store/Schema.h"
#include "library/store/SettingsStore.h"
#include "library/store/TrackStore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace decant::library {

Result<std::unique_ptr<Database>> Database::open(const QString& path, Access access,
                                                 std::chrono::milliseconds busyTimeout) {
    if (access == Access::ReadOnly && !QFileInfo(path).isFile()) {
        return Error{Error::Kind::NotFound, QCoreApplication::translate("decant::DatabaseError",
                                                                        "no library database at %1")
                                                .arg(path)};
    }
    auto connection = sqlite::Connection::open(path, access, busyTimeout);
    if (!connection) {
        return connection.error();
    }
    if (Status migrated = migrateSchema(**connection); !migrated) {
        return Error{migrated.error().kind,
                     QCoreApplication::translate("decant::DatabaseError", "cannot use %1: %2")
                         .arg(path, migrated.error().message)};
    }
    return std::make_unique<Database>(std::move(*connection));
}

Database::Database(std::unique_ptr<sqlite::Connection> connection)
    : connection_(std::move(connection))
    , tracks_(std::make_unique<TrackStore>(*this))
    , properties_(std::make_unique<PropertyStore>(*this))
    , artwork_(std::make_unique<ArtworkStore>(*this))
    , settings_(std::make_unique<SettingsStore>(*this))
    , journal_(std::make_unique<FileJournal>(*this)) {}

Database::~Database() = default;

void Database::setAbandonWait(std::function<bool()> abandon) {
    connection_->setAbandonWait(std::move(abandon));
}

Result<int> Database::storedSchemaVersion() const {
    return read(
        [](sqlite::Connection& connection) { return library::storedSchemaVersion(connection); });
}

Status Database::canWrite() {
    return read([](sqlite::Connection& connection) {
        const sqlite::Transaction probe(connection, Commit::Normal);
        return probe.began();
    });
}

Status Database::backUpTo(const QString& destination) const {
    return read(
        [&](sqlite::Connection& connection) { return backUpDatabase(connection, destination); });
}

} // namespace decant::library
