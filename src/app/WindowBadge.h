#pragma once

#include "platform/Badge.h"
#include "platform/LauncherEntry.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <mutex>

namespace decant {

// Shows the badge where a Linux desktop can: in the window title, and on
// the dock or task-bar icon through the launcher-entry signal.
class WindowBadge final : public Badge {
public:
    // Main thread.
    WindowBadge(QWidget* window, QString title);

    // Any thread. Only the label leaves the calling thread: the window is
    // looked at on the main thread, where it is destroyed, so a badge set
    // while the window goes away never reaches into it. Labels set faster
    // than the main thread shows them are shown once, the latest: a run's
    // start sets one per file.
    void setBadgeLabel(const QString& label) override;

private:
    // What the label is shown on; used on the main thread only.
    struct Display {
        QPointer<QWidget> window;
        QString title;
        LauncherEntry launcherEntry;

        void show(const QString& label) const;
    };
    // The label waiting to be shown, handed from any thread to the main one.
    struct Pending {
        std::mutex mutex;
        QString label;
        bool posted = false;

        QString take();
    };

    // Shared with the work posted to the main thread, which may outlive the
    // badge.
    std::shared_ptr<const Display> display_;
    std::shared_ptr<Pending> pending_;
};

} // namespace decant
