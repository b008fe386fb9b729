#include "library/files/TrackLocks.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace decant::library {
namespace {

struct flock byteRange(qint64 id, short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = off_t(id);
    range.l_len = 1;
    return range; // l_pid must be 0 for open file description locks
}

} // namespace

TrackLocks::TrackLocks(const QString& lockFile, bool readOnly) {
    const int flags = readOnly ? O_RDONLY | O_CLOEXEC : O_RDWR | O_CREAT | O_CLOEXEC;
    descriptor_ = ::open(QFile::encodeName(lockFile).constData(), flags, 0666);
}

TrackLocks::~TrackLocks() {
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

bool TrackLocks::lockByte(qint64 id, bool wait) const {
    if (descriptor_ < 0) {
        return true;
    }
    struct flock range = byteRange(id, F_WRLCK);
    int result;
    while ((result = fcntl(descriptor_, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range)) != 0 &&
           errno == EINTR) {
    }
    // Any failure but another holder's lock means a file system without
    // locks: the threads of this process are still kept apart.
    return result == 0 || (errno != EAGAIN && errno != EACCES);
}

void TrackLocks::unlockByte(qint64 id) const {
    if (descriptor_ >= 0) {
        struct flock range = byteRange(id, F_UNLCK);
        fcntl(descriptor_, F_OFD_SETLK, &range);
    }
}

TrackLocks::Held TrackLocks::lock(const QList<qint64>& ids) {
    std::vector<qint64> sorted(ids.begin(), ids.end());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    for (const qint64 id : sorted) {
        {
            std::unique_lock lock(mutex_);
            freed_.wait(lock, [&] { return !held_.contains(id); });
            held_.insert(id);
        }
        // This thread alone uses the byte now; only another process can
        // make it wait.
        lockByte(id, true);
    }
    return Held(this, std::move(sorted));
}

std::optional<TrackLocks::Held> TrackLocks::tryLock(qint64 id) {
    {
        const std::lock_guard lock(mutex_);
        if (held_.contains(id)) {
            return std::nullopt;
        }
        held_.insert(id);
    }
    if (!lockByte(id, false)) {
        const std::lock_guard lock(mutex_);
        held_.erase(id);
        freed_.notify_all();
        return std::nullopt;
    }
    return Held(this, {id});
}

bool TrackLocks::isHeld(qint64 id) const {
    {
        const std::lock_guard lock(mutex_);
        if (held_.contains(id)) {
            return true;
        }
    }
    if (descriptor_ < 0) {
        return false;
    }
    struct flock range = byteRange(id, F_WRLCK);
    return fcntl(descriptor_, F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
}

void TrackLocks::release(const std::vector<qint64>& ids) {
    for (const qint64 id : ids) {
        unlockByte(id);
    }
    const std::lock_guard lock(mutex_);
    for (const qint64 id : ids) {
        held_.erase(id);
    }
    freed_.notify_all();
}

TrackLocks::Held::Held(TrackLocks* locks, std::vector<qint64> ids)
    : locks_(locks)
    , ids_(std::move(ids)) {}

TrackLocks::Held::Held(Held&& other) noexcept
    : locks_(std::exchange(other.locks_, nullptr))
    , ids_(std::move(other.ids_)) {}

TrackLocks::Held& TrackLocks::Held::operator=(Held&& other) noexcept {
    if (this != &other) {
        release();
        locks_ = std::exchange(other.locks_, nullptr);
        ids_ = std::move(other.ids_);
    }
    return *this;
}

TrackLocks::Held::~Held() {
    release();
}

void TrackLocks::Held::release() {
    if (locks_) {
        locks_->release(ids_);
        locks_ = nullptr;
    }
}

} // namespace decant::library
