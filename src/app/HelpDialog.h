#pragma once

#include <QDialog>

namespace decant {

// Help > Decant Help (F1): what Decant does and how to work it, from the
// keyboard as well as the mouse; the man pages say the rest. Main thread.
class HelpDialog final : public QDialog {
    Q_OBJECT

public:
    explicit HelpDialog(QWidget* parent = nullptr);

    // The help as plain text, as a screen reader gets it.
    QString text() const;

private:
    QString html_;
};

} // namespace decant
