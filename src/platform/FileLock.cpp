#include "platform/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace decant {
namespace {

// A name removed and made again while we opened and locked it is rare;
// a few tries are plenty.
constexpr int attempts = 8;

int openForLocking(const QByteArray& path, FileLock::Kind kind) {
    const int flags = kind == FileLock::Kind::File
                          ? O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC
                          : O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int descriptor = -1;
    do {
        descriptor = ::open(path.constData(), flags, 0600);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

// Whether the name still leads to the file the descriptor holds.
bool nameLeadsTo(const QByteArray& path, int descriptor) {
    struct stat held {};
    struct stat named {};
    return fstat(descriptor, &held) == 0 && lstat(path.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

FileLock FileLock::tryLock(const QByteArray& path, Kind kind) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const int descriptor = openForLocking(path, kind);
        if (descriptor < 0) {
            return {Outcome::Failed, path, -1};
        }
        int locked = -1;
        do {
            locked = flock(descriptor, LOCK_EX | LOCK_NB);
        } while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(descriptor);
            return {busy ? Outcome::Busy : Outcome::Failed, path, -1};
        }
        if (nameLeadsTo(path, descriptor)) {
            return {Outcome::Held, path, descriptor};
        }
        // Its holder removed it before letting go: a file is made afresh,
        // a folder is gone for good.
        ::close(descriptor);
        if (kind == Kind::Folder) {
            break;
        }
    }
    return {Outcome::Failed, path, -1};
}

FileLock::FileLock(Outcome outcome, QByteArray path, int descriptor)
    : outcome_(outcome)
    , path_(std::move(path))
    , descriptor_(descriptor) {}

FileLock::FileLock(FileLock&& other) noexcept
    : outcome_(std::exchange(other.outcome_, Outcome::Failed))
    , path_(std::move(other.path_))
    , descriptor_(std::exchange(other.descriptor_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        outcome_ = std::exchange(other.outcome_, Outcome::Failed);
        path_ = std::move(other.path_);
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

FileLock::~FileLock() {
    release();
}

void FileLock::release() {
    if (descriptor_ >= 0) {
        // Closing the only descriptor of the open file lets go of the lock.
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (outcome_ == Outcome::Held) {
        outcome_ = Outcome::Failed;
    }
}

void FileLock::removeAndRelease() {
    if (isHeld()) {
        ::unlink(path_.constData());
    }
    release();
}

} // namespace decant
