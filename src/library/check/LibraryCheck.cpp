#include "library/check/LibraryCheck.h"

#include "library/Library.h"
#include "library/check/MediaRecovery.h"
#include "library/files/MediaFolder.h"
#include "library/files/MoveToTrash.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace decant::library {
namespace {

using Kind = LibraryProblem::Kind;

QString trackName(const TrackRecord& track) {
    return QCoreApplication::translate("decant::LibraryCheck", "track %1 \"%2\"")
        .arg(track.id)
        .arg(track.text(QStringLiteral("name")));
}

// Of two tracks from one source, the one to keep: one with its file, then a
// tagged one, then one that knows its audio, then the older.
bool betterToKeep(const TrackRecord& track, const TrackRecord& other, const Library& library) {
    const auto rank = [&](const TrackRecord& candidate) {
        return std::tuple(QFileInfo::exists(QDir(library.location()).filePath(candidate.file)),
                          !candidate.untagged(), !candidate.audioDigest.isEmpty(), -candidate.id);
    };
    return rank(track) > rank(other);
}

// The tracks that repeat another's source and audio, with the one each
// repeats. A track whose audio was never recorded (imported by an older
// version) repeats the others of its source, unless they hold different
// audios and it cannot be told which.
QHash<qint64, qint64> duplicates(const QList<TrackRecord>& tracks, const Library& library) {
    QHash<QString, QHash<QString, QList<TrackRecord>>> bySource;
    for (const TrackRecord& track : tracks) {
        if (!track.source.isEmpty()) {
            bySource[track.source][track.audioDigest].append(track);
        }
    }
    QHash<qint64, qint64> repeated;
    for (auto& byAudio : bySource) {
        if (byAudio.size() == 2 && byAudio.contains(QString())) {
            QList<TrackRecord> unknown = byAudio.take(QString());
            byAudio.begin()->append(unknown);
        }
        for (const QList<TrackRecord>& group : std::as_const(byAudio)) {
            const TrackRecord* kept = &group.first();
            for (const TrackRecord& track : group) {
                kept = betterToKeep(track, *kept, library) ? &track : kept;
            }
            for (const TrackRecord& track : group) {
                if (track.id != kept->id) {
                    repeated.insert(track.id, kept->id);
                }
            }
        }
    }
    return repeated;
}

// A file no track lists, by what its own tags say. A track whose file it
// gives back is no longer missing.
LibraryProblem unlistedFile(const QString& file, const MediaIndex& index, const QString& path,
                            QSet<qint64>& foundAgain) {
    const auto contents = readMediaFile(path);
    const FileVerdict verdict =
        contents ? index.judge(file, *contents) : FileVerdict{FileVerdict::Kind::Unknown, 0};
    const QString name =
        contents ? trackFromFile(file, *contents, 0).text(QStringLiteral("name")) : QString();
    switch (verdict.kind) {
    case FileVerdict::Kind::Relink:
        foundAgain.insert(verdict.trackId);
        return {
            Kind::LostTrack, verdict.trackId, 0, file,
            QCoreApplication::translate("decant::LibraryCheck",
                                        "Lost file: %1 holds track %2, whose file %3 is missing.")
                .arg(file)
                .arg(verdict.trackId)
                .arg(index.track(verdict.trackId)->file)};
    case FileVerdict::Kind::Add:
        return {Kind::LostTrack, 0, 0, file,
                QCoreApplication::translate(
                    "decant::LibraryCheck",
                    "Lost track: %1 holds \"%2\" (source %3), which the database "
                    "lacks.")
                    .arg(file, name, contents->record.source)};
    case FileVerdict::Kind::Copy:
        return {Kind::OrphanedFile, 0, verdict.trackId, file,
                QCoreApplication::translate(
                    "decant::LibraryCheck",
                    "Orphaned file: no track lists %1, a second copy of track %2.")
                    .arg(file)
                    .arg(verdict.trackId)};
    default:
        return {
            Kind::OrphanedFile, 0, 0, file,
            QCoreApplication::translate("decant::LibraryCheck", "Orphaned file: no track lists %1.")
                .arg(file)};
    }
}

void findFileProblems(const Library& library, const MediaIndex& index, const QSet<QString>& listed,
                      QList<LibraryProblem>& problems, QSet<qint64>& foundAgain) {
    for (const QString& file : library.mediaFiles()) {
        if (listed.contains(file)) {
            continue;
        }
        const QString path = QDir(library.location()).filePath(file);
        if (!MediaFolder::isPendingName(QFileInfo(file).fileName())) {
            problems.append(unlistedFile(file, index, path, foundAgain));
        } else if (MediaFolder::isLeftover(path)) {
            problems.append(
                {Kind::HalfWrittenFile, 0, 0, file,
                 QCoreApplication::translate("decant::LibraryCheck",
                                             "Half-written file: %1 was left by an interrupted "
                                             "import.")
                     .arg(file)});
        }
    }
}

void findTrackProblems(const Library& library, const QList<TrackRecord>& tracks,
                       const QSet<qint64>& passedOver, QList<LibraryProblem>& problems) {
    const QHash<qint64, qint64> repeated = duplicates(tracks, library);
    for (const TrackRecord& track : tracks) {
        if (passedOver.contains(track.id)) {
            continue;
        }
        if (repeated.contains(track.id)) {
            problems.append(
                {Kind::DuplicateTrack, track.id, repeated.value(track.id), track.file,
                 QCoreApplication::translate("decant::LibraryCheck",
                                             "Duplicate: %1 holds the same source and audio as "
                                             "track %2.")
                     .arg(trackName(track))
                     .arg(repeated.value(track.id))});
        } else if (!QFileInfo::exists(QDir(library.location()).filePath(track.file))) {
            problems.append({Kind::MissingFile, track.id, 0, track.file,
                             QCoreApplication::translate("decant::LibraryCheck",
                                                         "Missing file: %1 has no file %2.")
                                 .arg(trackName(track), track.file)});
        } else if (track.untagged()) {
            problems.append(
                {Kind::UntaggedTrack, track.id, 0, track.file,
                 QCoreApplication::translate("decant::LibraryCheck",
                                             "Untagged track: %1 is still named after its "
                                             "source; no tags were ever set on it.")
                     .arg(trackName(track))});
        } else if (track.tagsDirty != 0) {
            problems.append(
                {Kind::TagsNotWritten, track.id, 0, track.file,
                 QCoreApplication::translate("decant::LibraryCheck",
                                             "Tags not written: %1 has tags that %2 lacks.")
                     .arg(trackName(track), track.file)});
        }
    }
}

// The tracks' files as they are now, read again after the first reading.
struct TracksNow {
    QHash<qint64, QString> files;
    QSet<qint64> moving;
};

// Whether what the first reading found is explained by what other
// processes did meanwhile: a file listed, a track's file there or moving.
bool movedMeanwhile(const Library& library, const TracksNow& now, const LibraryProblem& problem) {
    const QDir folder(library.location());
    switch (problem.kind) {
    case Kind::OrphanedFile:
    case Kind::LostTrack:
        return !QFileInfo::exists(folder.filePath(problem.file)) ||
               library.isListed(problem.file).valueOr(false);
    case Kind::MissingFile:
        return !now.files.contains(problem.trackId) || now.moving.contains(problem.trackId) ||
               QFileInfo::exists(folder.filePath(now.files.value(problem.trackId)));
    default:
        return false;
    }
}

Repair removeTrack(Library& library, const LibraryProblem& problem, bool keepFile,
                   const QString& done) {
    const Status removed = keepFile ? library.removeTrackWithoutFile(problem.trackId)
                                    : library.removeTrack(problem.trackId, false);
    if (!removed) {
        return {false,
                QCoreApplication::translate("decant::LibraryCheck", "Could not remove track %1: %2")
                    .arg(problem.trackId)
                    .arg(removed.error().message)};
    }
    return {true, done};
}

} // namespace

// Read after the tracks: a move that ends in between is seen as no
// problem, and its track, listed by then, as an ordinary one.
Result<QList<LibraryProblem>> findLibraryProblems(const Library& library) {
    const auto moves = library.unfinishedMoves();
    const auto tracks = library.tracks();
    const auto interrupted = library.interruptedMoves();
    const auto backupFailure = library.lastBackupFailure();
    if (!moves || !tracks || !interrupted || !backupFailure) {
        return !moves         ? moves.error()
               : !tracks      ? tracks.error()
               : !interrupted ? interrupted.error()
                              : backupFailure.error();
    }
    QList<LibraryProblem> problems;
    QSet<QString> listed;
    QSet<qint64> passedOver;
    for (const FileMove& move : *moves) {
        listed.insert(move.pending);
        listed.insert(move.replaced);
        passedOver.insert(move.trackId);
    }
    for (const FileMove& move : *interrupted) {
        problems.append(
            {Kind::InterruptedImport, move.trackId, 0, move.file,
             QCoreApplication::translate("decant::LibraryCheck",
                                         "Interrupted import: track %1 was still being put in "
                                         "place as %2.")
                 .arg(move.trackId)
                 .arg(move.file)});
    }
    for (const TrackRecord& track : *tracks) {
        listed.insert(track.file);
    }
    const MediaIndex index(library, *tracks);
    findFileProblems(library, index, listed, problems, passedOver);
    findTrackProblems(library, *tracks, passedOver, problems);
    // The tracks and the folder were read one after the other while other
    // processes may move files: what a move explains is no problem.
    TracksNow now;
    for (const TrackRecord& track : library.tracks().valueOr({})) {
        now.files.insert(track.id, track.file);
    }
    for (const FileMove& move : library.unfinishedMoves().valueOr({})) {
        now.moving.insert(move.trackId);
    }
    problems.removeIf(
        [&](const LibraryProblem& problem) { return movedMeanwhile(library, now, problem); });
    if (!backupFailure->isEmpty()) {
        problems.append(
            {Kind::BackupFailed,
             0,
             0,
             {},
             QCoreApplication::translate("decant::LibraryCheck",
                                         "Backup failed: the last copy of the database could not "
                                         "be made: %1.")
                 .arg(*backupFailure)});
    }
    return problems;
}

// Recorded from the file again, with everything its tags hold.
Repair restoreLostTrack(Library& library, const LibraryProblem& problem, const QString& path) {
    const auto contents = readMediaFile(path);
    const auto id =
        contents ? library.restoreTrack(trackFromFile(problem.file, *contents, problem.trackId),
                                        contents->artwork)
                 : Result<qint64>(contents.error());
    if (!id) {
        return {false, QCoreApplication::translate("decant::LibraryCheck",
                                                   "Could not recover the track in %1: %2.")
                           .arg(problem.file, id.error().message)};
    }
    if (problem.trackId != 0) {
        return {true, QCoreApplication::translate("decant::LibraryCheck",
                                                  "Gave track %1 back its file %2.")
                          .arg(*id)
                          .arg(problem.file)};
    }
    return {true,
            QCoreApplication::translate("decant::LibraryCheck",
                                        "Added track %1 back from %2, whose own tags held it.")
                .arg(*id)
                .arg(problem.file)};
}

Repair makeBackup(Library& library) {
    if (const auto made = library.backUp(); !made) {
        return {false, QCoreApplication::translate("decant::LibraryCheck",
                                                   "Could not back the database up: %1.")
                           .arg(made.error().message)};
    } else {
        return {true,
                QCoreApplication::translate("decant::LibraryCheck", "Backed the database up as %1.")
                    .arg(QDir(library.location()).relativeFilePath(*made))};
    }
}

Repair repairLibraryProblem(Library& library, const LibraryProblem& problem, bool keepFiles) {
    const QString path = QDir(library.location()).filePath(problem.file);
    switch (problem.kind) {
    case Kind::LostTrack:
        return restoreLostTrack(library, problem, path);
    case Kind::BackupFailed:
        return makeBackup(library);
    case Kind::InterruptedImport:
        // Opening the library for writing finishes these; one left has a cause.
        return {false,
                QCoreApplication::translate("decant::LibraryCheck",
                                            "Left track %1: its file could not be put in place.")
                    .arg(problem.trackId)};
    case Kind::HalfWrittenFile:
        if (QFile::remove(path)) {
            return {true, QCoreApplication::translate(
                              "decant::LibraryCheck",
                              "Removed %1, left half-written by an interrupted import.")
                              .arg(problem.file)};
        }
        return {false, QCoreApplication::translate("decant::LibraryCheck", "Could not remove %1.")
                           .arg(problem.file)};
    case Kind::OrphanedFile:
        if (keepFiles) {
            return {false, QCoreApplication::translate(
                               "decant::LibraryCheck",
                               "Left %1 where it is, as the database was just rebuilt: "
                               "look at it, and run check --repair again to move it "
                               "to the trash.")
                               .arg(problem.file)};
        }
        // A file no track lists never comes to be listed: new names are free
        // ones. One listed since the check read the tracks is not an orphan.
        if (library.isListed(problem.file).valueOr(true) || !QFileInfo::exists(path)) {
            return {true, QCoreApplication::translate("decant::LibraryCheck",
                                                      "Left %1: a track lists it now.")
                              .arg(problem.file)};
        }
        // The trash, not removal: the file may be someone's, put there by hand.
        if (QString error; moveToTrash(path, &error)) {
            return {true, QCoreApplication::translate("decant::LibraryCheck",
                                                      "Moved %1 to the trash: no track lists it.")
                              .arg(problem.file)};
        } else {
            return {false, QCoreApplication::translate("decant::LibraryCheck",
                                                       "Could not move %1 to the trash: %2.")
                               .arg(problem.file, error)};
        }
    case Kind::MissingFile:
        return removeTrack(
            library, problem, true,
            QCoreApplication::translate("decant::LibraryCheck",
                                        "Removed track %1, whose file %2 is missing; importing "
                                        "its FLAC file again brings it back.")
                .arg(problem.trackId)
                .arg(problem.file));
    case Kind::DuplicateTrack:
        if (keepFiles) {
            return {false, QCoreApplication::translate(
                               "decant::LibraryCheck",
                               "Left track %1 and its file %2, as the database was "
                               "just rebuilt: run check --repair again to remove "
                               "them.")
                               .arg(problem.trackId)
                               .arg(problem.file)};
        }
        return removeTrack(
            library, problem, false,
            QCoreApplication::translate("decant::LibraryCheck",
                                        "Removed track %1 and its file %2: track %3 holds the "
                                        "same source and audio.")
                .arg(problem.trackId)
                .arg(problem.file)
                .arg(problem.keptTrackId));
    case Kind::UntaggedTrack:
        return {false,
                QCoreApplication::translate("decant::LibraryCheck",
                                            "Left track %1 untagged: importing its FLAC file again "
                                            "tags it.")
                    .arg(problem.trackId)};
    case Kind::DamagedFile:
        if (const Status forgotten = library.forgetEncoding(problem.trackId); !forgotten) {
            return {false,
                    QCoreApplication::translate("decant::LibraryCheck",
                                                "Could not mark track %1 to be encoded again: %2.")
                        .arg(problem.trackId)
                        .arg(forgotten.error().message)};
        }
        return {true, QCoreApplication::translate(
                          "decant::LibraryCheck",
                          "Marked track %1 to be encoded again: importing its FLAC "
                          "file replaces the damaged %2.")
                          .arg(problem.trackId)
                          .arg(problem.file)};
    case Kind::TagsNotWritten:
        // Its writer is at work: waiting for it would hold the repair up.
        if (library.isTrackBusy(problem.trackId)) {
            return {true, QCoreApplication::translate(
                              "decant::LibraryCheck",
                              "Left the tags of track %1 to the process writing them "
                              "now.")
                              .arg(problem.trackId)};
        }
        break;
    }
    if (const Status written = library.writeTagsNow(problem.trackId); !written) {
        return {false,
                QCoreApplication::translate("decant::LibraryCheck",
                                            "Could not write the tags of track %1 into %2: %3.")
                    .arg(problem.trackId)
                    .arg(problem.file, written.error().message)};
    }
    return {true, QCoreApplication::translate("decant::LibraryCheck",
                                              "Wrote the tags of track %1 into %2.")
                      .arg(problem.trackId)
                      .arg(problem.file)};
}

} // namespace decant::library
