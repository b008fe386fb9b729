#include "cli/ImportRun.h"

#include "cli/ConsolePrompt.h"
#include "cli/ExitStatus.h"
#include "itunes/iTunesHandOff.h"
#include "platform/RunFolder.h"
#include "platform/TextWidth.h"
#include "queue/DecodeBatch.h"
#include "queue/FilePath.h"
#include "store/StoreAlbumReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>

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

// "12 FLAC files"; "12 tracks of 2 FLAC files" once albums are cut by
// their sheets, whose rows are tracks rather than files.
QString countOfFLACFiles(const QList<QueueEntryPointer>& entries) {
    QSet<QByteArray> files;
    for (const auto& entry : entries) {
        files.insert(entry->path());
    }
    const QString fileCount =
        QCoreApplication::translate("decant-cli", "%n FLAC file(s)", nullptr, int(files.size()));
    if (files.size() == entries.size()) {
        return fileCount;
    }
    return QCoreApplication::translate("decant-cli", "%n track(s) of %1", nullptr,
                                       int(entries.size()))
        .arg(fileCount);
}

StoreAlbumReading readFromStore(const QUrl& url) {
    return readStoreAlbum(url);
}

// Why the store gave no songs: a sentence, then the HTTP client's words or
// what was looked for, when there are any.
QStringList reasonsOfNoSongs(const FetchOutcome& outcome) {
    if (!outcome.failure.failed()) {
        return {QCoreApplication::translate("decant-cli", "The store gave no songs.")};
    }
    QStringList reasons{describeStoreFailure(outcome.failure)};
    if (!outcome.detail.isEmpty()) {
        reasons.append(QCoreApplication::translate("decant-cli", "detail: %1").arg(outcome.detail));
    }
    return reasons;
}

} // namespace

ImportRun::ImportRun(Console& console, CommandLineOptions options,
                     MetadataFetchCommand::AlbumReader albumReader)
    : console_(console)
    , options_(std::move(options))
    , albumReader_(albumReader ? std::move(albumReader) : readFromStore)
    // The second signal is this run's to handle; the third ends the process.
    , signals_([this](int signalNumber) { signalCaught(signalNumber); }, 3)
    , library_(std::make_shared<LibraryApplication>(options_.libraryFolder))
    , controller_(std::make_unique<FilesController>(std::make_shared<iTunesHandOff>(library_)))
    , fetch_(*controller_)
    , table_(std::make_shared<ConsoleTable>(*controller_, [this] { progress_.update(); }))
    , progress_(console_, *controller_) {
    controller_->setTableView(table_);
    controller_->setProgressHandler([this] { progress_.update(); });
    fetch_.setPrompt(std::make_shared<ConsolePrompt>(console_, options_.storeURL));
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
    removeAbandonedDecodedFiles();
    controller_->addFiles(paths);
    reportSkippedPaths();
    if (controller_->files().isEmpty()) {
        // Nothing would ever be decoded, so no hand-off would end the wait.
        console_.printProblem(
            QCoreApplication::translate("decant-cli", "no FLAC file among the paths."));
        return ExitIncomplete;
    }
    if (options_.storeURL && !stopRequested() && !applyStorePage()) {
        return ExitIncomplete;
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

void ImportRun::removeAbandonedDecodedFiles() {
    if (const FreedSpace freed = removeAbandonedDecodedAudio(); freed.bytes > 0) {
        console_.printProblem(QCoreApplication::translate(
                                  "decant-cli", "freed %1 of decoded audio left by an earlier run.")
                                  .arg(formatByteCount(freed.bytes)));
    }
}

void ImportRun::reportSkippedPaths() {
    for (const SkippedPath& skipped : controller_->skippedPaths()) {
        console_.printProblem(QCoreApplication::translate("decant-cli", "skipped %1: %2")
                                  .arg(escapeControlCharacters(displayPath(skipped.path)),
                                       escapeControlCharacters(skipped.reason)));
    }
}

bool ImportRun::applyStorePage() {
    // The window's own command: the same checks and the same assignment by
    // position.
    fetch_.setAlbumReader(albumReader_);
    const FetchOutcome outcome = fetch_.fetchMetadata();
    const qsizetype files = controller_->files().size();
    if (outcome.songsApplied > 0) {
        console_.printLine(QCoreApplication::translate(
                               "decant-cli", "Tags from the store applied to %1 of %2 files.")
                               .arg(outcome.songsApplied)
                               .arg(files));
        return true;
    }
    // The user asked for the store's tags: importing with others would
    // leave tracks to find and fix.
    for (const QString& reason : reasonsOfNoSongs(outcome)) {
        console_.printProblem(reason);
    }
    if (options_.keepTags) {
        console_.printProblem(QCoreApplication::translate(
            "decant-cli", "the files keep their own tags (--keep-tags)."));
        return true;
    }
    console_.printProblem(QCoreApplication::translate(
        "decant-cli", "nothing was imported. To import the files with their "
                      "own tags instead, add --keep-tags."));
    return false;
}

void ImportRun::decodeAndHandOff() {
    console_.printLine(QCoreApplication::translate("decant-cli", "Importing %1 into %2")
                           .arg(countOfFLACFiles(controller_->files()),
                                QDir::toNativeSeparators(library_->location())));
    progress_.start();
    controller_->startDecoding(nullptr);
    if (!handOffFinished_) {
        loop_.exec();
    }
}

void ImportRun::removeLeftoverDecodedFiles() const {
    // This process ends, and the next run decodes afresh: nothing uses them
    // once the hand-off is over. A failed decode's file stays for
    // inspection until the next start of Decant or decant-cli.
    controller_->removeDecodedAudio();
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
    console_.printProblem(QCoreApplication::translate(
        "decant-cli", "stopping once the files under way are decoded and "
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
    console_.printProblem(
        QCoreApplication::translate("decant-cli", "stopping now: the library drops the file it is "
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
    console_.printLine(
        QCoreApplication::translate("decant-cli", "\n%1 imported, %2 failed, %3 not imported.")
            .arg(counts.done)
            .arg(counts.failed)
            .arg(counts.notImported));
    if (stopSignal_ == 0) {
        explainFilesNotTaken();
    }
}

void ImportRun::printReasons() {
    QStringList reasons;
    QStringList notes;
    for (const auto& entry : controller_->files()) {
        // A name or a reason stays on its line, whatever it holds.
        const QString name = escapeControlCharacters(entry->fileName());
        if (const QString reason = entry->failureReason(); !reason.isEmpty()) {
            reasons.append(QStringLiteral("  %1: %2").arg(name, escapeControlCharacters(reason)));
        }
        for (const QString& note : entry->notes()) {
            notes.append(QStringLiteral("  %1: %2").arg(name, escapeControlCharacters(note)));
        }
    }
    printSection(QCoreApplication::translate("decant-cli", "\nNot imported:"), reasons);
    printSection(QCoreApplication::translate("decant-cli", "\nLeft out of the files:"), notes);
}

void ImportRun::printSection(const QString& heading, const QStringList& lines) {
    if (lines.isEmpty()) {
        return;
    }
    console_.printLine(heading);
    for (const QString& line : lines) {
        console_.printLine(line);
    }
}

void ImportRun::explainFilesNotTaken() {
    const RunSummary summary = controller_->lastRunSummary();
    if (summary.notTaken == 0) {
        return;
    }
    console_.printProblem(
        summary.notTakenReason.isEmpty()
            ? QCoreApplication::translate(
                  "decant-cli", "the library did not take %n file(s); the reasons are above.",
                  nullptr, summary.notTaken)
            : QCoreApplication::translate("decant-cli", "the library did not take %n file(s): %1",
                                          nullptr, summary.notTaken)
                  .arg(summary.notTakenReason));
}

int ImportRun::exitStatus() const {
    if (stopSignal_ != 0) {
        return exitStatusForSignal(stopSignal_);
    }
    const StatusCounts counts = countStatuses(controller_->files());
    return counts.failed == 0 && counts.notImported == 0 ? ExitSucceeded : ExitIncomplete;
}

} // namespace decant
