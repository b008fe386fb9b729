#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

namespace decant {

class FilesController;
class MainWindow;

// Routes what the desktop asks of the application to the queue, and keeps
// the window reachable. Main thread only.
class AppDelegate final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    std::shared_ptr<FilesController> filesController() const { return filesController_; }
    void setFilesController(std::shared_ptr<FilesController> controller) {
        filesController_ = std::move(controller);
    }
    MainWindow* window() const { return window_; }
    void setWindow(MainWindow* window) { window_ = window; }

    // Makes the queue table take drops of files from file managers.
    void applicationDidFinishLaunching();
    // Files opened with the application: queued. Always handled.
    bool applicationOpenFiles(const QStringList& paths);
    // The user launched the application again: shows the window when it is
    // hidden or minimised.
    bool applicationShouldHandleReopenHasVisibleWindows(bool hasVisibleWindows);

    // A later launch's request: paths to open, or none to show the window.
    void handleLaterLaunch(const QStringList& paths);

private:
    std::shared_ptr<FilesController> filesController_;
    QPointer<MainWindow> window_;
};

} // namespace decant
