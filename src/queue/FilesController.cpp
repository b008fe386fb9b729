#include "queue/FilesController.h"

#include "platform/MainThread.h"

#include <QCoreApplication>

namespace decant {

FilesController::FilesController(std::shared_ptr<LibraryHandOff> handOff)
    : handOff_(std::move(handOff))
    , operationQueue_(std::make_unique<WorkQueue>(WorkQueue::processorCount()))
    , intakeQueue_(std::make_unique<WorkQueue>(1))
    , mainThreadContext_(std::make_unique<QObject>()) {
    operationQueue_->setCountObserver([this](int count) {
        observeValueForKeyPathOfObjectChangeContext(QStringLiteral("operationCount"),
                                                    operationQueue_.get(), count);
    });
    if (handOff_) {
        // Runs on the library's threads.
        handOff_->setConversionObserver(
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
    // No batch runs any more; the hand-off may outlive the controller.
    if (handOff_) {
        handOff_->setConversionObserver(nullptr);
    }
    claims_.releaseAll();
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
