#pragma once

#include "platform/Control.h"

#include <QAction>
#include <QPointer>

namespace decant {

// A menu item or tool button, as the controller sees a control.
class ActionControl final : public Control {
public:
    explicit ActionControl(QAction* action)
        : action_(action) {}

    void setEnabled(bool enabled) override {
        if (action_) {
            action_->setEnabled(enabled);
        }
    }
    bool isEnabled() const override { return action_ && action_->isEnabled(); }

private:
    QPointer<QAction> action_;
};

} // namespace decant
