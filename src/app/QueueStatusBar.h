#pragma once

#include "queue/RunProgress.h"
#include "queue/RunSummary.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QLabel;
class QStatusBar;

namespace decant {

class FilesController;
class RunProgressWidget;

// The window's status bar. On the left, a notice of what just happened: the
// selected file's reason, a fetch's outcome, paths an intake passed over.
// On the right, lasting, the run's progress while one runs, and the queue's
// summary ("6 files · 2 done · 1 failed", "Adding 12,000 files…", or once a
// run has ended what it did).
// The notice is a widget of the bar, not a temporary message, so a menu's
// status tip covers it only while the pointer is there; the summary is a
// permanent widget, which nothing covers. Main thread.
class QueueStatusBar final : public QObject {
    Q_OBJECT

public:
    QueueStatusBar(QStatusBar& bar, FilesController& controller);

    void showNotice(const QString& text, const QString& details = {});
    QString notice() const;
    QString summary() const;

    // The queue changed (rows, statuses, an intake's progress): the summary
    // follows at once, then at most a few times a second however often this
    // is called, since counting a large queue on every status change would
    // stall the window. Also tells of paths an intake has passed over.
    void queueChanged();
    // The selected row changed, or its entry did: its reason, if it has one,
    // becomes the notice.
    void showReasonOfRow(int row);

    void showProgress(const RunProgress& progress);
    // A run has ended: the summary says what it did until the queue grows
    // or the next run starts, and the notice why the library did not take
    // the files it did not.
    void showRunSummary(const RunSummary& summary);
    // A run starts: the notice and the last run's summary go.
    void runStarted();

private:
    void refresh();
    QString queueSummary() const;
    void showNewSkippedPaths();

    FilesController& controller_;
    QPointer<QLabel> notice_;
    QPointer<QLabel> summary_;
    QPointer<RunProgressWidget> progress_;
    QTimer throttle_;
    bool changedMeanwhile_ = false;
    // Whether the notice is a row's reason, which another row's selection
    // takes away.
    bool noticeIsReason_ = false;
    qsizetype skippedPathsShown_ = 0;
    QString runSummary_;
    int rowsAtRunEnd_ = 0;
};

} // namespace decant
