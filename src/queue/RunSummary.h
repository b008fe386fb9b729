#pragma once

#include "queue/QueueEntry.h"

#include <QList>
#include <QString>

namespace decant {

// What became of the files of the run that just ended, for a status bar, a
// notification or the last line of a terminal.
struct RunSummary {
    int imported = 0; // Done
    int failed = 0;   // Failed, each with its reason
    // Handed to the library, which did not take them: they stay Encoding
    // with the library's reason, and the next Start takes them again.
    int notTaken = 0;
    // The library's reason when every file it did not take has the same;
    // empty otherwise.
    QString notTakenReason;
    // Left Waiting or Decoded because the run was stopped.
    int stopped = 0;
    // "21 files imported, 2 failed"
    QString text;
};

// Counts the run's entries by where they stand now.
RunSummary summariseRun(const QList<QueueEntryPointer>& run);

// "21 files imported, 2 failed, 3 not taken by the library (the database is
// locked by another program)"
QString describeRunSummary(const RunSummary& summary);

} // namespace decant
