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

bool AppDelegate::applicationOpenFiles(const QStringList& paths) {
    if (filesController_) {
        filesController_->addFiles(paths);
    }
    return true;
}

bool AppDelegate::applicationShouldHandleReopenHasVisibleWindows(bool hasVisibleWindows) {
    if (!hasVisibleWindows && window_) {
        window_->showNormal();
        window_->raise();
        window_->activateWindow();
    }
    return true;
}

void AppDelegate::handleLaterLaunch(const QStringList& paths) {
    if (!paths.isEmpty()) {
        applicationOpenFiles(paths);
        return;
    }
    const bool visible = window_ && window_->isVisible() && !window_->isMinimized();
    applicationShouldHandleReopenHasVisibleWindows(visible);
}

} // namespace decant
