#pragma once

#include <QDialog>

namespace decant {

// Help > About Decant: the version, the licence, and where the library
// keeps its files.
class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    // `libraryLocation` is the library's folder, or empty when the library
    // does not say.
    AboutDialog(const QString& libraryLocation, QWidget* parent = nullptr);

    // What the dialog says, as plain text (the label shows it as rich text).
    QString text() const { return text_; }

private:
    QString text_;
};

} // namespace decant
