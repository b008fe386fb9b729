#include "queue/FilesController.h"

#include "itunes/CommentMap.h"
#include "itunes/ScriptingBridge.h"
#include "platform/MainThread.h"

#include <QCoreApplication>

namespace decant {

FilesController::FilesController()
    : FilesController(applicationWithBundleIdentifier(QLatin1String(iTunesBundleIdentifier))) {}

FilesController::FilesController(iTunesApplicationPointer iTunes)
    : iTunes_(std::move(iTunes))
    , operationQueue_(std::make_unique<WorkQueue>(WorkQueue::processorCount()))
    , commentMap_(loadCommentMap())
    , intakeQueue_(std::make_unique<WorkQueue>(1))
    , mainThreadContext_(std::make_unique<QObject>()) {
    operationQueue_->setCountObserver([this](int count) {
        observeValueForKeyPathOfObjectChangeContext(QStringLiteral("operationCount"),
                                                    operationQueue_.get(), count);
    });
    if (iTunes_) {
        iTunes_->setTimeout(iTunesApplication::noTimeout);
        // Runs on the library's threads.
        iTunes_->setConversionObserver(
            [this](const QUrl& file, bool converted) { libraryDidFinishFile(file, converted); });
    }
}

FilesController::~FilesController() {
    // Workers, the intake's thread and hand-off threads use the controller:
    // stop them first.
    stopping_ = true;
    intakeQueue_.reset();
    operationQueue_->setCountObserver(nullptr);
    operationQueue_.reset();
    {
        std::lock_guard lock(handOffsLock_);
        handOffs_.clear();
    }
    // No convert runs any more; the handle may outlive the controller.
    if (iTunes_) {
        iTunes_->setConversionObserver(nullptr);
    }
}

QList<QueueEntryPointer> FilesController::files() const {
    std::lock_guard lock(filesLock_);
    return files_;
}

void FilesController::reloadTable() const {
    if (const auto table = tableView()) {
        table->reloadData();
    }
}

void FilesController::post(std::function<void()> work) const {
    runOnMainThread(mainThreadContext_.get(), std::move(work));
}

} // namespace decant
