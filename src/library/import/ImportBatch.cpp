#include "library/import/ImportBatch.h"

#include "library/files/FileError.h"
#include "library/files/OrganisedName.h"
#include "library/store/FileJournal.h"
#include "library/store/TrackStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cerrno>
#include <cmath>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace decant::library {
namespace {

int averageKilobits(qint64 bytes, double seconds) {
    return seconds > 0 ? int(std::lround(double(bytes) * 8 / seconds / 1000)) : 0;
}

ConversionOutcome failed(const ConversionFailure& failure) {
    return {Conversion::Failed, 0, failure};
}

ConversionFailure recordingFailure(const Error& error) {
    return {ConversionError::Recording, error.message};
}

} // namespace

// The files of a batch that hold one source and audio: they become one track.
struct ImportBatch::Group {
    SourceFile source;
    QList<qsizetype> indexes;
};

// A group once it is known whether the library holds it, and encoded unless
// it can be used as it is.
struct ImportBatch::Prepared {
    std::optional<TrackRecord> held;
    std::optional<EncodedTrack> encoded;
    ConversionFailure failure;
};

ImportBatch::ImportBatch(Parts library, ImportSettings settings, bool measureLoudness,
                         std::stop_token stop, int parallel)
    : library_(std::move(library))
    , settings_(settings)
    , fileImport_(library_.media, settings, measureLoudness, library_.hook)
    , stop_(std::move(stop))
    , parallel_(parallel) {}

QList<ConversionOutcome> ImportBatch::run(const QList<QUrl>& urls, const Finished& finished,
                                          const Proofs& proofs) {
    QList<ConversionOutcome> results(urls.size());
    const auto finish = [&](qsizetype index, const ConversionOutcome& outcome) {
        results[index] = outcome;
        if (finished) {
            finished(index, outcome);
        }
    };
    if (urls.isEmpty()) {
        return results;
    }
    if (const auto problem = libraryProblem()) {
        for (qsizetype index = 0; index < urls.size(); ++index) {
            finish(index, failed(*problem));
        }
        return results;
    }
    encodeAndRecord(identify(urls, proofs, results, finished), finish);
    finishMoves();
    return results;
}

// Groups are encoded in parallel but recorded in their order, so that track
// ids follow the files: whichever thread finds the next group to record
// ready records it, and every one after it that is ready too.
void ImportBatch::encodeAndRecord(const QList<Group>& groups, const Finished& finish) {
    std::vector<std::optional<Prepared>> ready(std::size_t(groups.size()));
    std::mutex readyMutex;
    std::size_t nextToRecord = 0;
    bool recording = false;
    forEachInParallel(groups.size(), parallel_, [&](qsizetype index) {
        Prepared prepared = prepare(groups[index]);
        std::unique_lock lock(readyMutex);
        ready[std::size_t(index)] = std::move(prepared);
        if (recording) {
            return;
        }
        recording = true;
        while (nextToRecord < ready.size() && ready[nextToRecord]) {
            const std::size_t next = nextToRecord++;
            Prepared item = std::move(*ready[next]);
            ready[next].reset();
            lock.unlock();
            const ConversionOutcome outcome = record(groups[qsizetype(next)], item);
            for (const qsizetype fileIndex : groups[qsizetype(next)].indexes) {
                finish(fileIndex, outcome);
            }
            lock.lock();
        }
        recording = false;
    });
}

void ImportBatch::finishMoves() {
    QString error;
    placedFolders_.removeDuplicates();
    // An end that fails is found again by the next open, which finishes it.
    library_.moves.finish(placed_, placedFolders_, &error);
    if (library_.tagsChanged) {
        for (const qint64 id : std::as_const(lackingTags_)) {
            library_.tagsChanged(id);
        }
    }
}

// Fails the whole batch at once, rather than each file after its encode.
std::optional<ConversionFailure> ImportBatch::libraryProblem() const {
    if (const Status writable = library_.database.canWrite(); !writable) {
        return recordingFailure(writable.error());
    }
    if (access(QFile::encodeName(library_.media.path()).constData(), W_OK) != 0) {
        return ConversionFailure{
            ConversionError::Writing,
            QCoreApplication::translate("decant::FileImport", "cannot write in %1: %2")
                .arg(library_.media.path(), describeFileError(errno))};
    }
    return std::nullopt;
}

QList<ImportBatch::Group> ImportBatch::identify(const QList<QUrl>& urls, const Proofs& proofs,
                                                QList<ConversionOutcome>& results,
                                                const Finished& finished) const {
    std::vector<std::optional<SourceFile>> sources(std::size_t(urls.size()));
    std::vector<ConversionFailure> failures(std::size_t(urls.size()));
    forEachInParallel(urls.size(), parallel_, [&](qsizetype index) {
        const auto at = std::size_t(index);
        const QString digest = proofs.digests.value(index);
        sources[at] = identifySource(urls[index], digest, stop_, &failures[at]);
        if (sources[at]) {
            // The check stands only beside the MD5 its writer proved.
            sources[at]->check = digest.isEmpty() ? QString() : proofs.checks.value(index);
            sources[at]->leadIn = proofs.leadIns.value(index).toLocalFile();
        }
    });
    QList<Group> groups;
    QHash<QString, qsizetype> groupOf;
    for (qsizetype index = 0; index < urls.size(); ++index) {
        const auto& source = sources[std::size_t(index)];
        if (!source) {
            results[index] = failed(failures[std::size_t(index)]);
            if (finished) {
                finished(index, results[index]);
            }
            continue;
        }
        // A base name holds no '/'.
        const QString key = source->name + u'/' + source->digest;
        const auto group = groupOf.constFind(key);
        if (group != groupOf.constEnd()) {
            groups[*group].indexes.append(index);
        } else {
            groupOf.insert(key, groups.size());
            groups.append({*source, {index}});
        }
    }
    return groups;
}

// Runs on any thread of the batch.
ImportBatch::Prepared ImportBatch::prepare(const Group& group) const {
    Prepared prepared;
    if (stop_.stop_requested()) {
        prepared.failure = {ConversionError::Stopped, {}};
        return prepared;
    }
    auto held = library_.database.tracks().trackFromSource(group.source.name, group.source.digest);
    if (!held) {
        prepared.failure = recordingFailure(held.error());
        return prepared;
    }
    prepared.held = std::move(*held);
    if (prepared.held && isReusable(*prepared.held, group.source)) {
        return prepared;
    }
    reachStep(library_.hook, "encoding");
    prepared.encoded = fileImport_.encode(group.source, stop_, &prepared.failure);
    if (prepared.encoded) {
        reachStep(library_.hook, "encoded");
    }
    return prepared;
}

// A held track is used as it is when its file holds this audio in the
// current settings; otherwise it is encoded again (a library made before
// sources were recorded cannot tell what its files hold).
bool ImportBatch::isReusable(const TrackRecord& track, const SourceFile& source) const {
    // A journal that cannot be read says nothing of the file: it is encoded
    // again, and recording it says why that fails too.
    return track.audioDigest == source.digest && track.encodedWith == settings_ &&
           (QFileInfo::exists(library_.moves.absolutePath(track.file)) ||
            library_.database.journal().fileMove(track.id).valueOr(std::nullopt));
}

NewTrack ImportBatch::newTrack(const SourceFile& source, const EncodedTrack& encoded) const {
    NewTrack track;
    track.file = library_.moves.relativePath(library_.media.path()) + u'/' +
                 usableStem(source.name) + u'.' + fileExtension(settings_.format);
    track.kind = kindOfFormat(settings_.format);
    track.name = source.name;
    track.duration = encoded.audio.duration;
    track.sampleRate = encoded.audio.sampleRate;
    track.channels = encoded.audio.channels;
    track.bitRate = averageKilobits(encoded.size, encoded.audio.duration);
    track.size = encoded.size;
    track.dateAdded = QDateTime::currentDateTimeUtc();
    track.source = source.name;
    track.audioDigest = source.digest;
    track.settings = settings_;
    track.sourceFormat = encoded.audio.expected.sourceFormat;
    track.verification = encoded.verification;
    track.loudness = encoded.audio.loudness;
    return track;
}

// Runs on one thread at a time, in the order of the groups.
ConversionOutcome ImportBatch::record(const Group& group, Prepared& prepared) {
    if (!prepared.encoded) {
        return prepared.held && prepared.failure.error == ConversionError::None
                   ? ConversionOutcome{Conversion::Held, prepared.held->id, {}}
                   : failed(prepared.failure);
    }
    TrackStore& tracks = library_.database.tracks();
    PendingFile& pending = *prepared.encoded->file;
    const QString pendingFile = library_.moves.relativePath(pending.path());
    const NewTrack track = newTrack(group.source, *prepared.encoded);
    const TrackLocks::Held held =
        prepared.held ? library_.locks.lock({prepared.held->id}) : TrackLocks::Held();
    const auto recorded =
        prepared.held ? tracks.recordReplacement(prepared.held->id, track, pendingFile,
                                                 library_.moves.nameIsFree())
                      : tracks.recordNewTrack(track, pendingFile, library_.moves.nameIsFree());
    if (!recorded) {
        return failed(recordingFailure(recorded.error()));
    }
    if (recorded->alreadyHeld) {
        return {Conversion::Held, recorded->trackId, {}};
    }
    // The journal owns the file now: whatever happens next, the next open
    // finishes the move.
    pending.release();
    reachStep(library_.hook, "recorded");
    QString error;
    const auto folder = library_.moves.place(
        {recorded->trackId, recorded->file, pendingFile, recorded->replaced}, &error);
    if (!folder) {
        return failed({ConversionError::Writing, error});
    }
    placed_.append(recorded->trackId);
    placedFolders_.append(*folder);
    lackingTags_.append(recorded->trackId);
    if (prepared.encoded->audio.meter) {
        meters_.emplace(recorded->trackId, prepared.encoded->audio.meter);
    }
    return {prepared.held ? Conversion::Replaced : Conversion::Added, recorded->trackId, {}};
}

} // namespace decant::library
