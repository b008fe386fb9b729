#include "cli/ImportRun.h"

#include "cli/ConsolePrompt.h"
#include "cli/ExitStatus.h"
#include "queue/FilePath.h"
#include "store/iTunesMetadataFetcher.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace decant {
namespace {

struct StatusCounts {
    qsizetype done = 0;
    qsizetype failed = 0;
    qsizetype notImported = 0;
};

StatusCounts countStatuses(const QList<QueueEntryPointer>& entries) {
    StatusCounts counts;
    for (const auto& entry : entries) {
        switch (entry->status()) {
        case QueueEntryStatusDone:
            ++counts.done;
            break;
        case QueueEntryStatusFailed:
            ++counts.failed;
            break;
        default:
            ++counts.notImported;
            break;
        }
    }
    return counts;
}

QString countOfFLACFiles(qsizetype count) {
    return count == 1 ? QStringLiteral("1 FLAC file") : QStringLiteral("%1 FLAC files").arg(count);
}

QList<CommentsDictionary> readFromStore(const QUrl& url) {
    return iTunesMetadataFetcher::fetchMetadataFromAlbumURL(url);
}

} // namespace

ImportRun::ImportRun(Console& console, CommandLineOptions options,
                     FilesController::AlbumReader albumReader)
    : console_(console)
    , options_(std::move(options))
    , albumReader_(albumReader ? std::move(albumReader) : readFromStore)
    // The second signal is this run's to handle; the third ends the process.
    , signals_([this](int signalNumber) { signalCaught(signalNumber); }, 3)
    , library_(std::make_shared<LibraryApplication>(options_.libraryFolder))
    , controller_(std::make_unique<FilesController>(library_))
    , table_(std::make_shared<ConsoleTable>(*controller_, [this] { progress_.update(); }))
    , progress_(console_, *controller_) {
    controller_->setTableView(table_);
    controller_->setProgressHandler([this] { progress_.update(); });
    controller_->setPrompt(std::make_shared<ConsolePrompt>(console_, options_.storeURL));
    controller_->setHandOffFinishedHandler([this] {
        handOffFinished_ = true;
        loop_.quit();
    });
    stoppedCheck_.setInterval(50);
    QObject::connect(&stoppedCheck_, &QTimer::timeout, &loop_, [this] {
        if (!controller_->isRunning()) {
            loop_.quit();
        }
    });
}

ImportRun::~ImportRun() {
    // Decode workers and the hand-off thread finish before the table and
    // the progress they report to go.
    controller_.reset();
}

int ImportRun::exec(const QList<QByteArray>& paths) {
    controller_->addFiles(paths);
    reportSkippedPaths();
    if (controller_->files().isEmpty()) {
        // Nothing would ever be decoded, so no hand-off would end the wait.
        console_.printProblem(QStringLiteral("no FLAC file among the paths."));
        return ExitIncomplete;
    }
    if (options_.storeURL && !stopRequested()) {
        applyStorePage();
    }
    if (!stopRequested()) {
        decodeAndHandOff();
    }
    removeLeftoverDecodedFiles();
    if (stoppingNow_) {
        // Asked twice: the user wants the process gone, not a summary.
        return exitStatus();
    }
    progress_.finish();
    printSummary();
    return exitStatus();
}

void ImportRun::reportSkippedPaths() {
    for (const SkippedPath& skipped : controller_->skippedPaths()) {
        console_.printProblem(
            QStringLiteral("skipped %1: %2").arg(displayPath(skipped.path), skipped.reason));
    }
}

void ImportRun::applyStorePage() {
    songsRead_ = 0;
    controller_->setAlbumReader([this](const QUrl& url) {
        QList<CommentsDictionary> songs = albumReader_(url);
        songsRead_ = songs.size();
        return songs;
    });
    // The controller's own command: the same checks and the same assignment
    // by position as the window's.
    controller_->fetchMetadata();
    const qsizetype files = controller_->files().size();
    if (songsRead_ == 0) {
        console_.printProblem(
            QStringLiteral("the store page gave no songs: the files keep their own tags."));
        return;
    }
    console_.printLine(QStringLiteral("Tags from the store page applied to %1 of %2 files.")
                           .arg(std::min(songsRead_, files))
                           .arg(files));
}

void ImportRun::decodeAndHandOff() {
    console_.printLine(QStringLiteral("Importing %1 into %2")
                           .arg(countOfFLACFiles(controller_->files().size()),
                                QDir::toNativeSeparators(library_->location())));
    progress_.start();
    controller_->startDecoding(nullptr);
    if (!handOffFinished_) {
        loop_.exec();
    }
}

void ImportRun::removeLeftoverDecodedFiles() const {
    // A window keeps them for the next Start; this process ends, and the
    // next run decodes afresh. Nothing uses them once the hand-off is over.
    for (const auto& entry : controller_->files()) {
        if (entry->status() != QueueEntryStatusDone) {
            QFile::remove(entry->decodedPath());
        }
    }
}

void ImportRun::signalCaught(int signalNumber) {
    if (stopSignal_ == 0) {
        stop(signalNumber);
    } else {
        stopNow();
    }
}

void ImportRun::stop(int signalNumber) {
    stopSignal_ = signalNumber;
    console_.printProblem(QStringLiteral("stopping once the files under way are decoded and "
                                         "imported. Press Ctrl-C again to stop at once."));
    // Running decodes finish; when the last has, the controller hands what
    // was decoded to the library, and that hand-off is waited for too.
    // Later batches are not started.
    controller_->stopDecoding();
    progress_.setStopping();
}

void ImportRun::stopNow() {
    if (stoppingNow_) {
        return;
    }
    stoppingNow_ = true;
    progress_.abandon();
    console_.printProblem(QStringLiteral("stopping now: the library drops the file it is "
                                         "converting. Press Ctrl-C again to quit without "
                                         "waiting for it."));
    // The library abandons the file under way within a frame and its
    // convert returns: waited for, so that no half-written file is left in
    // the library. No hand-off starts any more, so none may be there to
    // end the wait: it ends when nothing runs.
    controller_->stopRunning();
    stoppedCheck_.start();
}

bool ImportRun::stopRequested() {
    // A signal that came while a step kept the event loop from running has
    // not been handled yet.
    if (stopSignal_ == 0 && SignalWatcher::caughtSignal() != 0) {
        stop(SignalWatcher::caughtSignal());
    }
    return stopSignal_ != 0;
}

void ImportRun::printSummary() {
    console_.printLine(QString());
    for (const QString& line : table_->lines()) {
        console_.printLine(line);
    }
    printReasons();
    const StatusCounts counts = countStatuses(controller_->files());
    console_.printLine(QStringLiteral("\n%1 imported, %2 failed, %3 not imported.")
                           .arg(counts.done)
                           .arg(counts.failed)
                           .arg(counts.notImported));
    if (stopSignal_ == 0) {
        explainFilesNotTaken();
    }
}

void ImportRun::printReasons() {
    QStringList lines;
    for (const auto& entry : controller_->files()) {
        if (const QString reason = entry->failureReason(); !reason.isEmpty()) {
            lines.append(QStringLiteral("  %1: %2").arg(entry->fileName(), reason));
        }
    }
    if (!lines.isEmpty()) {
        console_.printLine(QStringLiteral("\nNot imported:"));
        for (const QString& line : lines) {
            console_.printLine(line);
        }
    }
}

void ImportRun::explainFilesNotTaken() {
    const RunSummary summary = controller_->lastRunSummary();
    if (summary.notTaken == 0) {
        return;
    }
    const QString files = summary.notTaken == 1 ? QStringLiteral("1 file")
                                                : QStringLiteral("%1 files").arg(summary.notTaken);
    console_.printProblem(
        summary.notTakenReason.isEmpty()
            ? QStringLiteral("the library did not take %1; the reasons are above.").arg(files)
            : QStringLiteral("the library did not take %1: %2").arg(files, summary.notTakenReason));
}

int ImportRun::exitStatus() const {
    if (stopSignal_ != 0) {
        return exitStatusForSignal(stopSignal_);
    }
    const StatusCounts counts = countStatuses(controller_->files());
    return counts.failed == 0 && counts.notImported == 0 ? ExitSucceeded : ExitIncomplete;
}

} // namespace decant
