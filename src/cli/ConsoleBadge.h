#pragma once

#include "platform/AtomicProperty.h"
#include "platform/Badge.h"

#include <QString>

namespace decant {

// A terminal has no icon to badge. The label the controller shows there, the
// number of decodes still to finish, tells the progress line instead whether
// decoding is still under way. Set from any thread, read on the main thread.
class ConsoleBadge final : public Badge {
public:
    void setBadgeLabel(const QString& label) override { label_.store(label); }
    QString label() const { return label_.load(); }

private:
    AtomicProperty<QString> label_;
};

} // namespace decant
