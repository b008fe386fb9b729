#include "queue/CueSheetFinder.h"
#include "queue/DirectoryWalk.h"
#include "queue/FileEntries.h"
#include "queue/FilePath.h"
#include "queue/FilesController.h"

#include <QCoreApplication>
#include <QSet>

#include <cerrno>
#include <chrono>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace decant {
namespace {

// ASCII case-insensitive: the extension's letters are all ASCII.
bool hasExtension(const QByteArray& path, const char* extension) {
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    return dot >= 0 && name.mid(dot + 1).compare(extension, Qt::CaseInsensitive) == 0;
}

bool hasFLACExtension(const QByteArray& path) {
    return hasExtension(path, "flac");
}

QString reasonForUnusablePath(int error) {
    if (error == ENOENT || error == ENOTDIR) {
        return QCoreApplication::translate("decant::FilesController", "no such file or folder");
    }
    return QCoreApplication::translate("decant::FilesController", "cannot be examined (%1)")
        .arg(QString::fromStdString(std::generic_category().message(error)));
}

// Dropping an album's sheet queues the album, as dropping its FLAC file does.
void takeFilesOfSheet(const QByteArray& path, const std::function<void(const QByteArray&)>& take,
                      const std::function<void(const QByteArray&, const QString&)>& skip) {
    const CueResult<QList<QByteArray>> files = flacFilesOfCueSheet(path);
    if (!files.value) {
        skip(path, files.reason);
    } else if (files.value->isEmpty()) {
        skip(path, QCoreApplication::translate("decant::FilesController",
                                               "the CUE sheet names no FLAC file in its folder"));
    }
    for (const QByteArray& file : files.value.value_or(QList<QByteArray>())) {
        take(file);
    }
}

} // namespace

void FilesController::addFile(const QByteArray& path) {
    // Two entries for one path would decode into one WAV file at once.
    if (!hasFLACExtension(path) || isQueued(path)) {
        return;
    }
    // Reads the file's tags: done outside the lock so readers are not held up.
    const QList<QueueEntryPointer> entries = entriesForFile(path);
    std::lock_guard lock(filesLock_);
    for (const auto& entry : entries) {
        appendIfNew(entry);
    }
}

void FilesController::addDirectory(const QByteArray& path) {
    walkFolder(path,
               {hasFLACExtension,
                [this](const QByteArray& file) { addFile(file); },
                [this](const QByteArray& item, const QString& reason) { skipPath(item, reason); },
                {}});
}

void FilesController::addFiles(const QList<QByteArray>& paths) {
    walkPaths(paths, [this](const QByteArray& file) { addFile(file); });
    reloadTable();
}

void FilesController::addFiles(const QStringList& paths) {
    QList<QByteArray> bytes;
    bytes.reserve(paths.size());
    for (const QString& path : paths) {
        bytes.append(pathFromText(path));
    }
    addFiles(bytes);
}

void FilesController::walkPaths(const QList<QByteArray>& paths,
                                const std::function<void(const QByteArray&)>& take,
                                const std::function<bool()>& cancelled) {
    const auto skip = [this](const QByteArray& item, const QString& reason) {
        skipPath(item, reason);
    };
    for (const QByteArray& path : paths) {
        if (cancelled && cancelled()) {
            return;
        }
        // Links are followed here: a link given by name is what it leads to.
        struct stat item {};
        if (stat(path.constData(), &item) != 0) {
            skipPath(path, reasonForUnusablePath(errno));
        } else if (S_ISDIR(item.st_mode)) {
            walkFolder(path, {hasFLACExtension, take, skip, cancelled});
        } else if (hasFLACExtension(path)) {
            take(path);
        } else if (hasExtension(path, "cue")) {
            takeFilesOfSheet(path, take, skip);
        } else {
            skipPath(path, QCoreApplication::translate("decant::FilesController",
                                                       "not named as a FLAC file"));
        }
    }
}

void FilesController::beginAddingFiles(const QList<QByteArray>& paths) {
    if (stopping_) {
        return;
    }
    intakesUnderWay_.fetch_add(1);
    intakeQueue_->addOperation([this, paths] { readInBackground(paths); });
}

namespace {

// Gathers what an intake reads and sends it on a few times a second: often
// enough to show the queue growing, seldom enough that appending costs the
// window nothing.
class EntryBatches {
public:
    using Send = std::function<void(QList<QueueEntryPointer>)>;

    explicit EntryBatches(Send send)
        : send_(std::move(send)) {}

    void add(QueueEntryPointer entry) {
        entries_.append(std::move(entry));
        if (std::chrono::steady_clock::now() - lastSent_ >= interval) {
            flush();
        }
    }

    void flush() {
        if (!entries_.isEmpty()) {
            send_(std::exchange(entries_, {}));
        }
        lastSent_ = std::chrono::steady_clock::now();
    }

private:
    static constexpr std::chrono::milliseconds interval{200};
    Send send_;
    QList<QueueEntryPointer> entries_;
    std::chrono::steady_clock::time_point lastSent_ = std::chrono::steady_clock::now();
};

} // namespace

void FilesController::readInBackground(const QList<QByteArray>& paths) {
    EntryBatches batches([this](QList<QueueEntryPointer> entries) {
        post([this, entries = std::move(entries)] { appendEntries(entries); });
    });
    // A path read twice in one intake would be dropped as it is appended;
    // not reading it again spares the disk. Paths queued by an earlier intake
    // whose last batch is still on its way are dropped there.
    QSet<QByteArray> read;
    const auto cancelled = [this] { return stopping_.load(); };
    walkPaths(
        paths,
        [&](const QByteArray& path) {
            if (cancelled() || read.contains(path) || isQueued(path)) {
                return;
            }
            read.insert(path);
            for (auto& entry : entriesForFile(path)) {
                batches.add(std::move(entry));
            }
            filesReadByIntakes_.fetch_add(1);
        },
        cancelled);
    batches.flush();
    post([this] { intakeDidFinish(); });
}

void FilesController::appendEntries(const QList<QueueEntryPointer>& entries) {
    {
        std::lock_guard lock(filesLock_);
        for (const auto& entry : entries) {
            appendIfNew(entry);
        }
    }
    if (const auto table = tableView()) {
        table->reloadAppendedRows();
    }
    if (intakeHandler_) {
        intakeHandler_();
    }
}

void FilesController::intakeDidFinish() {
    if (intakesUnderWay_.fetch_sub(1) == 1) {
        filesReadByIntakes_.store(0);
    }
    if (intakeHandler_) {
        intakeHandler_();
    }
}

IntakeProgress FilesController::intakeProgress() const {
    return {intakesUnderWay_.load() > 0, filesReadByIntakes_.load()};
}

bool FilesController::isQueued(const QByteArray& path) const {
    std::lock_guard lock(filesLock_);
    return queuedKeys_.contains(path);
}

void FilesController::appendIfNew(QueueEntryPointer entry) {
    const QByteArray key = entry->queueKey();
    const QByteArray path = entry->path();
    // A sheet added or removed since the file was queued would otherwise
    // import its audio twice, whole and cut.
    const bool otherCut =
        entry->track() ? queuedKeys_.contains(path) : queuedTracksOfFile_.value(path) > 0;
    if (queuedKeys_.contains(key) || otherCut) {
        return;
    }
    queuedKeys_.insert(key);
    if (entry->track()) {
        ++queuedTracksOfFile_[path];
    }
    rowOfEntry_.insert(entry.get(), int(files_.size()));
    files_.append(std::move(entry));
}

void FilesController::forgetEntry(const QueueEntry& entry) {
    queuedKeys_.remove(entry.queueKey());
    if (entry.track() && --queuedTracksOfFile_[entry.path()] <= 0) {
        queuedTracksOfFile_.remove(entry.path());
    }
}

int FilesController::rowOfEntry(const QueueEntryPointer& entry) const {
    std::lock_guard lock(filesLock_);
    return rowOfEntry_.value(entry.get(), -1);
}

QList<SkippedPath> FilesController::skippedPaths() const {
    std::lock_guard lock(filesLock_);
    return skippedPaths_;
}

void FilesController::skipPath(const QByteArray& path, const QString& reason) {
    std::lock_guard lock(filesLock_);
    skippedPaths_.append({path, reason});
}

} // namespace decant
