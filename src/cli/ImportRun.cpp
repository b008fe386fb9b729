#include "cli/ImportRun.h"

#include "cli/ConsolePrompt.h"
#include "cli/ExitStatus.h"
#include "library/Library.h"
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
    , signals_([this](int signalNumber) { stop(signalNumber); })
    // The library's handle is kept for its opening error, which the
    // scripting interface has no way to report.
    , library_(std::make_shared<LibraryApplication>(
          options_.libraryFolder.isEmpty()
              ? QString()
              : QDir::current().absoluteFilePath(options_.libraryFolder)))
    , badge_(std::make_shared<ConsoleBadge>())
    , controller_(std::make_unique<FilesController>(library_))
    , table_(std::make_shared<ConsoleTable>(*controller_, [this] { progress_.update(); }))
    , progress_(console_, *controller_, *badge_) {
    controller_->setTableView(table_);
    controller_->setBadge(badge_);
    controller_->setPrompt(std::make_shared<ConsolePrompt>(console_, options_.storeURL));
    controller_->setHandOffFinishedHandler([this] {
        handOffFinished_ = true;
        loop_.quit();
    });
}

ImportRun::~ImportRun() {
    // Decode workers and the hand-off thread finish before the table, the
    // badge and the progress they report to go.
    controller_.reset();
}

int ImportRun::exec(const QList<QByteArray>& paths) {
    controller_->addFiles(paths);
    reportSkippedPaths();
    if (controller_->files().isEmpty()) {
        // Nothing would ever be decoded, so no hand-off would end the wait.
        console_.printProblem(QStringLiteral("No FLAC file among the paths."));
        return ExitIncomplete;
    }
    if (options_.storeURL && !stopRequested()) {
        applyStorePage();
    }
    if (!stopRequested()) {
        decodeAndHandOff();
    }
    removeLeftoverDecodedFiles();
    progress_.finish();
    printSummary();
    return exitStatus();
}

void ImportRun::reportSkippedPaths() {
    for (const SkippedPath& skipped : controller_->skippedPaths()) {
        console_.printProblem(
            QStringLiteral("Skipped %1: %2").arg(displayPath(skipped.path), skipped.reason));
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
            QStringLiteral("The store page gave no songs: the files keep their own tags."));
        return;
    }
    console_.printLine(QStringLiteral("Tags from the store page applied to %1 of %2 files.")
                           .arg(std::min(songsRead_, files))
                           .arg(files));
}

void ImportRun::decodeAndHandOff() {
    console_.printLine(QStringLiteral("Importing %1 into %2")
                           .arg(countOfFLACFiles(controller_->files().size()),
                                QDir::toNativeSeparators(libraryLocation())));
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

void ImportRun::stop(int signalNumber) {
    if (stopSignal_ != 0) {
        return;
    }
    stopSignal_ = signalNumber;
    console_.printProblem(QStringLiteral("Stopping once the files under way are decoded and "
                                         "imported. Press Ctrl-C again to quit at once."));
    // Running decodes finish; when the last has, the controller hands what
    // was decoded to the library, and that hand-off is waited for too.
    // Later batches are not started.
    controller_->stopDecoding();
    progress_.setStopping();
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
    printFailureReasons();
    const StatusCounts counts = countStatuses(controller_->files());
    console_.printLine(QStringLiteral("\n%1 imported, %2 failed, %3 not imported.")
                           .arg(counts.done)
                           .arg(counts.failed)
                           .arg(counts.notImported));
    if (counts.notImported > 0 && stopSignal_ == 0) {
        explainFilesNotImported(counts.notImported);
    }
}

void ImportRun::printFailureReasons() {
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

void ImportRun::explainFilesNotImported(qsizetype count) {
    const QString openingError = library_->openingError();
    if (!openingError.isEmpty()) {
        console_.printProblem(
            QStringLiteral("The library could not be opened: %1").arg(openingError));
        return;
    }
    console_.printProblem(
        QStringLiteral("The library did not take %1 of the decoded files.").arg(count));
}

int ImportRun::exitStatus() const {
    if (stopSignal_ != 0) {
        return exitStatusForSignal(stopSignal_);
    }
    const StatusCounts counts = countStatuses(controller_->files());
    return counts.failed == 0 && counts.notImported == 0 ? ExitSucceeded : ExitIncomplete;
}

QString ImportRun::libraryLocation() const {
    return options_.libraryFolder.isEmpty()
               ? library::Library::defaultLocation()
               : QDir::current().absoluteFilePath(options_.libraryFolder);
}

} // namespace decant
