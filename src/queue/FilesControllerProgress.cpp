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
}

} // namespace decant
