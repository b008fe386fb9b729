#pragma once

#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace decant {

// Turns SIGTERM (the desktop session ending, a service manager) and SIGINT
// (Ctrl-C in the terminal that started the window) into a call on the main
// thread, so that quitting takes its orderly way. The handler only writes to
// a pipe; the event loop reads it. A second signal ends the process at once:
// it was asked twice. One instance per process.
class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> caught);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    std::function<void()> caught_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace decant
