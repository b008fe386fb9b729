#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace decant::test {

// The test process's scratch folder (its HOME, TMPDIR and XDG folders live
// below it). Removed when the process ends.
QString scratchDirectory();

// Runs the event loop until `done` holds or the time is up; returns `done()`.
// A lost event fails the test instead of hanging the run.
inline bool processEventsUntil(const std::function<bool()>& done, int milliseconds = 10000) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

} // namespace decant::test
