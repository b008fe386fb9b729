#include "decode/FLACToWAVDecoder.h"
#include "queue/FilesController.h"

#include <QFile>

namespace decant {

void FilesController::startDecoding(const std::shared_ptr<Control>& sender) {
    if (sender) {
        sender->setEnabled(false);
        startControl_ = sender;
    }
    operationQueue_->cancelAllOperations();
    operationQueue_->setSuspended(true);
    bool scheduled = false;
    for (const auto& entry : files()) {
        // Files already in the library stay there: starting again must not
        // import them a second time.
        if (entry->status() == QueueEntryStatusDone) {
            continue;
        }
        entry->setFailureReason({});
        entry->setStatus(QueueEntryStatusWaiting);
        operationQueue_->addOperation([this, entry] { decodeEntry(entry); });
        scheduled = true;
    }
    reloadTable();
    operationQueue_->setSuspended(false);
    if (!scheduled && operationQueue_->operationCount() == 0) {
        // No run means no hand-off to wait for.
        handOffDidFinish();
    }
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
    post([this, entry] { refreshEntry(entry); });
}

void FilesController::refreshEntry(const QueueEntryPointer& entry) {
    const auto table = tableView();
    if (!table) {
        return;
    }
    const int row = int(files().indexOf(entry));
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
    // The badge is settled before a hand-off starts, so whoever learns that
    // the hand-off has finished also sees the badge gone.
    if (const auto dockBadge = badge()) {
        dockBadge->setBadgeLabel(change > 0 ? QString::number(change) : QString());
    }
    if (change == 0) {
        startHandOff();
    }
}

void FilesController::startHandOff() {
    // One thread per run of the start command; joined when the controller goes.
    std::lock_guard lock(handOffsLock_);
    handOffs_.emplace_back([this] {
        encodeAll();
        post([this] { handOffDidFinish(); });
    });
}

void FilesController::handOffDidFinish() {
    if (startControl_) {
        startControl_->setEnabled(true);
    }
    if (handOffFinished_) {
        handOffFinished_();
    }
}

} // namespace decant
