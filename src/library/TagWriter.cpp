#include "library/TagWriter.h"

#include <cassert>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace decant::library {

struct TagWriter::Private {
    using Clock = std::chrono::steady_clock;

    Private(Save save, std::chrono::milliseconds quietPeriod)
        : save(std::move(save))
        , quietPeriod(quietPeriod) {}

    void run();
    // Takes the tracks whose time has come (all of them when flushing or
    // stopping). Called with the lock held.
    std::map<qint64, Clock::time_point> takeDue(Clock::time_point now);

    Save save;
    std::chrono::milliseconds quietPeriod;
    mutable std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::map<qint64, Clock::time_point> pending; // track id -> when to save
    bool saving = false;                         // tracks taken, not yet saved
    int flushes = 0;                             // flush calls waiting
    bool stopping = false;
    quint64 saves = 0;
    std::thread thread; // started last, once everything above exists
};

TagWriter::TagWriter(Save save, std::chrono::milliseconds quietPeriod)
    : d(std::make_unique<Private>(std::move(save), quietPeriod)) {
    d->thread = std::thread([writer = d.get()] { writer->run(); });
}

TagWriter::~TagWriter() {
    {
        std::lock_guard lock(d->mutex);
        d->stopping = true;
    }
    d->wake.notify_all();
    d->thread.join();
}

void TagWriter::schedule(qint64 trackId, bool now) {
    {
        std::lock_guard lock(d->mutex);
        const auto at = Private::Clock::now();
        d->pending[trackId] = now ? at : at + d->quietPeriod;
    }
    d->wake.notify_all();
}

bool TagWriter::flush(std::chrono::milliseconds timeout) {
    std::unique_lock lock(d->mutex);
    ++d->flushes;
    d->wake.notify_all();
    const bool done =
        d->idle.wait_for(lock, timeout, [this] { return d->pending.empty() && !d->saving; });
    --d->flushes;
    return done;
}

quint64 TagWriter::saveCount() const {
    std::lock_guard lock(d->mutex);
    return d->saves;
}

std::map<qint64, TagWriter::Private::Clock::time_point>
TagWriter::Private::takeDue(Clock::time_point now) {
    std::map<qint64, Clock::time_point> due;
    for (auto entry = pending.begin(); entry != pending.end();) {
        if (stopping || flushes > 0 || entry->second <= now) {
            due.insert(pending.extract(entry++));
        } else {
            ++entry;
        }
    }
    return due;
}

// Runs on the writer's own thread.
void TagWriter::Private::run() {
    [[maybe_unused]] const auto writerThread = std::this_thread::get_id();
    std::unique_lock lock(mutex);
    for (;;) {
        const auto due = takeDue(Clock::now());
        if (due.empty()) {
            idle.notify_all();
            if (stopping) {
                return;
            }
            if (pending.empty()) {
                wake.wait(lock);
            } else {
                auto earliest = pending.begin()->second;
                for (const auto& [track, when] : pending) {
                    earliest = std::min(earliest, when);
                }
                wake.wait_until(lock, earliest);
            }
            continue;
        }
        std::vector<qint64> tracks;
        for (const auto& [track, when] : due) {
            tracks.push_back(track);
        }
        saving = true;
        lock.unlock();
        assert(std::this_thread::get_id() == writerThread);
        const quint64 saved = save(tracks);
        lock.lock();
        saves += saved;
        saving = false;
    }
}

} // namespace decant::library
