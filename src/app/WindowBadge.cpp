#include "app/WindowBadge.h"

#include "platform/MainThread.h"

namespace decant {

WindowBadge::WindowBadge(QWidget* window, QString title)
    : display_(std::make_shared<const Display>(
          Display{window, std::move(title), LauncherEntry(QStringLiteral("decant.desktop"))})) {}

void WindowBadge::setBadgeLabel(const QString& label) {
    runOnMainThread([display = display_, label] { display->show(label); });
}

void WindowBadge::Display::show(const QString& label) const {
    bool isCount = false;
    const qint64 count = label.toLongLong(&isCount);
    launcherEntry.setCount(isCount ? std::optional(count) : std::nullopt);
    if (window) {
        window->setWindowTitle(label.isEmpty() ? title
                                               : QStringLiteral("%1 (%2)").arg(title, label));
    }
}

} // namespace decant
