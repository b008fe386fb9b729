#include "queue/FilesController.h"

#include <algorithm>
#include <unistd.h>

namespace decant {

bool FilesController::canRemoveRow(int row) const {
    const QueueEntryPointer entry = entryAtRow(row);
    if (!entry) {
        return false;
    }
    switch (entry->status()) {
    case QueueEntryStatusDecoding:
    case QueueEntryStatusDecoded:
    case QueueEntryStatusEncoding:
        return false;
    case QueueEntryStatusWaiting:
        // Its decode is queued: the work queue holds the entry.
        return !runUnderWay_ || !runEntries_.contains(entry);
    case QueueEntryStatusFailed:
    case QueueEntryStatusDone:
        return true;
    }
    return false;
}

int FilesController::removeRows(const QList<int>& rows) {
    QList<QueueEntryPointer> leaving;
    for (const int row : rows) {
        if (canRemoveRow(row)) {
            leaving.append(entryAtRow(row));
        }
    }
    if (leaving.isEmpty()) {
        return 0;
    }
    {
        std::lock_guard lock(filesLock_);
        for (const auto& entry : std::as_const(leaving)) {
            files_.removeOne(entry);
            forgetEntry(*entry);
        }
        rowOfEntry_.clear();
        for (int row = 0; row < files_.size(); ++row) {
            rowOfEntry_.insert(files_[row].get(), row);
        }
    }
    for (const auto& entry : std::as_const(leaving)) {
        // A failed decode's partial file, kept for inspection until now.
        ::unlink(entry->decodedPath().toUtf8().constData());
        claims_.release(*entry);
    }
    reloadTable();
    return int(leaving.size());
}

int FilesController::clearFinished() {
    QList<int> done;
    const QList<QueueEntryPointer> entries = files();
    for (int row = 0; row < entries.size(); ++row) {
        if (entries[row]->status() == QueueEntryStatusDone) {
            done.append(row);
        }
    }
    return removeRows(done);
}

void FilesController::stopRun() {
    if (!runUnderWay_ || runStopped_.exchange(true)) {
        return;
    }
    {
        std::lock_guard lock(convertingLock_);
        if (converting_ && handOff_) {
            handOff_->stopConverting();
        }
    }
    bool handOffs = false;
    {
        // Each one not yet joined ends the run as it finishes.
        std::lock_guard lock(handOffsLock_);
        handOffs = !handOffs_.empty();
    }
    // When decodes are under way, the last of them ends the run (see
    // startHandOff).
    stopDecoding();
    if (!handOffs && operationQueue_->operationCount() == 0) {
        post([this] {
            if (runUnderWay_) {
                handOffDidFinish();
            }
        });
    }
}

void FilesController::returnStoppedEntries() {
    for (const auto& entry : std::as_const(runEntries_)) {
        const QueueEntryStatus status = entry->status();
        if (status == QueueEntryStatusDone || status == QueueEntryStatusFailed) {
            continue;
        }
        // Decoded again by the next Start.
        ::unlink(entry->decodedPath().toUtf8().constData());
        entry->setFailureReason(QStringLiteral("stopped"));
        entry->setStatus(QueueEntryStatusWaiting);
    }
    reloadTable();
}

} // namespace decant
