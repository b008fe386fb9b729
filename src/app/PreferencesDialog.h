#pragma once

#include "itunes/LibrarySettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace decant {

// Edit > Preferences…: the library's import settings (encoder, bit rate,
// Sound Check) and where the library is. Decant keeps no settings of its
// own: these are the library's, the ones decant-library settings shows. A
// change applies from the next Start. Main thread; reading and saving block
// it for as long as the library's database takes to answer.
class PreferencesDialog final : public QDialog {
    Q_OBJECT

public:
    // While a run is under way its later batches read the settings again,
    // so they are shown and not changed.
    PreferencesDialog(LibrarySettings settings, bool runUnderWay, QWidget* parent = nullptr);

    // What the controls say now.
    ImportPreferences chosen() const;
    // The note under the controls: a library not made yet, one that cannot
    // be changed, or why saving failed.
    QString note() const;

    // Saves the choice; when that fails, stays open and says why.
    void accept() override;

private:
    void buildControls();
    void showReading(const ImportPreferencesReading& reading);
    void showBitRates(int selected);
    void setEditable(bool editable);

    LibrarySettings settings_;
    QList<ImportFormatChoice> formats_;
    QComboBox* format_ = nullptr;
    QComboBox* bitRate_ = nullptr;
    QCheckBox* soundCheck_ = nullptr;
    QLabel* note_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

} // namespace decant
