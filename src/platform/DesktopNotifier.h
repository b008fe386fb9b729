#pragma once

#include "platform/Notifier.h"

namespace decant {

// Shows a notification through the desktop's notification server
// (org.freedesktop.Notifications), without waiting for its answer. Does
// nothing without a session bus or a server.
class DesktopNotifier final : public Notifier {
public:
    void notify(const QString& summary, const QString& body) override;
};

} // namespace decant
