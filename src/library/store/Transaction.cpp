#include "library/store/Transaction.h"

namespace decant::library::sqlite {
namespace {

Status begin(Connection& connection, Commit mode) {
    if (mode == Commit::Synced) {
        if (Status synced = connection.execute("PRAGMA synchronous = FULL"); !synced) {
            return synced;
        }
    }
    return connection.execute("BEGIN IMMEDIATE");
}

} // namespace

Transaction::Transaction(Connection& connection, Commit mode)
    : connection_(connection)
    , mode_(mode)
    , began_(begin(connection, mode)) {}

Transaction::~Transaction() {
    if (began_ && !committed_) {
        static_cast<void>(connection_.execute("ROLLBACK"));
    }
    if (mode_ == Commit::Synced) {
        static_cast<void>(connection_.execute("PRAGMA synchronous = NORMAL"));
    }
}

Status Transaction::commit() {
    if (!began_) {
        return began_;
    }
    Status committed = connection_.execute("COMMIT");
    committed_ = committed.ok();
    return committed;
}

} // namespace decant::library::sqlite
