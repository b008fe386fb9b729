#pragma once

// A write transaction that rolls back unless committed.
#include "library/model/Result.h"
#include "library/store/Connection.h"

namespace decant::library::sqlite {

// How far a commit must reach before it returns.
enum class Commit {
    // Survives a crash of the process, which costs no sync (synchronous =
    // NORMAL under write-ahead logging).
    Normal,
    // Synced to disk, so that it survives a power cut too (FULL).
    Synced,
};

// Taken at once (BEGIN IMMEDIATE), so that it never has to upgrade a read
// lock while another connection writes. Rolled back when it goes out of
// scope uncommitted. A synced transaction sets synchronous = FULL before it
// begins (SQLite reads the setting as a transaction commits, and refuses to
// change it inside one) and NORMAL again once it is over.
class Transaction {
public:
    Transaction(Connection& connection, Commit commit);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Whether the transaction began, or why not.
    const Status& began() const { return began_; }
    Status commit();

private:
    Connection& connection_;
    Commit mode_;
    Status began_;
    bool committed_ = false;
};

} // namespace decant::library::sqlite
