#pragma once

#include <QString>

#include <cassert>
#include <optional>
#include <utility>
#include <variant>

namespace decant::library {

// Why reading or changing the library failed: a kind for callers to branch
// on, and a sentence for a user ("the disk is full"). Made where the failure
// happens and handed back with the call, never kept for someone to ask for
// later: the library's threads share one database connection.
struct Error {
    enum class Kind {
        Busy,         // another program holds the database's lock
        ReadOnly,     // the database or its folder cannot be written
        DiskFull,     // no room left for the database or a media file
        NeedsUpgrade, // an older schema that reading alone cannot migrate
        NewerSchema,  // written by a newer version of Decant
        Corrupt,      // not a database, or a damaged one
        NotFound,     // the library, or the track asked for, is not there
        Other,
    };

    Kind kind = Kind::Other;
    QString message;
};

// A value, or the error that kept it from being made.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value)
        : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error)
        : state_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    T&& operator*() && { return std::move(value()); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    const T& value() const {
        assert(ok());
        return std::get<0>(state_);
    }
    T& value() {
        assert(ok());
        return std::get<0>(state_);
    }
    // The value, or `fallback` for a caller that carries on without it.
    T valueOr(T fallback) const& { return ok() ? std::get<0>(state_) : std::move(fallback); }
    T valueOr(T fallback) && { return ok() ? std::move(std::get<0>(state_)) : std::move(fallback); }

    const Error& error() const {
        assert(!ok());
        return std::get<1>(state_);
    }

private:
    std::variant<T, Error> state_;
};

// Success, or why not.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error)
        : error_(std::move(error)) {}

    bool ok() const { return !error_; }
    explicit operator bool() const { return ok(); }

    const Error& error() const {
        assert(error_);
        return *error_;
    }

private:
    std::optional<Error> error_;
};

using Status = Result<void>;

} // namespace decant::library
