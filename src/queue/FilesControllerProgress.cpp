#include "queue/FilesController.h"

namespace decant {

RunProgress FilesController::runProgress() const {
    return progress_.progress(RunProgressTracker::Clock::now());
}

void FilesController::progressDidChange() {
    // One call waits at a time: the changes that come meanwhile are all seen
    // by it, since the flag is cleared before the handler reads the progress.
    if (progressCallPending_.exchange(true)) {
        return;
    }
    post([this] {
        progressCallPending_.store(false);
        if (progressHandler_) {
            progressHandler_();
        }
    });
}

void FilesController::libraryDidFinishFile(const QUrl& file, bool converted) {
    if (progress_.fileFinished(file, converted)) {
        progressDidChange();
    }
    QueueEntryPointer entry;
    {
        std::lock_guard lock(stagesLock_);
        entry = withLibrary_.value(file);
        if (entry && converted) {
            proved_.insert(entry.get());
        }
    }
    if (entry) {
        post([this, entry] { refreshEntry(entry); });
    }
}

void FilesController::setBatchWithLibrary(const HandOffBatch& batch) {
    std::lock_guard lock(stagesLock_);
    withLibrary_.clear();
    inBatch_.clear();
    proved_.clear();
    for (const auto& [file, entry] : batch) {
        withLibrary_.insert(file, entry);
        inBatch_.insert(entry.get());
    }
}

FilesController::HandOffStage FilesController::handOffStageOfRow(int row) const {
    const QueueEntryPointer entry = entryAtRow(row);
    if (!entry || entry->status() != QueueEntryStatusEncoding) {
        return HandOffStage::None;
    }
    std::lock_guard lock(stagesLock_);
    return proved_.contains(entry.get())    ? HandOffStage::Proved
           : inBatch_.contains(entry.get()) ? HandOffStage::Converting
                                            : HandOffStage::None;
}

} // namespace decant
