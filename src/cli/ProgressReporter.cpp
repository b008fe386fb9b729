#include "cli/ProgressReporter.h"

#include "cli/ConsoleBadge.h"
#include "queue/FilesController.h"

namespace decant {
namespace {

bool isDecoded(QueueEntryStatus status) {
    return status == QueueEntryStatusDecoded || status == QueueEntryStatusEncoding ||
           status == QueueEntryStatusDone;
}

QString elapsedText(qint64 milliseconds) {
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

QString statusChangeLine(const QueueEntry& entry) {
    QString line =
        QStringLiteral("%1  %2").arg(displayTextForStatus(entry.status()), entry.fileName());
    if (const QString reason = entry.failureReason(); !reason.isEmpty()) {
        line += QStringLiteral(": ") + reason;
    }
    return line;
}

} // namespace

ProgressReporter::ProgressReporter(Console& console, const FilesController& controller,
                                   const ConsoleBadge& badge)
    : console_(console)
    , controller_(controller)
    , badge_(badge) {
    tick_.setInterval(500);
    QObject::connect(&tick_, &QTimer::timeout, &tick_, [this] { redrawStatusLine(); });
}

void ProgressReporter::start() {
    lastStatuses_.clear();
    for (const auto& entry : controller_.files()) {
        lastStatuses_.append(entry->status());
    }
    clock_.start();
    started_ = true;
    // The first line is drawn at the first reload, once the controller has
    // shown the work to do on the badge.
    if (console_.isTerminal()) {
        tick_.start();
    }
}

void ProgressReporter::update() {
    if (!started_ || finished_) {
        return;
    }
    if (console_.isTerminal()) {
        redrawStatusLine();
    } else {
        printStatusChanges();
    }
}

void ProgressReporter::setStopping() {
    stopping_ = true;
    update();
}

void ProgressReporter::finish() {
    if (!started_ || finished_) {
        return;
    }
    // Changes that arrived with the last reload are still to be written.
    update();
    finished_ = true;
    tick_.stop();
    if (console_.isTerminal()) {
        redrawStatusLine();
        console_.endStatusLine();
    }
}

QString ProgressReporter::phase() const {
    if (finished_) {
        return QStringLiteral("done");
    }
    if (stopping_) {
        return QStringLiteral("stopping");
    }
    // The controller shows the decodes still to finish on the badge.
    if (!badge_.label().isEmpty()) {
        return QStringLiteral("decoding");
    }
    return QStringLiteral("importing into the library");
}

void ProgressReporter::redrawStatusLine() {
    const auto entries = controller_.files();
    qsizetype decoded = 0;
    qsizetype failed = 0;
    for (const auto& entry : entries) {
        const QueueEntryStatus status = entry->status();
        decoded += isDecoded(status) ? 1 : 0;
        failed += status == QueueEntryStatusFailed ? 1 : 0;
    }
    QString line = QStringLiteral("Decoded %1 of %2").arg(decoded).arg(entries.size());
    if (failed > 0) {
        line += QStringLiteral(", %1 failed").arg(failed);
    }
    line += QStringLiteral(" - %1 - %2").arg(phase(), elapsedText(clock_.elapsed()));
    console_.showStatusLine(line);
}

void ProgressReporter::printStatusChanges() {
    const auto entries = controller_.files();
    for (qsizetype row = 0; row < entries.size(); ++row) {
        const QueueEntryStatus status = entries[row]->status();
        if (row < lastStatuses_.size() && lastStatuses_[row] == status) {
            continue;
        }
        if (row < lastStatuses_.size()) {
            lastStatuses_[row] = status;
        } else {
            lastStatuses_.append(status);
        }
        console_.printLine(statusChangeLine(*entries[row]));
    }
}

} // namespace decant
