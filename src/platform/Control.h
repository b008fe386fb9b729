#pragma once

namespace decant {

// A user-interface control that issues a command (a button, a menu item).
// Main thread only.
class Control {
public:
    virtual ~Control() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

} // namespace decant
