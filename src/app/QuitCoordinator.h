#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>
#include <memory>

namespace decant {

class FilesController;
class MainWindow;

// Ends the application promptly whenever it is asked to, also in the middle
// of a run: pending decodes are dropped, running ones finish (each takes
// well under a second), the library is asked to stop the batch under way,
// and the window says "Stopping…" while the event loop goes on. A library
// that has not stopped within the patience is left behind: the process ends
// anyway, which the library survives at any moment. Either way the decoded
// audio of every file not Done (and not Failed, whose file stays for
// inspection until the next start) is removed before the loop ends. Main
// thread.
class QuitCoordinator final : public QObject {
    Q_OBJECT

public:
    struct Timing {
        std::chrono::milliseconds checkInterval{50};
        // With the process's own start and end, well within the five seconds
        // a session gives an application to go.
        std::chrono::milliseconds patience{4000};
    };

    // `window` (may be null) asks to quit and shows that it is stopping.
    QuitCoordinator(std::shared_ptr<FilesController> controller, MainWindow* window, Timing timing);
    QuitCoordinator(std::shared_ptr<FilesController> controller, MainWindow* window)
        : QuitCoordinator(std::move(controller), window, Timing{}) {}

    // The first request stops the run; later ones change nothing.
    void requestQuit();
    bool isQuitting() const { return quitting_; }
    // True when the run was still going when the patience ran out.
    bool gaveUpWaiting() const { return gaveUpWaiting_; }

signals:
    // A quit was asked for: from now on the application only stops.
    void stopping();
    // Nothing runs any more, or the patience ran out: end the event loop.
    void readyToQuit();

private:
    void checkStopped();

    std::shared_ptr<FilesController> controller_;
    QPointer<MainWindow> window_;
    const Timing timing_;
    QTimer check_;
    std::chrono::steady_clock::time_point giveUpAt_;
    bool quitting_ = false;
    bool gaveUpWaiting_ = false;
};

} // namespace decant
