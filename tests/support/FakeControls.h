#pragma once

#include "platform/Badge.h"
#include "platform/Control.h"

#include <QString>
#include <QStringList>

#include <mutex>

namespace decant::test {

// A badge that remembers every label it showed; a null label is recorded
// as "none".
class FakeBadge final : public Badge {
public:
    void setBadgeLabel(const QString& label) override {
        std::lock_guard lock(mutex_);
        labels_.append(label.isNull() ? QStringLiteral("none") : label);
    }

    QStringList labels() const {
        std::lock_guard lock(mutex_);
        return labels_;
    }

private:
    mutable std::mutex mutex_;
    QStringList labels_;
};

class FakeControl final : public Control {
public:
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }

private:
    bool enabled_ = true;
};

} // namespace decant::test
