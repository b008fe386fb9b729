#include "library/TagWriter.h"

#include <cassert>

namespace decant::library {

TagWriter::TagWriter(Save save, std::chrono::milliseconds quietPeriod)
    : save_(std::move(save))
    , quietPeriod_(quietPeriod)
    , thread_([this] { run(); }) {}

TagWriter::~TagWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void TagWriter::schedule(qint64 trackId, bool now) {
    {
        std::lock_guard lock(mutex_);
        pending_[trackId] = now ? Clock::now() : Clock::now() + quietPeriod_;
    }
    wake_.notify_all();
}

bool TagWriter::flush(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    ++flushes_;
    wake_.notify_all();
    const bool done =
        idle_.wait_for(lock, timeout, [this] { return pending_.empty() && !saving_; });
    --flushes_;
    return done;
}

quint64 TagWriter::saveCount() const {
    std::lock_guard lock(mutex_);
    return saves_;
}

std::map<qint64, TagWriter::Clock::time_point> TagWriter::takeDue(Clock::time_point now) {
    std::map<qint64, Clock::time_point> due;
    for (auto entry = pending_.begin(); entry != pending_.end();) {
        if (stopping_ || flushes_ > 0 || entry->second <= now) {
            due.insert(pending_.extract(entry++));
        } else {
            ++entry;
        }
    }
    return due;
}

// Runs on the writer's own thread.
void TagWriter::run() {
    [[maybe_unused]] const auto writerThread = std::this_thread::get_id();
    std::unique_lock lock(mutex_);
    for (;;) {
        const auto due = takeDue(Clock::now());
        if (due.empty()) {
            idle_.notify_all();
            if (stopping_) {
                return;
            }
            if (pending_.empty()) {
                wake_.wait(lock);
            } else {
                auto earliest = pending_.begin()->second;
                for (const auto& [track, when] : pending_) {
                    earliest = std::min(earliest, when);
                }
                wake_.wait_until(lock, earliest);
            }
            continue;
        }
        std::vector<qint64> tracks;
        for (const auto& [track, when] : due) {
            tracks.push_back(track);
        }
        saving_ = true;
        lock.unlock();
        assert(std::this_thread::get_id() == writerThread);
        const quint64 saved = save_(tracks);
        lock.lock();
        saves_ += saved;
        saving_ = false;
    }
}

} // namespace decant::library
