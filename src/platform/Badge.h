#pragma once

#include <QString>

namespace decant {

// A short text shown on the application's icon where the desktop has one
// (docks, task bars), such as the number of files left to decode. May be
// called from any thread.
class Badge {
public:
    virtual ~Badge() = default;
    // A null text removes the badge.
    virtual void setBadgeLabel(const QString& label) = 0;
};

} // namespace decant
