#include "app/TerminationSignals.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace decant {
namespace {

constexpr std::array caughtSignals{SIGTERM, SIGINT};

// Shared with the signal handler, so plain globals of the types it may touch.
int pipeReadEnd = -1;
int pipeWriteEnd = -1;
volatile sig_atomic_t signalled = 0;

void handleSignal(int signalNumber) {
    if (signalled != 0) {
        _exit(128 + signalNumber);
    }
    signalled = 1;
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(pipeWriteEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> caught)
    : caught_(std::move(caught)) {
    std::array<int, 2> ends{};
    if (pipeReadEnd >= 0 || pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return; // the default actions stay: the process still ends
    }
    pipeReadEnd = ends[0];
    pipeWriteEnd = ends[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipeReadEnd, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        char byte = 0;
        while (read(pipeReadEnd, &byte, 1) == 1) {
        }
        caught_();
    });
    struct sigaction action {};
    action.sa_handler = handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : caughtSignals) {
        sigaction(signalNumber, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_) {
        return;
    }
    for (const int signalNumber : caughtSignals) {
        signal(signalNumber, SIG_DFL);
    }
    notifier_.reset();
    close(pipeReadEnd);
    close(pipeWriteEnd);
    pipeReadEnd = -1;
    pipeWriteEnd = -1;
}

} // namespace decant
