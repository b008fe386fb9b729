#pragma once

#include "platform/LauncherEntry.h"
#include "queue/RunProgress.h"

#include <QProgressBar>

#include <optional>

namespace decant {

// The progress of a whole run, decoding and the library's conversion
// together, in the status bar ("5 of 21 files done · 0:12 left") and on the
// launcher icon. Hidden between runs. Main thread.
class RunProgressBar final : public QProgressBar {
    Q_OBJECT

public:
    explicit RunProgressBar(QWidget* parent = nullptr);

    void showProgress(const RunProgress& progress);

    // How much of the run is done, 0 to 1; nothing between runs.
    static std::optional<double> fractionDone(const RunProgress& progress);
    static QString describe(const RunProgress& progress);

private:
    LauncherEntry launcherEntry_;
    std::optional<double> shownOnLauncher_;
};

} // namespace decant
