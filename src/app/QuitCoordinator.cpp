#include "app/QuitCoordinator.h"

#include "app/MainWindow.h"
#include "queue/FilesController.h"

namespace decant {

QuitCoordinator::QuitCoordinator(std::shared_ptr<FilesController> controller, MainWindow* window,
                                 Timing timing)
    : controller_(std::move(controller))
    , window_(window)
    , timing_(timing) {
    check_.setInterval(timing_.checkInterval);
    connect(&check_, &QTimer::timeout, this, &QuitCoordinator::checkStopped);
    if (window_) {
        connect(window_, &MainWindow::quitRequested, this, &QuitCoordinator::requestQuit);
    }
}

void QuitCoordinator::requestQuit() {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    controller_->stopRunning();
    if (window_) {
        window_->showStopping();
    }
    emit stopping();
    giveUpAt_ = std::chrono::steady_clock::now() + timing_.patience;
    check_.start();
    checkStopped();
}

void QuitCoordinator::checkStopped() {
    const bool stopped = !controller_->isRunning();
    if (!stopped && std::chrono::steady_clock::now() < giveUpAt_) {
        return;
    }
    check_.stop();
    gaveUpWaiting_ = !stopped;
    // Nothing will pick the decoded audio up again: left on disk, it would
    // hold the space until the next start. A library still converting has
    // its file open and finishes or drops it all the same.
    controller_->removeDecodedAudio();
    emit readyToQuit();
}

} // namespace decant
