#pragma once

// The library's settings: what imports encode with, and whether they
// measure loudness; and how its last backup went.
#include "library/model/ImportSettings.h"
#include "library/model/Result.h"

namespace decant::library {

class Database;

class SettingsStore {
public:
    explicit SettingsStore(Database& database);

    // The stored settings; the defaults for whatever is missing or unusable.
    Result<ImportSettings> importSettings() const;
    Status storeImportSettings(const ImportSettings& settings);
    // Whether imports measure loudness; on unless stored off.
    Result<bool> soundCheck() const;
    Status storeSoundCheck(bool on);
    // Why the last backup of the database could not be made; empty when it
    // was, or none was tried.
    Result<QString> backupFailure() const;
    Status storeBackupFailure(const QString& reason);

private:
    Database& database_;
};

} // namespace decant::library
