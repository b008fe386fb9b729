#include "app/AppDelegate.h"

#include "app/MainWindow.h"
#include "app/QueueTableView.h"
#include "queue/FilesController.h"

namespace decant {

void AppDelegate::applicationDidFinishLaunching() {
    if (window_) {
        window_->queueTable()->setAcceptDrops(true);
    }
}

bool AppDelegate::applicationOpenFiles(const QList<QByteArray>& paths) {
    if (filesController_) {
        filesController_->beginAddingFiles(paths);
    }
    return true;
}

bool AppDelegate::applicationShouldHandleReopenHasVisibleWindows(bool hasVisibleWindows) {
    if (!hasVisibleWindows) {
        bringWindowToFront();
    }
    return true;
}

void AppDelegate::handleLaterLaunch(const QList<QByteArray>& paths) {
    // Whatever the launch asked for, the user looks for the window next.
    bringWindowToFront();
    if (!paths.isEmpty()) {
        applicationOpenFiles(paths);
    }
}

void AppDelegate::bringWindowToFront() {
    if (window_) {
        // Unminimised, but a maximised window stays maximised.
        window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
        window_->show();
        window_->raise();
        window_->activateWindow();
    }
}

} // namespace decant
