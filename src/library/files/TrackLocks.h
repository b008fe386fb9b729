#pragma once

#include <QList>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

namespace decant::library {

// One writer per track: whoever moves a track's file, rewrites its tags,
// replaces its encoding or removes it holds the track's lock from reading
// its record to recording what was done, so that nobody renames a file
// over a path the track no longer has. Among the threads of a process, a
// set of held ids; among processes, byte <id> of the library's lock file,
// locked with an open file description lock (fcntl F_OFD_SETLKW), which the
// kernel drops when its holder dies. On a file system without such locks,
// only the threads of one process are kept apart.
//
// Deadlock-free as long as no holder waits for a lock while holding one of
// a higher id: `lock` takes a set of ids in ascending order.
class TrackLocks {
public:
    // The lock file is created when missing, unless `readOnly`: a reader
    // only asks whether a lock is held.
    TrackLocks(const QString& lockFile, bool readOnly);
    ~TrackLocks();
    TrackLocks(const TrackLocks&) = delete;
    TrackLocks& operator=(const TrackLocks&) = delete;

    // Locks held together, released when it goes.
    class Held {
    public:
        Held() = default;
        Held(Held&& other) noexcept;
        Held& operator=(Held&& other) noexcept;
        ~Held();

    private:
        friend class TrackLocks;
        Held(TrackLocks* locks, std::vector<qint64> ids);
        void release();

        TrackLocks* locks_ = nullptr;
        std::vector<qint64> ids_;
    };

    // Blocks until every one of the tracks' locks is held, taking them in
    // ascending order of ids. Any thread.
    Held lock(const QList<qint64>& ids);
    // The track's lock, when no one else holds it; nothing at once when
    // someone does.
    std::optional<Held> tryLock(qint64 id);
    // Whether a thread of this process or another process holds the lock.
    bool isHeld(qint64 id) const;

private:
    // The byte's lock in the file; false when another process holds it
    // (only when not waiting).
    bool lockByte(qint64 id, bool wait) const;
    void unlockByte(qint64 id) const;
    void release(const std::vector<qint64>& ids);

    int descriptor_ = -1;
    mutable std::mutex mutex_;
    std::condition_variable freed_;
    std::set<qint64> held_; // by this process's threads
};

} // namespace decant::library
