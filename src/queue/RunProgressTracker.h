#pragma once

#include "queue/QueueEntry.h"
#include "queue/RunProgress.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QUrl>

#include <chrono>
#include <mutex>

namespace decant {

// A file of the run that the library has finished with.
struct LibraryOutcome {
    QueueEntryPointer entry;
    bool converted = false; // false: the library did not take it
};

// Counts a run's progress as the decode workers, the hand-off thread and the
// library's own threads report it, and times its two phases, so that the
// time left can be told from the throughput of each. The only place these
// threads meet for progress; every function takes the one lock, briefly.
// Times are passed in, so the estimate can be checked without a clock.
class RunProgressTracker {
public:
    using Clock = std::chrono::steady_clock;

    // Main thread: a run of `total` files begins, forgetting the last.
    void startRun(int total, Clock::time_point now);
    // Main thread: a batch's decodes begin.
    void startDecoding(Clock::time_point now);
    // Worker thread (main thread for a file too large for the space).
    void decodeFinished(bool failed);
    // Hand-off thread: the batch's files go to the library.
    void startConverting(const QList<QPair<QUrl, QueueEntryPointer>>& files, Clock::time_point now);
    // A thread of the library's: it has finished with `file`. Only the first
    // report of a file of the batch counts; false for any other.
    bool fileFinished(const QUrl& file, bool converted);
    // Hand-off thread: the library's reply is in and the entries updated;
    // files it did not report count as finished now, taken when Done.
    void finishConverting(Clock::time_point now);
    // Main thread: the run's last hand-off has finished.
    void finishRun();

    RunProgress progress(Clock::time_point now) const;
    // The run's files the library has finished with, in the order it did.
    QList<LibraryOutcome> libraryOutcomes() const;

private:
    enum class Phase { Idle, Decoding, Converting };

    // Under mutex_: closes the phase under way, adding its time.
    void endPhase(Clock::time_point now);
    void recordOutcome(const QueueEntryPointer& entry, bool converted);
    std::optional<std::chrono::seconds> estimateTimeLeft(Clock::time_point now) const;

    mutable std::mutex mutex_;
    int total_ = 0;
    int decoded_ = 0;
    int failed_ = 0;
    bool running_ = false;
    QList<LibraryOutcome> outcomes_;
    // The batch with the library, by WAV file, until the library reports it.
    QHash<QUrl, QueueEntryPointer> withLibrary_;
    QList<QUrl> batchOrder_;
    Phase phase_ = Phase::Idle;
    Clock::time_point phaseStart_;
    Clock::duration decodingTime_{};
    Clock::duration convertingTime_{};
};

} // namespace decant
