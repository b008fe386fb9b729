#include "app/WindowBadge.h"

#include "platform/MainThread.h"

namespace decant {

WindowBadge::WindowBadge(QWidget* window, QString title)
    : window_(window)
    , title_(std::move(title))
    , launcherEntry_(QStringLiteral("decant.desktop")) {}

void WindowBadge::setBadgeLabel(const QString& label) {
    bool isCount = false;
    const qint64 count = label.toLongLong(&isCount);
    launcherEntry_.setCount(isCount ? std::optional(count) : std::nullopt);

    const QString title = label.isEmpty() ? title_ : QStringLiteral("%1 (%2)").arg(title_, label);
    runOnMainThread(window_.data(), [window = window_, title] {
        if (window) {
            window->setWindowTitle(title);
        }
    });
}

} // namespace decant
