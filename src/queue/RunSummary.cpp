#include "queue/RunSummary.h"

namespace decant {
namespace {

QString countOfFiles(int count) {
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}

void countEntry(const QueueEntry& entry, RunSummary& summary, bool& reasonsDiffer) {
    switch (entry.status()) {
    case QueueEntryStatusDone:
        ++summary.imported;
        return;
    case QueueEntryStatusFailed:
        ++summary.failed;
        return;
    case QueueEntryStatusEncoding: {
        const QString reason = entry.failureReason();
        if (summary.notTaken++ == 0) {
            summary.notTakenReason = reason;
        } else if (reason != summary.notTakenReason) {
            reasonsDiffer = true;
        }
        return;
    }
    default:
        ++summary.stopped;
        return;
    }
}

} // namespace

RunSummary summariseRun(const QList<QueueEntryPointer>& run) {
    RunSummary summary;
    bool reasonsDiffer = false;
    for (const auto& entry : run) {
        countEntry(*entry, summary, reasonsDiffer);
    }
    if (reasonsDiffer) {
        summary.notTakenReason.clear();
    }
    summary.text = describeRunSummary(summary);
    return summary;
}

QString describeRunSummary(const RunSummary& summary) {
    if (summary.imported + summary.failed + summary.notTaken + summary.stopped == 0) {
        return QStringLiteral("No files to import");
    }
    QStringList parts{countOfFiles(summary.imported) + QStringLiteral(" imported")};
    if (summary.failed > 0) {
        parts.append(QStringLiteral("%1 failed").arg(summary.failed));
    }
    if (summary.notTaken > 0) {
        QString part = QStringLiteral("%1 not taken by the library").arg(summary.notTaken);
        if (!summary.notTakenReason.isEmpty()) {
            part += QStringLiteral(" (%1)").arg(summary.notTakenReason);
        }
        parts.append(part);
    }
    if (summary.stopped > 0) {
        parts.append(QStringLiteral("%1 stopped").arg(summary.stopped));
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace decant
