#pragma once

#include <mutex>
#include <utility>

namespace decant {

// A value that several threads read and replace whole: a reader gets the old
// value or the new one, never a mix. Qt's implicitly shared types (QString,
// QVariantMap) copy in constant time, so holding the lock for a copy is cheap.
template <typename T> class AtomicProperty {
public:
    AtomicProperty() = default;
    explicit AtomicProperty(T value)
        : value_(std::move(value)) {}

    AtomicProperty(const AtomicProperty&) = delete;
    AtomicProperty& operator=(const AtomicProperty&) = delete;

    T load() const {
        std::lock_guard lock(mutex_);
        return value_;
    }

    void store(T value) {
        std::lock_guard lock(mutex_);
        // The old value is released after the lock, by the temporary's destructor.
        std::swap(value_, value);
    }

private:
    mutable std::mutex mutex_;
    T value_{};
};

} // namespace decant
