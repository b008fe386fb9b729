#pragma once

#include <QByteArray>
#include <QList>
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
    // Files opened with the application, as file system bytes: queued, in
    // the background, so that the window stays live while a large folder is
    // read. Always handled.
    bool applicationOpenFiles(const QList<QByteArray>& paths);
    // The user launched the application again: shows the window when it is
    // hidden or minimised.
    bool applicationShouldHandleReopenHasVisibleWindows(bool hasVisibleWindows);

    // A later launch's request: the window comes to the front, and the
    // paths, when there are any, are opened.
    void handleLaterLaunch(const QList<QByteArray>& paths);

private:
    void bringWindowToFront();

    std::shared_ptr<FilesController> filesController_;
    QPointer<MainWindow> window_;
};

} // namespace decant
