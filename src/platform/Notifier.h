#pragma once

#include <QString>

namespace decant {

// Tells the user something worth knowing while they look elsewhere, such
// as a run that has ended. The window uses the desktop's notifications;
// tests record what would have been said. Main thread.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void notify(const QString& summary, const QString& body) = 0;
};

} // namespace decant
