#pragma once

#include "cli/Console.h"
#include "queue/QueueEntry.h"

#include <QElapsedTimer>
#include <QList>
#include <QTimer>

namespace decant {

class ConsoleBadge;
class FilesController;

// Follows the queue's statuses as the table is told of them. On a terminal
// it keeps one line up to date: files decoded of the total, the phase and
// the time since the start. Elsewhere (a log, a pipe) it writes one line per
// status change instead. Main thread only.
class ProgressReporter {
public:
    ProgressReporter(Console& console, const FilesController& controller,
                     const ConsoleBadge& badge);
    ProgressReporter(const ProgressReporter&) = delete;
    ProgressReporter& operator=(const ProgressReporter&) = delete;

    // Takes the statuses as they stand and starts the clock.
    void start();
    // The table was told that statuses changed.
    void update();
    // A signal asked the run to stop after the work under way.
    void setStopping();
    // Shows the last state of the line and leaves it.
    void finish();

private:
    QString phase() const;
    void redrawStatusLine();
    void printStatusChanges();

    Console& console_;
    const FilesController& controller_;
    const ConsoleBadge& badge_;
    QElapsedTimer clock_;
    // Elapsed time moves on when nothing else does.
    QTimer tick_;
    QList<QueueEntryStatus> lastStatuses_;
    bool started_ = false;
    bool stopping_ = false;
    bool finished_ = false;
};

} // namespace decant
