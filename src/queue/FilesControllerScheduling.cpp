#include "decode/FLACSliceDecoder.h"
#include "decode/FLACToWAVDecoder.h"
#include "platform/RunFolder.h"
#include "platform/TemporaryDirectory.h"
#include "queue/DecodeBatch.h"
#include "queue/FilesController.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <unistd.h>

namespace decant {
namespace {

// The decoder's reason in the user's language. Runs on a decoding thread;
// translating only reads the installed translators.
QString describeDecodeFailure(const DecodeResult& result) {
    if (result.outcome == DecodeOutcome::StreamTruncated) {
        return QCoreApplication::translate("decant::DecodeOutcome",
                                           "stream ends after %1 of %2 samples")
            .arg(result.samplesDecoded)
            .arg(result.samplesAnnounced);
    }
    return QCoreApplication::translate("decant::DecodeOutcome",
                                       std::string(describeOutcome(result.outcome)).c_str());
}

} // namespace

void FilesController::startDecoding(const std::shared_ptr<Control>& sender) {
    if (runUnderWay_) {
        return;
    }
    if (sender) {
        sender->setEnabled(false);
        startControl_ = sender;
    }
    operationQueue_->cancelAllOperations();
    runStopped_.store(false);
    // The tags go to the library with this run: undoing a fetch after it
    // would change the queue and not the tracks.
    ++runsStarted_;
    QList<QueueEntryPointer> run;
    for (const auto& entry : files()) {
        // Files already in the library stay there: starting again must not
        // import them a second time.
        if (entry->status() == QueueEntryStatusDone) {
            continue;
        }
        entry->setFailureReason({});
        entry->setStatus(QueueEntryStatusWaiting);
        run.append(entry);
    }
    reloadTable();
    runEntries_ = run;
    progress_.startRun(int(run.size()), RunProgressTracker::Clock::now());
    const QList<QueueEntryPointer> claimed = claimSources(run);
    progressDidChange();
    if (claimed.isEmpty()) {
        // No run means no hand-off to wait for.
        runDidFinish();
        return;
    }
    runUnderWay_ = true;
    laterInRun_ = claimed;
    startNextBatch();
}

QList<QueueEntryPointer> FilesController::claimSources(const QList<QueueEntryPointer>& run) {
    // All at once, before any decode: a second process started a moment
    // later finds the whole run taken, not a file here and there.
    QList<QueueEntryPointer> claimed;
    for (const auto& entry : run) {
        if (const std::optional<QString> busy = claims_.claim(*entry)) {
            failBeforeDecoding(entry, *busy);
        } else {
            claimed.append(entry);
        }
    }
    return claimed;
}

void FilesController::startNextBatch() {
    const std::optional<FileSystemSpace> space = temporarySpace();
    // Not known: one batch, and a disk that fills fails its files with
    // their reason.
    const DecodeBatch batch = nextDecodeBatch(
        laterInRun_, space ? std::optional(usableTemporarySpace(*space)) : std::nullopt);
    failForWantOfSpace(batch.tooLarge, space.value_or(FileSystemSpace()));
    laterInRun_ = batch.later;
    laterInRunCount_.store(int(batch.later.size()));
    if (batch.entries.isEmpty()) {
        // Every file left was too large: no decode will end the run.
        if (const auto dockBadge = badge()) {
            dockBadge->setBadgeLabel(QString());
        }
        runDidFinish();
        return;
    }
    progress_.startDecoding(RunProgressTracker::Clock::now());
    // Suspended while they are added, so the count rises to the batch's
    // size before any decode starts.
    operationQueue_->setSuspended(true);
    // The tracks of one file are decoded together, in one pass over it.
    QList<QByteArray> cutFiles;
    QHash<QByteArray, QList<QueueEntryPointer>> tracksOfFile;
    for (const auto& entry : batch.entries) {
        if (!entry->track()) {
            operationQueue_->addOperation([this, entry] { decodeEntry(entry); });
            continue;
        }
        QList<QueueEntryPointer>& tracks = tracksOfFile[entry->path()];
        if (tracks.isEmpty()) {
            cutFiles.append(entry->path());
        }
        tracks.append(entry);
    }
    for (const QByteArray& file : std::as_const(cutFiles)) {
        operationQueue_->addOperation(
            [this, tracks = tracksOfFile.value(file)] { decodeTracks(tracks); });
    }
    operationQueue_->setSuspended(false);
}

void FilesController::failForWantOfSpace(const QList<QueueEntryPointer>& entries,
                                         const FileSystemSpace& space) {
    for (const auto& entry : entries) {
        failBeforeDecoding(entry, describeSpaceShortfall(entry->expectedDecodedSize(), space));
        claims_.release(*entry);
    }
    if (!entries.isEmpty()) {
        progressDidChange();
    }
}

void FilesController::failBeforeDecoding(const QueueEntryPointer& entry, const QString& reason) {
    entry->setFailureReason(reason);
    entry->setStatus(QueueEntryStatusFailed);
    progress_.decodeFinished(true);
    refreshEntry(entry);
}

std::optional<FileSystemSpace> FilesController::temporarySpace() const {
    return freeSpaceQuery_ ? freeSpaceQuery_() : fileSystemSpaceIn(runDirectory());
}

void FilesController::stopDecoding() {
    // Left Waiting: another process may take them meanwhile.
    for (const auto& entry : std::as_const(laterInRun_)) {
        claims_.release(*entry);
    }
    laterInRun_.clear();
    laterInRunCount_.store(0);
    operationQueue_->cancelAllOperations();
}

void FilesController::decodeEntry(const QueueEntryPointer& entry) {
    entry->setStatus(QueueEntryStatusDecoding);
    post([this, entry] { refreshEntry(entry); });
    // Held since the run began; claimed here only by a decode that no run
    // scheduled.
    if (const std::optional<QString> busy = claims_.claim(*entry)) {
        failDecode(entry, *busy);
        return;
    }
    const QByteArray source = entry->path();
    const QByteArray decodedPath = entry->decodedPath().toUtf8();
    // The run folder is this process's alone: a file there is what an
    // earlier decode of this entry left, and the decode creates its own.
    ::unlink(decodedPath.constData());
    const DecodeResult result = decodeFLACToWAVWithResult(
        source.constData(), decodedPath.constData(), DestinationMode::CreateNew);
    if (result.outcome != DecodeOutcome::Decoded) {
        // Other failures leave their partial file for inspection; one cut
        // short by a full disk shows nothing and holds the space the rest of
        // the run needs.
        if (result.outcome == DecodeOutcome::NoSpace) {
            ::unlink(decodedPath.constData());
        }
        claims_.release(*entry);
        failDecode(entry, describeDecodeFailure(result));
        return;
    }
    entry->setAudioDigest(QString::fromStdString(result.audioDigest));
    entry->setSampleCheck(QString::fromStdString(result.sampleCheck));
    entry->setStatus(QueueEntryStatusDecoded);
    progress_.decodeFinished(false);
    post([this, entry] { refreshEntry(entry); });
    progressDidChange();
}

void FilesController::decodeTracks(const QList<QueueEntryPointer>& tracks) {
    QList<QueueEntryPointer> claimed;
    for (const auto& entry : tracks) {
        entry->setStatus(QueueEntryStatusDecoding);
        post([this, entry] { refreshEntry(entry); });
        if (const std::optional<QString> busy = claims_.claim(*entry)) {
            failDecode(entry, *busy);
        } else {
            claimed.append(entry);
        }
    }
    if (claimed.isEmpty()) {
        return;
    }
    std::sort(claimed.begin(), claimed.end(), [](const auto& first, const auto& second) {
        return first->track()->firstSample < second->track()->firstSample;
    });
    QList<WAVSlice> slices;
    for (const auto& entry : std::as_const(claimed)) {
        const QByteArray decodedPath = entry->decodedPath().toUtf8();
        ::unlink(decodedPath.constData());
        slices.append({entry->track()->firstSample, entry->track()->endSample, decodedPath});
    }
    const SlicedDecodeResult result =
        decodeFLACToWAVSlices(claimed.first()->path().constData(), slices);
    for (qsizetype index = 0; index < claimed.size(); ++index) {
        const QueueEntryPointer& entry = claimed[index];
        if (result.stream.outcome != DecodeOutcome::Decoded) {
            if (result.stream.outcome == DecodeOutcome::NoSpace) {
                ::unlink(slices[index].destination.constData());
            }
            claims_.release(*entry);
            failDecode(entry, describeDecodeFailure(result.stream));
            continue;
        }
        entry->setAudioDigest(QString::fromStdString(result.audioDigests[std::size_t(index)]));
        entry->setSampleCheck(QString::fromStdString(result.sampleChecks[std::size_t(index)]));
        entry->setStatus(QueueEntryStatusDecoded);
        progress_.decodeFinished(false);
        post([this, entry] { refreshEntry(entry); });
    }
    progressDidChange();
}

void FilesController::failDecode(const QueueEntryPointer& entry, const QString& reason) {
    entry->setFailureReason(reason);
    entry->setStatus(QueueEntryStatusFailed);
    progress_.decodeFinished(true);
    post([this, entry] { refreshEntry(entry); });
    progressDidChange();
}

void FilesController::refreshEntry(const QueueEntryPointer& entry) {
    const auto table = tableView();
    if (!table) {
        return;
    }
    const int row = rowOfEntry(entry);
    const int column = table->columnWithIdentifier(QStringLiteral("status"));
    if (row >= 0 && column >= 0) {
        table->reloadCell(row, column);
    }
}

void FilesController::observeValueForKeyPathOfObjectChangeContext(const QString& keyPath,
                                                                  const void* object, int change) {
    if (object != operationQueue_.get() || keyPath != QLatin1String("operationCount")) {
        return;
    }
    // The badge counts the whole run, the later batches too. It is settled
    // before a hand-off starts, so whoever learns that the run has finished
    // also sees the badge gone.
    const int left = change + laterInRunCount_.load();
    if (const auto dockBadge = badge()) {
        dockBadge->setBadgeLabel(left > 0 ? QString::number(left) : QString());
    }
    if (change == 0) {
        startHandOff();
    }
}

void FilesController::startHandOff() {
    // One thread per batch, joined once it has finished.
    std::lock_guard lock(handOffsLock_);
    if (stopping_) {
        return;
    }
    if (runStopped_.load()) {
        // What was decoded stays out of the library: the run just ends.
        post([this] {
            if (runUnderWay_) {
                handOffDidFinish();
            }
        });
        return;
    }
    joinFinishedHandOffs();
    HandOff& handOff = handOffs_.emplace_back();
    handOff.thread = std::jthread([this, &handOff] {
        encodeAll();
        // Marked before the main thread is told, so that it can join it then.
        handOff.finished.store(true);
        post([this] { handOffDidFinish(); });
    });
}

// Hand-off thread.
void FilesController::encodeAll() {
    const QList<QueueEntryPointer> entries = files();
    HandOffBatch handedOver;
    handedOver.reserve(entries.size());
    for (const auto& entry : entries) {
        // One step, so two hand-offs can never both take an entry.
        if (entry->exchangeStatus(QueueEntryStatusDecoded, QueueEntryStatusEncoding)) {
            handedOver.append({QUrl::fromLocalFile(entry->decodedPath()), entry});
        }
    }
    post([this] { reloadTable(); });
    progress_.startConverting(handedOver, RunProgressTracker::Clock::now());
    bool convert = false;
    {
        std::lock_guard lock(convertingLock_);
        convert = handOff_ && !runStopped_.load() && !stopping_.load();
        converting_ = convert;
        if (convert) {
            // A stop of the run before can reach the library after its batch
            // has left it. Neither this run nor the process has been stopped
            // (both are told under this lock), so any stop waiting is stale.
            handOff_->withdrawStopRequest();
        }
    }
    if (convert) {
        setBatchWithLibrary(handedOver);
        handOff_->convertAndTag(handedOver);
        setBatchWithLibrary({});
        std::lock_guard lock(convertingLock_);
        converting_ = false;
    }
    // Done or not, the library has finished with them: a file left
    // Encoding is decoded again by the next Start, and claimed again then.
    for (const auto& [file, entry] : handedOver) {
        claims_.release(*entry);
    }
    progress_.finishConverting(RunProgressTracker::Clock::now());
    progressDidChange();
    post([this] { reloadTable(); });
}

void FilesController::joinFinishedHandOffs() {
    // A finished thread is at most returning from its last post: joining it
    // takes no time.
    handOffs_.remove_if([](const HandOff& handOff) { return handOff.finished.load(); });
}

void FilesController::stopRunning() {
    {
        std::lock_guard lock(handOffsLock_);
        stopping_ = true;
    }
    stopDecoding();
    // Under the lock encodeAll decides by: a batch either sees `stopping_`
    // and does not start, or is under way when the library is told.
    std::lock_guard lock(convertingLock_);
    if (handOff_) {
        handOff_->stopConverting();
    }
}

void FilesController::removeDecodedAudio() {
    for (const auto& entry : files()) {
        const QueueEntryStatus status = entry->status();
        if (status != QueueEntryStatusDone && status != QueueEntryStatusFailed) {
            ::unlink(entry->decodedPath().toUtf8().constData());
        }
    }
    claims_.releaseAll();
}

bool FilesController::isRunning() const {
    if (operationQueue_->operationCount() > 0 || intakesUnderWay_.load() > 0) {
        return true;
    }
    std::lock_guard lock(handOffsLock_);
    return std::any_of(handOffs_.begin(), handOffs_.end(),
                       [](const HandOff& handOff) { return !handOff.finished.load(); });
}

int FilesController::handOffThreadCount() const {
    std::lock_guard lock(handOffsLock_);
    return int(handOffs_.size());
}

void FilesController::handOffDidFinish() {
    {
        std::lock_guard lock(handOffsLock_);
        joinFinishedHandOffs();
    }
    if (runUnderWay_ && !laterInRun_.isEmpty() && !stopping_) {
        startNextBatch();
        return;
    }
    runDidFinish();
}

void FilesController::runDidFinish() {
    // Whatever the run left (Waiting after a stop, Decoded when no hand-off
    // came) is another process's to take.
    for (const auto& entry : std::as_const(runEntries_)) {
        claims_.release(*entry);
    }
    if (runStopped_.load()) {
        returnStoppedEntries();
    }
    runUnderWay_ = false;
    laterInRun_.clear();
    laterInRunCount_.store(0);
    progress_.finishRun();
    lastRunSummary_ = summariseRun(runEntries_);
    progressDidChange();
    if (startControl_) {
        startControl_->setEnabled(true);
    }
    if (handOffFinished_) {
        handOffFinished_();
    }
}

} // namespace decant
