#include "app/RunProgressBar.h"

#include <QLocale>

#include <cmath>

namespace decant {
namespace {

// Decoding a file takes about a tenth of the time the library takes to
// convert it: a bar that gave both phases the same share would rush
// through the decodes and then crawl.
constexpr double decodingShare = 0.1;

// The bar's steps; the launcher's progress is sent only when it moves by one.
constexpr int steps = 1000;

QString formatTimeLeft(std::chrono::seconds left) {
    const auto total = left.count();
    const auto hours = total / 3600;
    const auto minutes = total / 60 % 60;
    const auto seconds = total % 60;
    return hours > 0 ? QStringLiteral("%1:%2:%3")
                           .arg(hours)
                           .arg(minutes, 2, 10, QLatin1Char('0'))
                           .arg(seconds, 2, 10, QLatin1Char('0'))
                     : QStringLiteral("%1:%2").arg(minutes).arg(seconds, 2, 10, QLatin1Char('0'));
}

} // namespace

RunProgressBar::RunProgressBar(QWidget* parent)
    : QProgressBar(parent)
    , launcherEntry_(QStringLiteral("decant.desktop")) {
    setObjectName(QStringLiteral("runProgressBar"));
    setRange(0, steps);
    setTextVisible(true);
    setMinimumWidth(fontMetrics().averageCharWidth() * 34);
    hide();
}

std::optional<double> RunProgressBar::fractionDone(const RunProgress& progress) {
    if (!progress.running || progress.total <= 0) {
        return std::nullopt;
    }
    // A failed file is done once decoded: it counts in `decoded` and, as
    // never going further, in `finished`.
    const double done =
        decodingShare * progress.decoded + (1 - decodingShare) * progress.finished();
    return std::clamp(done / progress.total, 0.0, 1.0);
}

QString RunProgressBar::describe(const RunProgress& progress) {
    const QLocale locale;
    QString text = tr("%1 of %2 files done")
                       .arg(locale.toString(progress.finished()), locale.toString(progress.total));
    if (progress.timeLeft) {
        text += tr(" · %1 left").arg(formatTimeLeft(*progress.timeLeft));
    }
    return text;
}

void RunProgressBar::showProgress(const RunProgress& progress) {
    const std::optional<double> fraction = fractionDone(progress);
    setVisible(fraction.has_value());
    const int step = int(std::lround(fraction.value_or(0) * steps));
    if (fraction) {
        setValue(step);
        setFormat(describe(progress));
    }
    // Docks redraw the icon for every update: send one per step, not one
    // per file.
    const std::optional<double> launcher =
        fraction ? std::optional(double(step) / steps) : std::nullopt;
    if (launcher != shownOnLauncher_) {
        shownOnLauncher_ = launcher;
        launcherEntry_.setProgress(launcher);
    }
}

} // namespace decant
