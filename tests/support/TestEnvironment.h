#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <ftw.h>
#include <functional>

namespace decant::test {

// The test process's scratch folder (its HOME, TMPDIR and XDG folders live
// below it). Removed when the process ends.
QString scratchDirectory();

// Removes a file or a whole tree when it goes out of scope, by the bytes of
// its names: QDir's removeRecursively passes over names that are not UTF-8,
// and the scratch folders holding them would outlive the test.
class RemovedTree {
public:
    explicit RemovedTree(QByteArray path)
        : path_(std::move(path)) {}
    RemovedTree(const RemovedTree&) = delete;
    RemovedTree& operator=(const RemovedTree&) = delete;
    ~RemovedTree() {
        nftw(
            path_.constData(),
            [](const char* item, const struct stat*, int, struct FTW*) { return ::remove(item); },
            16, FTW_DEPTH | FTW_PHYS);
    }

private:
    QByteArray path_;
};

// Sends the signal to the process while it runs; false otherwise. A
// process that has ended has no pid, and kill(0) would signal the whole
// process group: the test runner and every other test run in parallel.
inline bool signalProcess(const QProcess& process, int signalNumber) {
    const auto pid = pid_t(process.processId());
    return pid > 0 && ::kill(pid, signalNumber) == 0;
}

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
