#include "decode/FLACToWAVDecoder.h"
#include "platform/TemporaryDirectory.h"
#include "queue/DecodeBatch.h"
#include "queue/FilesController.h"

#include <QFile>

#include <algorithm>

namespace decant {

void FilesController::startDecoding(const std::shared_ptr<Control>& sender) {
    if (runUnderWay_) {
        return;
    }
    if (sender) {
        sender->setEnabled(false);
        startControl_ = sender;
    }
    operationQueue_->cancelAllOperations();
    // The tags go to the library with this run: undoing the fetch after it
    // would change the queue and not the tracks.
    commentsBeforeFetch_.clear();
    QList<QueueEntryPointer> run;
    for (const auto& entry : files()) {
        // Files already in the library stay there: starting again must not
        // import them a second time.
        if (entry->status() == QueueEntryStatusDone) {
            continue;
        }
        entry->setFailureReason({});
        entry->setStatus(QueueEntryStatusWaiting);
        run.append(entry);
    }
    reloadTable();
    runEntries_ = run;
    progress_.startRun(int(run.size()), RunProgressTracker::Clock::now());
    progressDidChange();
    if (run.isEmpty()) {
        // No run means no hand-off to wait for.
        runDidFinish();
        return;
    }
    runUnderWay_ = true;
    laterInRun_ = run;
    startNextBatch();
}

void FilesController::startNextBatch() {
    const std::optional<uint64_t> space = usableTemporarySpace();
    const DecodeBatch batch = nextDecodeBatch(laterInRun_, space);
    failForWantOfSpace(batch.tooLarge, space.value_or(0));
    laterInRun_ = batch.later;
    laterInRunCount_.store(int(batch.later.size()));
    if (batch.entries.isEmpty()) {
        // Every file left was too large: no decode will end the run.
        if (const auto dockBadge = badge()) {
            dockBadge->setBadgeLabel(QString());
        }
        runDidFinish();
        return;
    }
    progress_.startDecoding(RunProgressTracker::Clock::now());
    // Suspended while they are added, so the count rises to the batch's
    // size before any decode starts.
    operationQueue_->setSuspended(true);
    for (const auto& entry : batch.entries) {
        operationQueue_->addOperation([this, entry] { decodeEntry(entry); });
    }
    operationQueue_->setSuspended(false);
}

void FilesController::failForWantOfSpace(const QList<QueueEntryPointer>& entries,
                                         uint64_t usableSpace) {
    for (const auto& entry : entries) {
        entry->setFailureReason(describeSpaceShortfall(entry->expectedDecodedSize(), usableSpace));
        entry->setStatus(QueueEntryStatusFailed);
        progress_.decodeFinished(true);
        refreshEntry(entry);
    }
    if (!entries.isEmpty()) {
        progressDidChange();
    }
}

std::optional<uint64_t> FilesController::usableTemporarySpace() const {
    const std::optional<uint64_t> free =
        freeSpaceQuery_ ? freeSpaceQuery_() : freeSpaceIn(temporaryDirectory());
    if (!free) {
        // Not known: one batch, and a disk that fills fails its files with
        // their reason.
        return std::nullopt;
    }
    return *free > temporarySpaceMargin ? *free - temporarySpaceMargin : 0;
}

void FilesController::stopDecoding() {
    laterInRun_.clear();
    laterInRunCount_.store(0);
    operationQueue_->cancelAllOperations();
}

void FilesController::decodeEntry(const QueueEntryPointer& entry) {
    entry->setStatus(QueueEntryStatusDecoding);
    post([this, entry] { refreshEntry(entry); });
    const QByteArray source = entry->path();
    const QString decodedPath = entry->decodedPath();
    const DecodeResult result =
        decodeFLACToWAVWithResult(source.constData(), decodedPath.toUtf8().constData());
    if (result.outcome == DecodeOutcome::Decoded) {
        entry->setStatus(QueueEntryStatusDecoded);
    } else {
        entry->setFailureReason(QString::fromStdString(describeResult(result)));
        // Other failures leave their partial file for inspection; one cut
        // short by a full disk shows nothing and holds the space the rest of
        // the run needs.
        if (result.outcome == DecodeOutcome::NoSpace) {
            QFile::remove(decodedPath);
        }
        entry->setStatus(QueueEntryStatusFailed);
    }
    progress_.decodeFinished(result.outcome != DecodeOutcome::Decoded);
    post([this, entry] { refreshEntry(entry); });
    progressDidChange();
}

void FilesController::refreshEntry(const QueueEntryPointer& entry) {
    const auto table = tableView();
    if (!table) {
        return;
    }
    const int row = rowOfEntry(entry);
    const int column = table->columnWithIdentifier(QStringLiteral("status"));
    if (row >= 0 && column >= 0) {
        table->reloadCell(row, column);
    }
}

void FilesController::observeValueForKeyPathOfObjectChangeContext(const QString& keyPath,
                                                                  const void* object, int change) {
    if (object != operationQueue_.get() || keyPath != QLatin1String("operationCount")) {
        return;
    }
    // The badge counts the whole run, the later batches too. It is settled
    // before a hand-off starts, so whoever learns that the run has finished
    // also sees the badge gone.
    const int left = change + laterInRunCount_.load();
    if (const auto dockBadge = badge()) {
        dockBadge->setBadgeLabel(left > 0 ? QString::number(left) : QString());
    }
    if (change == 0) {
        startHandOff();
    }
}

void FilesController::startHandOff() {
    // One thread per batch, joined once it has finished.
    std::lock_guard lock(handOffsLock_);
    if (stopping_) {
        return;
    }
    joinFinishedHandOffs();
    HandOff& handOff = handOffs_.emplace_back();
    handOff.thread = std::jthread([this, &handOff] {
        encodeAll();
        // Marked before the main thread is told, so that it can join it then.
        handOff.finished.store(true);
        post([this] { handOffDidFinish(); });
    });
}

void FilesController::joinFinishedHandOffs() {
    // A finished thread is at most returning from its last post: joining it
    // takes no time.
    handOffs_.remove_if([](const HandOff& handOff) { return handOff.finished.load(); });
}

void FilesController::stopRunning() {
    {
        std::lock_guard lock(handOffsLock_);
        stopping_ = true;
    }
    stopDecoding();
    if (iTunes_) {
        iTunes_->stopConverting();
    }
}

bool FilesController::isRunning() const {
    if (operationQueue_->operationCount() > 0 || intakesUnderWay_.load() > 0) {
        return true;
    }
    std::lock_guard lock(handOffsLock_);
    return std::any_of(handOffs_.begin(), handOffs_.end(),
                       [](const HandOff& handOff) { return !handOff.finished.load(); });
}

int FilesController::handOffThreadCount() const {
    std::lock_guard lock(handOffsLock_);
    return int(handOffs_.size());
}

void FilesController::handOffDidFinish() {
    {
        std::lock_guard lock(handOffsLock_);
        joinFinishedHandOffs();
    }
    if (runUnderWay_ && !laterInRun_.isEmpty() && !stopping_) {
        startNextBatch();
        return;
    }
    runDidFinish();
}

void FilesController::runDidFinish() {
    runUnderWay_ = false;
    laterInRun_.clear();
    laterInRunCount_.store(0);
    progress_.finishRun();
    lastRunSummary_ = summariseRun(runEntries_);
    progressDidChange();
    if (startControl_) {
        startControl_->setEnabled(true);
    }
    if (handOffFinished_) {
        handOffFinished_();
    }
}

} // namespace decant
