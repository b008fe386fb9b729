#include "library/LibraryCheck.h"

#include "library/Library.h"
#include "library/MediaFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace decant::library {
namespace {

using Kind = LibraryProblem::Kind;

QString trackName(const TrackRecord& track) {
    return QStringLiteral("track %1 \"%2\"").arg(track.id).arg(track.text(QStringLiteral("name")));
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

void findFileProblems(const Library& library, const QSet<QString>& listed,
                      QList<LibraryProblem>& problems) {
    for (const QString& file : library.mediaFiles()) {
        if (listed.contains(file)) {
            continue;
        }
        const QString path = QDir(library.location()).filePath(file);
        if (!MediaFolder::isPendingName(QFileInfo(file).fileName())) {
            problems.append({Kind::OrphanedFile, 0, 0, file,
                             QStringLiteral("Orphaned file: no track lists %1.").arg(file)});
        } else if (MediaFolder::fileUse(path) != FileUse::InUse) {
            problems.append({Kind::HalfWrittenFile, 0, 0, file,
                             QStringLiteral("Half-written file: %1 was left by an interrupted "
                                            "import.")
                                 .arg(file)});
        }
    }
}

void findTrackProblems(const Library& library, const QList<TrackRecord>& tracks,
                       const QSet<qint64>& moving, QList<LibraryProblem>& problems) {
    const QHash<qint64, qint64> repeated = duplicates(tracks, library);
    for (const TrackRecord& track : tracks) {
        if (moving.contains(track.id)) {
            continue;
        }
        if (repeated.contains(track.id)) {
            problems.append({Kind::DuplicateTrack, track.id, repeated.value(track.id), track.file,
                             QStringLiteral("Duplicate: %1 holds the same source and audio as "
                                            "track %2.")
                                 .arg(trackName(track))
                                 .arg(repeated.value(track.id))});
        } else if (!QFileInfo::exists(QDir(library.location()).filePath(track.file))) {
            problems.append({Kind::MissingFile, track.id, 0, track.file,
                             QStringLiteral("Missing file: %1 has no file %2.")
                                 .arg(trackName(track), track.file)});
        } else if (track.untagged()) {
            problems.append({Kind::UntaggedTrack, track.id, 0, track.file,
                             QStringLiteral("Untagged track: %1 is still named after its "
                                            "source; no tags were ever set on it.")
                                 .arg(trackName(track))});
        } else if (track.tagsDirty != 0) {
            problems.append({Kind::TagsNotWritten, track.id, 0, track.file,
                             QStringLiteral("Tags not written: %1 has tags that %2 lacks.")
                                 .arg(trackName(track), track.file)});
        }
    }
}

Repair removeTrack(Library& library, const LibraryProblem& problem, bool keepFile,
                   const QString& done) {
    QString error;
    if (!library.removeTrack(problem.trackId, keepFile, &error)) {
        return {false,
                QStringLiteral("Could not remove track %1: %2").arg(problem.trackId).arg(error)};
    }
    return {true, done};
}

} // namespace

QList<LibraryProblem> findLibraryProblems(const Library& library) {
    QList<LibraryProblem> problems;
    QSet<QString> listed;
    QSet<qint64> moving;
    for (const FileMove& move : library.unfinishedMoves()) {
        listed.insert(move.pending);
        moving.insert(move.trackId);
        const QString pending = QDir(library.location()).filePath(move.pending);
        const QString subject =
            QFileInfo::exists(pending) ? pending : QDir(library.location()).filePath(move.file);
        if (MediaFolder::fileUse(subject) != FileUse::InUse) {
            problems.append({Kind::InterruptedImport, move.trackId, 0, move.file,
                             QStringLiteral("Interrupted import: track %1 was still being put in "
                                            "place as %2.")
                                 .arg(move.trackId)
                                 .arg(move.file)});
        }
    }
    const QList<TrackRecord> tracks = library.tracks();
    for (const TrackRecord& track : tracks) {
        listed.insert(track.file);
    }
    findFileProblems(library, listed, problems);
    findTrackProblems(library, tracks, moving, problems);
    return problems;
}

Repair repairLibraryProblem(Library& library, const LibraryProblem& problem) {
    const QString path = QDir(library.location()).filePath(problem.file);
    switch (problem.kind) {
    case Kind::InterruptedImport:
        // Opening the library for writing finishes these; one left has a cause.
        return {false, QStringLiteral("Left track %1: its file could not be put in place.")
                           .arg(problem.trackId)};
    case Kind::HalfWrittenFile:
        if (QFile::remove(path)) {
            return {true, QStringLiteral("Removed %1, left half-written by an interrupted import.")
                              .arg(problem.file)};
        }
        return {false, QStringLiteral("Could not remove %1.").arg(problem.file)};
    case Kind::OrphanedFile:
        // The trash, not removal: the file may be someone's, put there by hand.
        if (QString error; moveToTrash(path, &error)) {
            return {true,
                    QStringLiteral("Moved %1 to the trash: no track lists it.").arg(problem.file)};
        } else {
            return {false,
                    QStringLiteral("Could not move %1 to the trash: %2.").arg(problem.file, error)};
        }
    case Kind::MissingFile:
        return removeTrack(library, problem, true,
                           QStringLiteral("Removed track %1, whose file %2 is missing; importing "
                                          "its FLAC file again brings it back.")
                               .arg(problem.trackId)
                               .arg(problem.file));
    case Kind::DuplicateTrack:
        return removeTrack(library, problem, false,
                           QStringLiteral("Removed track %1 and its file %2: track %3 holds the "
                                          "same source and audio.")
                               .arg(problem.trackId)
                               .arg(problem.file)
                               .arg(problem.keptTrackId));
    case Kind::UntaggedTrack:
        return {false, QStringLiteral("Left track %1 untagged: importing its FLAC file again "
                                      "tags it.")
                           .arg(problem.trackId)};
    case Kind::DamagedFile:
        if (library.forgetEncoding(problem.trackId)) {
            return {true, QStringLiteral("Marked track %1 to be encoded again: importing its FLAC "
                                         "file replaces the damaged %2.")
                              .arg(problem.trackId)
                              .arg(problem.file)};
        }
        return {
            false,
            QStringLiteral("Could not mark track %1 to be encoded again.").arg(problem.trackId)};
    case Kind::TagsNotWritten:
        break;
    }
    if (library.writeTagsNow(problem.trackId)) {
        return {true, QStringLiteral("Wrote the tags of track %1 into %2.")
                          .arg(problem.trackId)
                          .arg(problem.file)};
    }
    return {false, QStringLiteral("Could not write the tags of track %1 into %2.")
                       .arg(problem.trackId)
                       .arg(problem.file)};
}

} // namespace decant::library
