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
    if (!controller_->isRunning()) {
        check_.stop();
        emit readyToQuit();
        return;
    }
    if (std::chrono::steady_clock::now() >= giveUpAt_) {
        check_.stop();
        gaveUpWaiting_ = true;
        emit readyToQuit();
    }
}

} // namespace decant
