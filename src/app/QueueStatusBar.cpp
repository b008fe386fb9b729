#include "app/QueueStatusBar.h"

#include "app/RunProgressWidget.h"
#include "queue/FilePath.h"
#include "queue/FilesController.h"

#include <QLabel>
#include <QLocale>
#include <QStatusBar>

#include <array>

namespace decant {
namespace {

// Counting 40,000 entries takes well under a millisecond; doing it for
// each of a run's 20,000 status changes does not.
constexpr int summaryInterval = 250; // ms

QString count(qsizetype number) {
    return QLocale().toString(qint64(number));
}

// "“a.mp3” was not added: not named as a FLAC file", or for several the
// first two and how many more; the details name every path in full.
QString describeSkippedPaths(const QList<SkippedPath>& skipped) {
    const auto shown = [](const SkippedPath& path) {
        return QStringLiteral("“%1”").arg(displayFileName(path.path));
    };
    if (skipped.size() == 1) {
        return QueueStatusBar::tr("%1 was not added: %2").arg(shown(skipped[0]), skipped[0].reason);
    }
    QStringList named;
    for (qsizetype index = 0; index < std::min<qsizetype>(skipped.size(), 2); ++index) {
        named.append(QStringLiteral("%1 (%2)").arg(shown(skipped[index]), skipped[index].reason));
    }
    const qsizetype more = skipped.size() - named.size();
    return QueueStatusBar::tr("%Ln items were not added: %1%2", nullptr, int(skipped.size()))
        .arg(named.join(QStringLiteral(", ")),
             more > 0 ? QueueStatusBar::tr(" and %1 more").arg(count(more)) : QString());
}

// A tooltip taller than the screen shows nothing below its edge.
constexpr qsizetype detailLines = 20;

QString detailsOfSkippedPaths(const QList<SkippedPath>& skipped) {
    QStringList lines;
    for (const SkippedPath& path : skipped.mid(0, detailLines)) {
        lines.append(QStringLiteral("%1: %2").arg(displayPath(path.path), path.reason));
    }
    if (skipped.size() > detailLines) {
        lines.append(QueueStatusBar::tr("… and %1 more").arg(count(skipped.size() - detailLines)));
    }
    return lines.join(u'\n');
}

} // namespace

QueueStatusBar::QueueStatusBar(QStatusBar& bar, FilesController& controller)
    : QObject(&bar)
    , controller_(controller)
    , notice_(new QLabel(&bar))
    , summary_(new QLabel(&bar))
    , progress_(new RunProgressWidget(&bar)) {
    notice_->setObjectName(QStringLiteral("noticeLabel"));
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    notice_->setAccessibleName(tr("Notice"));
    notice_->setAccessibleDescription(tr("What just happened, or why the selected file failed"));
    summary_->setAccessibleName(tr("Queue summary"));
    summary_->setAccessibleDescription(tr("How many files are queued, done and failed"));
    // A long path must not push the summary out of the window.
    notice_->setMinimumWidth(1);
    // Apart from the progress text beside it.
    summary_->setContentsMargins(summary_->fontMetrics().averageCharWidth() * 2, 0, 0, 0);
    bar.addWidget(notice_, 1);
    bar.addPermanentWidget(progress_);
    bar.addPermanentWidget(summary_);
    throttle_.setSingleShot(true);
    throttle_.setInterval(summaryInterval);
    connect(&throttle_, &QTimer::timeout, this, [this] {
        if (std::exchange(changedMeanwhile_, false)) {
            refresh();
            throttle_.start();
        }
    });
    // Paths passed over before the window existed were never its to tell.
    skippedPathsShown_ = controller_.skippedPaths().size();
    refresh();
}

void QueueStatusBar::showNotice(const QString& text, const QString& details) {
    noticeIsReason_ = false;
    notice_->setText(text);
    notice_->setToolTip(details.isEmpty() ? text : details);
}

QString QueueStatusBar::notice() const {
    return notice_->text();
}

QString QueueStatusBar::summary() const {
    return summary_->text();
}

void QueueStatusBar::queueChanged() {
    if (throttle_.isActive()) {
        changedMeanwhile_ = true;
        return;
    }
    refresh();
    throttle_.start();
}

void QueueStatusBar::showReasonOfRow(int row) {
    const QueueEntryPointer entry = row >= 0 ? controller_.files().value(row) : nullptr;
    const QString reason = entry ? entry->failureReason() : QString();
    if (reason.isEmpty()) {
        if (noticeIsReason_) {
            showNotice({});
        }
        return;
    }
    showNotice(QStringLiteral("%1: %2").arg(entry->fileName(), reason),
               QStringLiteral("%1\n%2").arg(displayPath(entry->path()), reason));
    noticeIsReason_ = true;
}

void QueueStatusBar::showProgress(const RunProgress& progress) {
    progress_->showProgress(progress);
}

void QueueStatusBar::showRunSummary(const RunSummary& summary) {
    // The library's reason goes to the notice, where there is room for it.
    RunSummary counts = summary;
    counts.notTakenReason.clear();
    runSummary_ = describeRunSummary(counts);
    rowsAtRunEnd_ = controller_.numberOfRowsInTableView();
    refresh();
    if (summary.notTaken > 0) {
        const QString why =
            summary.notTakenReason.isEmpty() ? tr("select one to see why") : summary.notTakenReason;
        showNotice(tr("The library did not take %Ln file(s): %1. Start tries again.", nullptr,
                      summary.notTaken)
                       .arg(why));
    }
}

void QueueStatusBar::runStarted() {
    // What the last run or a fetch left there is old news now.
    showNotice({});
    runSummary_.clear();
    queueChanged();
}

void QueueStatusBar::refresh() {
    const IntakeProgress intake = controller_.intakeProgress();
    if (intake.running) {
        summary_->setText(tr("Adding %1 files…").arg(count(intake.filesRead)));
    } else if (!runSummary_.isEmpty() && controller_.numberOfRowsInTableView() == rowsAtRunEnd_) {
        summary_->setText(runSummary_);
    } else {
        summary_->setText(queueSummary());
    }
    showNewSkippedPaths();
}

QString QueueStatusBar::queueSummary() const {
    const QList<QueueEntryPointer> entries = controller_.files();
    if (entries.isEmpty()) {
        return {};
    }
    std::array<qsizetype, QueueEntryStatusDone + 1> counts{};
    for (const auto& entry : entries) {
        if (const auto status = entry->status(); status >= 0 && status < int(counts.size())) {
            ++counts[status];
        }
    }
    QStringList parts{tr("%Ln file(s)", nullptr, int(entries.size()))};
    if (const auto done = int(counts[QueueEntryStatusDone]); done > 0) {
        parts.append(tr("%Ln done", nullptr, done));
    }
    if (const auto failed = int(counts[QueueEntryStatusFailed]); failed > 0) {
        parts.append(tr("%Ln failed", nullptr, failed));
    }
    return parts.join(QStringLiteral(" · "));
}

void QueueStatusBar::showNewSkippedPaths() {
    const QList<SkippedPath> skipped = controller_.skippedPaths();
    if (skipped.size() <= skippedPathsShown_) {
        return;
    }
    // Told once an intake has ended, not piece by piece while it reads.
    if (controller_.intakeProgress().running) {
        return;
    }
    const QList<SkippedPath> fresh = skipped.mid(skippedPathsShown_);
    skippedPathsShown_ = skipped.size();
    showNotice(describeSkippedPaths(fresh), detailsOfSkippedPaths(fresh));
}

} // namespace decant
