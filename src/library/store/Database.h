#pragma once

// The library's SQLite database: the one connection the process shares, the
// lock that guards it, and the stores that read and write its tables.
#include "library/model/Result.h"
#include "library/store/Connection.h"
#include "library/store/Transaction.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>

namespace decant::library {

class ArtworkStore;
class FileJournal;
class PropertyStore;
class SettingsStore;
class TrackStore;

// One connection shared by every thread of the process (the hand-off
// thread, the parallel prepare threads, the tag writer), each use under one
// lock, so that transactions never interleave and each failure's reason is
// read before another thread's call can replace it.
class Database {
public:
    using Access = sqlite::Access;
    using Commit = sqlite::Commit;

    // Opens (creating it when allowed) and migrates the database; the reason
    // when the file is not a database this build can use.
    static Result<std::unique_ptr<Database>> open(const QString& path, Access access,
                                                  std::chrono::milliseconds busyTimeout);

    explicit Database(std::unique_ptr<sqlite::Connection> connection);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Asked while waiting for another program's lock: true gives up at once.
    // Set before other threads use the database.
    void setAbandonWait(std::function<bool()> abandon);

    Result<int> storedSchemaVersion() const;
    // Whether a write could start now: the reason while another program
    // holds the write lock past the busy time-out, or when the file cannot
    // be written at all.
    Status canWrite();
    // Copies the database into the new file `destination` (see
    // backUpDatabase).
    Status backUpTo(const QString& destination) const;

    TrackStore& tracks() const { return *tracks_; }
    PropertyStore& properties() const { return *properties_; }
    ArtworkStore& artwork() const { return *artwork_; }
    SettingsStore& settings() const { return *settings_; }
    FileJournal& journal() const { return *journal_; }

    // Runs `work(connection)`, which returns a Result, under the lock.
    template <typename Work>
    auto read(Work&& work) const -> std::invoke_result_t<Work, sqlite::Connection&> {
        const std::lock_guard lock(mutex_);
        return work(*connection_);
    }

    // Runs `work(connection)` under the lock in one write transaction, and
    // commits it when the work succeeds: the work's result, or why the
    // transaction could not begin, the work failed (nothing is kept) or the
    // commit failed.
    template <typename Work>
    auto write(Commit commit, Work&& work) -> std::invoke_result_t<Work, sqlite::Connection&> {
        const std::lock_guard lock(mutex_);
        sqlite::Transaction transaction(*connection_, commit);
        if (!transaction.began()) {
            return transaction.began().error();
        }
        auto result = work(*connection_);
        if (!result) {
            return result;
        }
        if (Status committed = transaction.commit(); !committed) {
            return committed.error();
        }
        return result;
    }

private:
    mutable std::mutex mutex_;
    std::unique_ptr<sqlite::Connection> connection_;
    std::unique_ptr<TrackStore> tracks_;
    std::unique_ptr<PropertyStore> properties_;
    std::unique_ptr<ArtworkStore> artwork_;
    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<FileJournal> journal_;
};

} // namespace decant::library
