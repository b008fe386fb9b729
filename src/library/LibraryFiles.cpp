// What a library's files become: removed, sent to the trash, moved to
// where their tags say.
#include "library/LibraryPrivate.h"
#include "library/files/OrganisedName.h"
#include "library/store/FileJournal.h"
#include "library/store/TrackStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace decant::library {

QStringList Library::openingRepairs() const {
    return d->openingRepairs;
}

QStringList Library::openingFailures() const {
    return d->openingFailures;
}

QStringList Library::mediaFiles() const {
    QStringList files;
    for (const QString& file : d->media.allFiles()) {
        files.append(mediaFolderName() + u'/' + file);
    }
    return files;
}

Result<QList<FileMove>> Library::unfinishedMoves() const {
    return d->database->journal().fileMoves();
}

Result<QList<FileMove>> Library::interruptedMoves() const {
    auto moves = unfinishedMoves();
    if (moves) {
        moves->removeIf([&](const FileMove& move) { return !d->moves->isInterrupted(move); });
    }
    return moves;
}

Status Library::removeTrack(qint64 id, bool keepFile) {
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    const TrackLocks::Held held = d->locks->lock({id});
    const auto record = d->database->tracks().track(id);
    if (!record) {
        return record.error();
    }
    if (!*record) {
        return Error{
            Error::Kind::NotFound,
            QCoreApplication::translate("decant::Library", "there is no track %1").arg(id)};
    }
    if (Status removed = d->database->tracks().removeTrack(id); !removed) {
        return removed;
    }
    d->changedSinceBackup = true;
    const QString path = d->moves->absolutePath((*record)->file);
    if (!keepFile && QFileInfo::exists(path) && !QFile::remove(path)) {
        return Error{
            Error::Kind::Other,
            QCoreApplication::translate("decant::Library",
                                        "the track is gone, but its file %1 could not be removed")
                .arg((*record)->file)};
    }
    return {};
}

bool Library::isTrackBusy(qint64 id) const {
    return d->locks->isHeld(id);
}

Result<bool> Library::isListed(const QString& file) const {
    return d->database->journal().isListed(file);
}

Status Library::removeTrackWithoutFile(qint64 id) {
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    const TrackLocks::Held held = d->locks->lock({id});
    const auto record = d->database->tracks().track(id);
    const auto move = d->database->journal().fileMove(id);
    if (!record || !move) {
        return record ? move.error() : record.error();
    }
    if (!*record) {
        return Error{
            Error::Kind::NotFound,
            QCoreApplication::translate("decant::Library", "there is no track %1").arg(id)};
    }
    if (*move || QFileInfo::exists(d->moves->absolutePath((*record)->file))) {
        return Error{Error::Kind::Other, QCoreApplication::translate(
                                             "decant::Library", "its file %1 is there after all")
                                             .arg((*record)->file)};
    }
    if (Status removed = d->database->tracks().removeTrack(id); !removed) {
        return removed;
    }
    d->changedSinceBackup = true;
    return {};
}

Removal Library::trashTrack(qint64 id) {
    if (d->options.readOnly) {
        return {false, {}, readOnlyLibrary().message};
    }
    const TrackLocks::Held held = d->locks->lock({id});
    const auto file = d->database->journal().recordRemoval(id);
    if (!file) {
        return {false, {}, file.error().message};
    }
    d->changedSinceBackup = true;
    reachStep(d->options.stepHook, "removalRecorded");
    Removal removal{true, *file, {}};
    d->moves->trash(*file, &removal.error);
    return removal;
}

// The tracks are read again once their locks are held: what another
// process wrote or moved meanwhile is what decides where each goes.
Result<QList<Relocation>> Library::organise() {
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    const auto listed = tracks();
    if (!listed) {
        return listed.error();
    }
    QList<qint64> ids;
    for (const TrackRecord& record : *listed) {
        ids.append(record.id);
    }
    const TrackLocks::Held held = d->locks->lock(ids);
    const QSet<qint64> locked(ids.begin(), ids.end());
    auto records = tracks();
    const auto moves = unfinishedMoves();
    if (!records || !moves) {
        return records ? moves.error() : records.error();
    }
    // Tracks added since the first read are the next organise's.
    records->removeIf([&](const TrackRecord& record) { return !locked.contains(record.id); });
    QSet<qint64> moving;
    for (const FileMove& move : *moves) {
        moving.insert(move.trackId);
    }
    QList<Relocation> missing;
    QList<TrackRecord> present;
    for (const TrackRecord& record : *records) {
        if (QFileInfo::exists(d->moves->absolutePath(record.file)) || moving.contains(record.id)) {
            present.append(record);
        } else {
            missing.append({record.id,
                            record.file,
                            {},
                            QCoreApplication::translate("decant::Library", "its file is missing")});
        }
    }
    return relocate(present) + missing;
}

// Moves that leave a file where it is are left out before the database is
// asked: the tag writer asks for every file it writes.
QList<Relocation> Library::relocate(const QList<TrackRecord>& records) {
    const QString media = d->moves->relativePath(d->media.path());
    QList<WantedName> names;
    for (const TrackRecord& record : records) {
        const QString wanted = media + u'/' + organisedFile(record);
        if (wanted != record.file) {
            names.append({record.id, record.file, wanted});
        }
    }
    if (names.isEmpty()) {
        return {};
    }
    return d->moves->relocate(names);
}

Status Library::forgetEncoding(qint64 id) {
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    return d->database->tracks().forgetEncoding(id);
}

Result<qint64> Library::restoreTrack(const TrackRecord& record,
                                     const std::optional<Artwork>& artwork) {
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    const TrackLocks::Held held = record.id != 0 ? d->locks->lock({record.id}) : TrackLocks::Held();
    const auto id = d->database->tracks().restoreTrack(record, artwork);
    if (!id) {
        return explained(id.error());
    }
    d->changedSinceBackup = true;
    if (record.tagsDirty != 0) {
        scheduleTagWrites({*id});
    }
    return *id;
}

} // namespace decant::library
