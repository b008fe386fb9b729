#include "platform/SignalWatcher.h"

#include <QtGlobal>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace decant {
namespace {

constexpr std::array watchedSignals{SIGINT, SIGTERM};

// Shared with the signal handler, so plain globals of the types it may touch.
int pipeReadEnd = -1;
int pipeWriteEnd = -1;
volatile sig_atomic_t firstSignal = 0;
volatile sig_atomic_t signalCount = 0;
volatile sig_atomic_t exitAtCount = 2;
std::array<struct sigaction, watchedSignals.size()> previousActions{};

void handleSignal(int signalNumber) {
    signalCount = signalCount + 1;
    if (signalCount >= exitAtCount) {
        _exit(128 + signalNumber);
    }
    if (firstSignal == 0) {
        firstSignal = signalNumber;
    }
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // The pipe holds far more bytes than signals can come before the process
    // ends itself.
    [[maybe_unused]] const ssize_t written = write(pipeWriteEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

SignalWatcher::SignalWatcher(std::function<void(int)> caught, int exitAt)
    : caught_(std::move(caught)) {
    Q_ASSERT(pipeReadEnd < 0);
    std::array<int, 2> ends{};
    if (pipeReadEnd >= 0 || pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        // Without the pipe the default actions stay: a signal still ends the
        // process, only less tidily.
        return;
    }
    pipeReadEnd = ends[0];
    pipeWriteEnd = ends[1];
    firstSignal = 0;
    signalCount = 0;
    exitAtCount = exitAt;
    notifier_ = std::make_unique<QSocketNotifier>(pipeReadEnd, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readPipe(); });

    struct sigaction action {};
    action.sa_handler = handleSignal;
    sigemptyset(&action.sa_mask);
    // One handler at a time, so that the count is never torn.
    for (const int signalNumber : watchedSignals) {
        sigaddset(&action.sa_mask, signalNumber);
    }
    // Restarted calls spare the libraries the process uses from EINTR.
    action.sa_flags = SA_RESTART;
    for (std::size_t index = 0; index < watchedSignals.size(); ++index) {
        sigaction(watchedSignals[index], &action, &previousActions[index]);
    }
}

SignalWatcher::~SignalWatcher() {
    if (!notifier_) {
        return;
    }
    for (std::size_t index = 0; index < watchedSignals.size(); ++index) {
        sigaction(watchedSignals[index], &previousActions[index], nullptr);
    }
    notifier_.reset();
    close(pipeReadEnd);
    close(pipeWriteEnd);
    pipeReadEnd = -1;
    pipeWriteEnd = -1;
    firstSignal = 0;
    signalCount = 0;
}

int SignalWatcher::caughtSignal() {
    return firstSignal;
}

void SignalWatcher::readPipe() {
    unsigned char byte = 0;
    while (read(pipeReadEnd, &byte, 1) == 1) {
        if (caught_) {
            caught_(byte);
        }
    }
}

} // namespace decant
