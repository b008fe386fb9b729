#include "queue/RunSummary.h"

#include <QCoreApplication>

namespace decant {
namespace {

QString text(const char* source, int count) {
    return QCoreApplication::translate("decant::RunSummary", source, nullptr, count);
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
        return QCoreApplication::translate("decant::RunSummary", "No files to import");
    }
    QStringList parts{
        text(QT_TRANSLATE_N_NOOP("decant::RunSummary", "%n file(s) imported"), summary.imported)};
    if (summary.failed > 0) {
        parts.append(text(QT_TRANSLATE_N_NOOP("decant::RunSummary", "%n failed"), summary.failed));
    }
    if (summary.notTaken > 0) {
        QString part =
            text(QT_TRANSLATE_N_NOOP("decant::RunSummary", "%n not taken by the library"),
                 summary.notTaken);
        if (!summary.notTakenReason.isEmpty()) {
            part += QStringLiteral(" (%1)").arg(summary.notTakenReason);
        }
        parts.append(part);
    }
    if (summary.stopped > 0) {
        parts.append(
            text(QT_TRANSLATE_N_NOOP("decant::RunSummary", "%n stopped"), summary.stopped));
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace decant
