#include "queue/RunProgressTracker.h"

#include <algorithm>
#include <cmath>

namespace decant {

void RunProgressTracker::startRun(int total, Clock::time_point now) {
    std::lock_guard lock(mutex_);
    total_ = total;
    decoded_ = 0;
    failed_ = 0;
    running_ = true;
    outcomes_.clear();
    withLibrary_.clear();
    batchOrder_.clear();
    decodingTime_ = {};
    convertingTime_ = {};
    phase_ = Phase::Idle;
    phaseStart_ = now;
}

void RunProgressTracker::startDecoding(Clock::time_point now) {
    std::lock_guard lock(mutex_);
    endPhase(now);
    phase_ = Phase::Decoding;
    phaseStart_ = now;
}

void RunProgressTracker::decodeFinished(bool failed) {
    std::lock_guard lock(mutex_);
    ++decoded_;
    failed_ += failed ? 1 : 0;
}

void RunProgressTracker::startConverting(const QList<QPair<QUrl, QueueEntryPointer>>& files,
                                         Clock::time_point now) {
    std::lock_guard lock(mutex_);
    endPhase(now);
    phase_ = Phase::Converting;
    phaseStart_ = now;
    withLibrary_.clear();
    batchOrder_.clear();
    for (const auto& [file, entry] : files) {
        withLibrary_.insert(file, entry);
        batchOrder_.append(file);
    }
}

bool RunProgressTracker::fileFinished(const QUrl& file, bool converted) {
    std::lock_guard lock(mutex_);
    const QueueEntryPointer entry = withLibrary_.take(file);
    if (!entry) {
        return false;
    }
    recordOutcome(entry, converted);
    return true;
}

void RunProgressTracker::finishConverting(Clock::time_point now) {
    std::lock_guard lock(mutex_);
    // A library that does not report files one by one has still finished
    // with all of them once it has replied.
    for (const QUrl& file : batchOrder_) {
        if (const QueueEntryPointer entry = withLibrary_.take(file)) {
            recordOutcome(entry, entry->status() == QueueEntryStatusDone);
        }
    }
    batchOrder_.clear();
    endPhase(now);
}

void RunProgressTracker::finishRun() {
    std::lock_guard lock(mutex_);
    running_ = false;
    phase_ = Phase::Idle;
}

void RunProgressTracker::recordOutcome(const QueueEntryPointer& entry, bool converted) {
    outcomes_.append({entry, converted});
}

void RunProgressTracker::endPhase(Clock::time_point now) {
    const Clock::duration spent = now - phaseStart_;
    if (phase_ == Phase::Decoding) {
        decodingTime_ += spent;
    } else if (phase_ == Phase::Converting) {
        convertingTime_ += spent;
    }
    phase_ = Phase::Idle;
    phaseStart_ = now;
}

RunProgress RunProgressTracker::progress(Clock::time_point now) const {
    std::lock_guard lock(mutex_);
    RunProgress progress;
    progress.total = total_;
    progress.decoded = decoded_;
    progress.failed = failed_;
    progress.converted = int(outcomes_.size());
    progress.running = running_;
    progress.converting = phase_ == Phase::Converting;
    if (running_) {
        progress.timeLeft = estimateTimeLeft(now);
    }
    return progress;
}

std::optional<std::chrono::seconds>
RunProgressTracker::estimateTimeLeft(Clock::time_point now) const {
    Clock::duration decoding = decodingTime_;
    Clock::duration converting = convertingTime_;
    const Clock::duration current = now - phaseStart_;
    if (phase_ == Phase::Decoding) {
        decoding += current;
    } else if (phase_ == Phase::Converting) {
        converting += current;
    }
    const int converted = int(outcomes_.size());
    const int decodesLeft = total_ - decoded_;
    const int conversionsLeft = std::max(0, total_ - failed_ - converted);
    // Each phase at its own pace: decoding is a small part of a file's time,
    // the library's conversion most of it, and no rate is known before the
    // phase has finished a file.
    if ((decodesLeft > 0 && decoded_ == 0) || (conversionsLeft > 0 && converted == 0)) {
        return std::nullopt;
    }
    using Seconds = std::chrono::duration<double>;
    double left = 0;
    if (decodesLeft > 0) {
        left += Seconds(decoding).count() / decoded_ * decodesLeft;
    }
    if (conversionsLeft > 0) {
        left += Seconds(converting).count() / converted * conversionsLeft;
    }
    return std::chrono::seconds(std::llround(left));
}

QList<LibraryOutcome> RunProgressTracker::libraryOutcomes() const {
    std::lock_guard lock(mutex_);
    return outcomes_;
}

} // namespace decant
