#include "cli/ProgressReporter.h"

#include "platform/TextWidth.h"
#include "queue/FilesController.h"

#include <QCoreApplication>

#include <optional>

namespace decant {
namespace {

QString durationText(qint64 seconds) {
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}

QString timeLeftText(const RunProgress& progress) {
    return progress.timeLeft ? QCoreApplication::translate("decant-cli", ", %1 left")
                                   .arg(durationText(progress.timeLeft->count()))
                             : QString();
}

// The files that may still reach the library: all but those that failed.
int filesForTheLibrary(const RunProgress& progress) {
    return progress.total - progress.failed;
}

// A name or a reason stays on its line, whatever it holds.
QString shownFileName(const QueueEntry& entry) {
    return escapeControlCharacters(entry.fileName());
}

QString statusChangeLine(const QueueEntry& entry) {
    QString line =
        QStringLiteral("%1  %2").arg(displayTextForStatus(entry.status()), shownFileName(entry));
    if (const QString reason = entry.failureReason(); !reason.isEmpty()) {
        line += QStringLiteral(": ") + escapeControlCharacters(reason);
    }
    return line;
}

} // namespace

ProgressReporter::ProgressReporter(Console& console, const FilesController& controller)
    : console_(console)
    , controller_(controller) {
    tick_.setInterval(500);
    QObject::connect(&tick_, &QTimer::timeout, &tick_, [this] { redrawStatusLine(); });
}

void ProgressReporter::start() {
    lastWritten_.clear();
    for (const auto& entry : controller_.files()) {
        lastWritten_.append({entry->status(), entry->failureReason()});
    }
    outcomesWritten_ = 0;
    clock_.start();
    started_ = true;
    // The first line is drawn at the first change, once the run has begun.
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
        // The library reports files during its convert; the statuses (and
        // reasons) of the batch change once it has returned.
        printLibraryOutcomes();
        printStatusChanges();
    }
}

void ProgressReporter::setStopping() {
    stopping_ = true;
    update();
}

void ProgressReporter::abandon() {
    finished_ = true;
    tick_.stop();
    console_.endStatusLine();
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

QString ProgressReporter::activity(const RunProgress& progress) const {
    if (finished_) {
        return QCoreApplication::translate("decant-cli", "done");
    }
    if (stopping_) {
        return QCoreApplication::translate("decant-cli", "stopping");
    }
    // Once everything is decoded, the last batch's conversion is the last
    // news until the run ends, a moment after the library has finished.
    const bool lastBatchConverted = progress.converted > 0 && progress.decoded >= progress.total;
    if (progress.converting || lastBatchConverted) {
        return QCoreApplication::translate("decant-cli", "converting %1 of %2%3")
            .arg(progress.converted)
            .arg(filesForTheLibrary(progress))
            .arg(timeLeftText(progress));
    }
    return QCoreApplication::translate("decant-cli", "decoding") + timeLeftText(progress);
}

void ProgressReporter::redrawStatusLine() {
    const RunProgress progress = controller_.runProgress();
    // Tables reloaded before the run has counted its files would say "0 of 0".
    if (!progress.running && !finished_) {
        return;
    }
    QString line = QCoreApplication::translate("decant-cli", "Decoded %1 of %2")
                       .arg(progress.decoded)
                       .arg(progress.total);
    if (progress.failed > 0) {
        line += QCoreApplication::translate("decant-cli", ", %1 failed").arg(progress.failed);
    }
    line +=
        QStringLiteral(" - %1 - %2").arg(activity(progress), durationText(clock_.elapsed() / 1000));
    console_.showStatusLine(line);
}

void ProgressReporter::printStatusChanges() {
    const auto entries = controller_.files();
    for (qsizetype row = 0; row < entries.size(); ++row) {
        const QPair<QueueEntryStatus, QString> now{entries[row]->status(),
                                                   entries[row]->failureReason()};
        if (row < lastWritten_.size() && lastWritten_[row] == now) {
            continue;
        }
        if (row < lastWritten_.size()) {
            lastWritten_[row] = now;
        } else {
            lastWritten_.append(now);
        }
        console_.printLine(statusChangeLine(*entries[row]));
    }
}

void ProgressReporter::printLibraryOutcomes() {
    const QList<LibraryOutcome> outcomes = controller_.libraryOutcomes();
    if (outcomes.size() <= outcomesWritten_) {
        return;
    }
    const RunProgress progress = controller_.runProgress();
    for (; outcomesWritten_ < outcomes.size(); ++outcomesWritten_) {
        const LibraryOutcome& outcome = outcomes[outcomesWritten_];
        console_.printLine(
            QStringLiteral("%1  %2 (%3 of %4%5)")
                .arg(outcome.converted ? QCoreApplication::translate("decant-cli", "Converted")
                                       : QCoreApplication::translate("decant-cli", "Not converted"),
                     shownFileName(*outcome.entry))
                .arg(outcomesWritten_ + 1)
                .arg(filesForTheLibrary(progress))
                .arg(timeLeftText(progress)));
    }
}

} // namespace decant
