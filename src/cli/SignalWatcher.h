#pragma once

#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace decant {

// Turns SIGINT and SIGTERM into a call on the main thread. The handler only
// writes the signal's number into a pipe (write() is async-signal-safe); the
// event loop reads it and calls `caught`. A second signal ends the process at
// once: the user has asked twice. The previous handlers come back when the
// watcher goes. One watcher at a time per process.
class SignalWatcher {
public:
    explicit SignalWatcher(std::function<void(int signalNumber)> caught);
    ~SignalWatcher();
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;

    // The first signal caught, or 0. Also true before the event loop has
    // run, so a step that blocked the loop can check it afterwards.
    static int caughtSignal();

private:
    void readPipe();

    std::function<void(int)> caught_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace decant
