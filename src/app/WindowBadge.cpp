#include "app/WindowBadge.h"

#include "platform/MainThread.h"

namespace decant {
namespace {

// A copy that shares no data with the original. The label crosses threads
// under the mutex only: string data shared between threads is freed
// through reference counts that thread checkers cannot see inside Qt.
QString unshared(const QString& text) {
    return QString(text.constData(), text.size());
}

} // namespace

WindowBadge::WindowBadge(QWidget* window, QString title)
    : display_(std::make_shared<const Display>(
          Display{window, std::move(title), LauncherEntry(QStringLiteral("decant.desktop"))}))
    , pending_(std::make_shared<Pending>()) {}

void WindowBadge::setBadgeLabel(const QString& label) {
    {
        std::lock_guard lock(pending_->mutex);
        pending_->label = unshared(label);
        if (std::exchange(pending_->posted, true)) {
            return; // the show already posted takes this label
        }
    }
    runOnMainThread([display = display_, pending = pending_] { display->show(pending->take()); });
}

QString WindowBadge::Pending::take() {
    std::lock_guard lock(mutex);
    posted = false;
    return unshared(label);
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
