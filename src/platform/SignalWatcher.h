#pragma once

#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace decant {

// Turns SIGINT and SIGTERM (Ctrl-C, a session ending, a service manager)
// into calls on the main thread, so that stopping takes its orderly way. The
// handler only writes the signal's number into a pipe (write() is
// async-signal-safe); the event loop reads it and calls `caught` once per
// signal. From the `exitAt`-th signal on, the handler ends the process
// itself, at once, with 128 plus the signal's number: a user who has asked
// that often does not wait for a main thread that may no longer answer. The
// previous handlers come back when the watcher goes. One watcher at a time
// per process.
class SignalWatcher {
public:
    explicit SignalWatcher(std::function<void(int signalNumber)> caught, int exitAt = 2);
    ~SignalWatcher();
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;

    // The first signal caught, or 0. Also known before the event loop has
    // run, so a step that blocked the loop can check it afterwards.
    static int caughtSignal();

private:
    void readPipe();

    std::function<void(int)> caught_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace decant
