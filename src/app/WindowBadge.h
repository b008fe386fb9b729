#pragma once

#include "platform/Badge.h"
#include "platform/LauncherEntry.h"

#include <QPointer>
#include <QWidget>

namespace decant {

// Shows the badge where a Linux desktop can: in the window title, and on
// the dock or task-bar icon through the launcher-entry signal.
class WindowBadge final : public Badge {
public:
    WindowBadge(QWidget* window, QString title);

    // Any thread: the window is changed on the main thread.
    void setBadgeLabel(const QString& label) override;

private:
    QPointer<QWidget> window_;
    const QString title_;
    LauncherEntry launcherEntry_;
};

} // namespace decant
