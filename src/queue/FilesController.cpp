#include "queue/FilesController.h"

#include "itunes/ScriptingBridge.h"

namespace decant {

FilesController::FilesController()
    : FilesController(applicationWithBundleIdentifier(QLatin1String(iTunesBundleIdentifier))) {}

FilesController::FilesController(iTunesApplicationPointer iTunes)
    : iTunes_(std::move(iTunes)) {
    if (iTunes_) {
        iTunes_->setTimeout(iTunesApplication::noTimeout);
    }
}

FilesController::~FilesController() = default;

QList<QueueEntryPointer> FilesController::files() const {
    std::lock_guard lock(filesLock_);
    return files_;
}

void FilesController::reloadTable() const {
    if (const auto table = tableView()) {
        table->reloadData();
    }
}

} // namespace decant
