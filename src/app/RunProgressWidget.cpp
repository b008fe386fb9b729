#include "app/RunProgressWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>

#include <algorithm>
#include <cmath>

namespace decant {
namespace {

// Decoding a file takes about a tenth of the time the library takes to
// convert it: a bar that gave both phases the same share would rush
// through the decodes and then crawl.
constexpr double decodingShare = 0.1;

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

RunProgressWidget::RunProgressWidget(QWidget* parent)
    : QWidget(parent)
    , bar_(new QProgressBar(this))
    , label_(new QLabel(this))
    , launcherEntry_(QStringLiteral("decant.desktop")) {
    setObjectName(QStringLiteral("runProgress"));
    bar_->setRange(0, steps);
    // The text goes beside the bar: drawn across it, half of it would be
    // in the bar's colour.
    bar_->setTextVisible(false);
    bar_->setAccessibleName(tr("Run progress"));
    bar_->setAccessibleDescription(tr("Decoding and importing the queued files"));
    bar_->setFixedWidth(fontMetrics().averageCharWidth() * 16);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    layout->addWidget(label_);
    hide();
}

int RunProgressWidget::value() const {
    return bar_->value();
}

QString RunProgressWidget::text() const {
    return label_->text();
}

std::optional<double> RunProgressWidget::fractionDone(const RunProgress& progress) {
    if (!progress.running || progress.total <= 0) {
        return std::nullopt;
    }
    // A failed file is done once decoded: it counts in `decoded` and, as
    // never going further, in `finished`.
    const double done =
        decodingShare * progress.decoded + (1 - decodingShare) * progress.finished();
    return std::clamp(done / progress.total, 0.0, 1.0);
}

QString RunProgressWidget::describe(const RunProgress& progress) {
    const QLocale locale;
    QString text = tr("%1 of %2 files done")
                       .arg(locale.toString(progress.finished()), locale.toString(progress.total));
    // Under a second is no time worth telling.
    if (progress.timeLeft && progress.timeLeft->count() > 0) {
        text += tr(" · %1 left").arg(formatTimeLeft(*progress.timeLeft));
    }
    return text;
}

void RunProgressWidget::showProgress(const RunProgress& progress) {
    const std::optional<double> fraction = fractionDone(progress);
    setVisible(fraction.has_value());
    const int step = int(std::lround(fraction.value_or(0) * steps));
    if (fraction) {
        bar_->setValue(step);
        label_->setText(describe(progress));
        // Without its text a reader would give the bar as a bare percentage.
        bar_->setAccessibleDescription(label_->text());
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
