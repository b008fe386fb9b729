#pragma once

#include "cli/Console.h"
#include "queue/QueueEntry.h"
#include "queue/RunProgress.h"

#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QTimer>

namespace decant {

class FilesController;

// Follows the run as the controller tells of its statuses and progress. On a
// terminal it keeps one line up to date: files decoded of the total, what
// the run is doing ("converting 5 of 21, 0:12 left") and the time since the
// start. Elsewhere (a log, a pipe) it writes one line per status change,
// with the reason when there is one, and one per file the library has
// finished with. Main thread only.
class ProgressReporter {
public:
    ProgressReporter(Console& console, const FilesController& controller);
    ProgressReporter(const ProgressReporter&) = delete;
    ProgressReporter& operator=(const ProgressReporter&) = delete;

    // Takes the statuses as they stand and starts the clock.
    void start();
    // The statuses or the progress changed.
    void update();
    // A signal asked the run to stop after the work under way.
    void setStopping();
    // Leaves the line where it stands, for the process to end soon; nothing
    // is written any more.
    void abandon();
    // Shows the last state of the line and leaves it.
    void finish();

private:
    QString activity(const RunProgress& progress) const;
    void redrawStatusLine();
    void printStatusChanges();
    void printLibraryOutcomes();

    Console& console_;
    const FilesController& controller_;
    QElapsedTimer clock_;
    // Elapsed time moves on when nothing else does.
    QTimer tick_;
    // Each row's status and reason as last written.
    QList<QPair<QueueEntryStatus, QString>> lastWritten_;
    qsizetype outcomesWritten_ = 0;
    bool started_ = false;
    bool stopping_ = false;
    bool finished_ = false;
};

} // namespace decant
