#include "library/store/SettingsStore.h"

#include "library/store/Database.h"
#include "library/store/Statement.h"

namespace decant::library {
namespace {

using sqlite::Connection;
using sqlite::Statement;

// The settings as stored, each one used only when the encoders can use it.
ImportSettings usableSettings(const QString& encoder, std::optional<int> bitRate) {
    const ImportSettings fallback =
        defaultSettings(formatNamed(encoder).value_or(ImportFormat::Aac));
    const ImportSettings stored{fallback.format, bitRate.value_or(fallback.bitRate)};
    return settingsProblem(stored) ? fallback : stored;
}

} // namespace

SettingsStore::SettingsStore(Database& database)
    : database_(database) {}

Result<ImportSettings> SettingsStore::importSettings() const {
    return database_.read([](Connection& connection) -> Result<ImportSettings> {
        Statement select(connection, "SELECT key, value FROM settings");
        QString encoder;
        std::optional<int> bitRate;
        while (select.nextRow()) {
            if (select.text(0) == QLatin1String("encoder")) {
                encoder = select.text(1);
            } else if (select.text(0) == QLatin1String("bitrate")) {
                bool valid = false;
                const int value = select.text(1).toInt(&valid);
                bitRate = valid ? std::optional(value) : std::nullopt;
            }
        }
        if (select.failed()) {
            return select.error();
        }
        return usableSettings(encoder, bitRate);
    });
}

Status SettingsStore::storeImportSettings(const ImportSettings& settings) {
    return database_.write(Database::Commit::Synced, [&](Connection& connection) {
        Statement store(
            connection,
            "INSERT OR REPLACE INTO settings (key, value) VALUES ('encoder', :encoder), "
            "('bitrate', :bitrate)");
        store.bind(":encoder", formatName(settings.format))
            .bind(":bitrate", QString::number(settings.bitRate));
        return store.run();
    });
}

Result<bool> SettingsStore::soundCheck() const {
    return database_.read([](Connection& connection) -> Result<bool> {
        Statement select(connection, "SELECT value FROM settings WHERE key = 'soundcheck'");
        const auto value = select.firstRow([](const Statement& row) { return row.text(0); });
        if (!value) {
            return value.error();
        }
        return !*value || **value != QLatin1String("off");
    });
}

Status SettingsStore::storeSoundCheck(bool on) {
    return database_.write(Database::Commit::Synced, [&](Connection& connection) {
        Statement store(connection,
                        "INSERT OR REPLACE INTO settings (key, value) VALUES ('soundcheck', :on)");
        store.bind(":on", on ? QStringLiteral("on") : QStringLiteral("off"));
        return store.run();
    });
}

Result<QString> SettingsStore::backupFailure() const {
    return database_.read([](Connection& connection) -> Result<QString> {
        Statement select(connection, "SELECT value FROM settings WHERE key = 'backup_failure'");
        const auto value = select.firstRow([](const Statement& row) { return row.text(0); });
        if (!value) {
            return value.error();
        }
        return value->value_or(QString());
    });
}

Status SettingsStore::storeBackupFailure(const QString& reason) {
    return database_.write(Database::Commit::Normal, [&](Connection& connection) {
        Statement store(connection, reason.isEmpty()
                                        ? "DELETE FROM settings WHERE key = 'backup_failure' AND "
                                          "length(:reason) = 0"
                                        : "INSERT OR REPLACE INTO settings (key, value) VALUES "
                                          "('backup_failure', :reason)");
        store.bind(":reason", reason);
        return store.run();
    });
}

} // namespace decant::library
