#pragma once

#include "platform/LauncherEntry.h"
#include "queue/RunProgress.h"

#include <QWidget>

#include <optional>

class QLabel;
class QProgressBar;

namespace decant {

// The progress of a whole run, decoding and the library's conversion
// together: a bar and "5 of 21 files done · 0:12 left" beside it in the
// status bar, and the same progress on the launcher icon. Hidden between
// runs. Main thread.
class RunProgressWidget final : public QWidget {
    Q_OBJECT

public:
    explicit RunProgressWidget(QWidget* parent = nullptr);

    void showProgress(const RunProgress& progress);
    // The bar's position, 0 to steps, and the text beside it.
    int value() const;
    QString text() const;
    static constexpr int steps = 1000;

    // How much of the run is done, 0 to 1; nothing between runs.
    static std::optional<double> fractionDone(const RunProgress& progress);
    static QString describe(const RunProgress& progress);

private:
    QProgressBar* bar_;
    QLabel* label_;
    LauncherEntry launcherEntry_;
    std::optional<double> shownOnLauncher_;
};

} // namespace decant
