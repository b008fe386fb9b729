// What a library's tracks are told, and their files' tags: properties and
// artwork set in the database at once, written into the files by the tag
// writer after a quiet period, or at once when asked.
#include "library/LibraryPrivate.h"
#include "library/files/CopyFileContents.h"
#include "library/files/FileError.h"
#include "library/files/OrganisedName.h"
#include "library/files/RenameFile.h"
#include "library/files/SyncFolder.h"
#include "library/media/ArtworkCheck.h"
#include "library/store/ArtworkStore.h"
#include "library/store/FileJournal.h"
#include "library/store/PropertyStore.h"
#include "library/store/TrackStore.h"
#include "library/tags/TagRewrite.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <thread>

namespace decant::library {
namespace {

QString extensionOf(const QString& path) {
    return QFileInfo(path).suffix();
}

} // namespace

// An image the library holds passed the check when it came: an album's
// cover is decoded once, not once a track.
std::optional<Artwork> Library::usableArtwork(const QByteArray& image, QString* reason) const {
    const auto format = imageFormatOf(image);
    const QString digest = artworkDigest(image);
    if (format && d->database->artwork().hasArtwork(digest).valueOr(false)) {
        return Artwork{*format, image, digest};
    }
    return checkArtwork(image, reason);
}

Status Library::setTrackArtwork(qint64 id, const QByteArray& image) {
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    QString reason;
    const auto artwork = usableArtwork(image, &reason);
    if (!artwork) {
        return d->database->artwork().noteSkippedArtwork(id, reason);
    }
    const auto change = d->database->artwork().setArtwork(id, *artwork);
    if (!change) {
        return explained(change.error());
    }
    if (*change == PropertyChange::Changed) {
        d->changedSinceBackup = true;
        if (d->writer) {
            d->writer->schedule(id);
        }
    }
    return {};
}

// A number no format can hold is dropped, never cut or saturated, and the
// track keeps a note of it for decant-library list.
Status Library::setTrackProperty(qint64 id, const QString& scriptingName,
                                 const PropertyValue& value) {
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    const TrackProperty* property = findTrackProperty(scriptingName);
    const auto converted = property ? coerceToKind(value, property->kind) : std::nullopt;
    if (!converted) {
        return {}; // see Track::setProperty
    }
    if (const auto problem = valueProblem(*property, *converted)) {
        return d->database->properties().noteDroppedValue(id, *property, *problem);
    }
    const auto change = d->database->properties().setProperty(id, *property, *converted);
    if (!change) {
        return explained(change.error());
    }
    if (*change == PropertyChange::Unchanged) {
        return {};
    }
    d->changedSinceBackup = true;
    if (scriptingName == QLatin1String("album") || scriptingName == QLatin1String("albumArtist")) {
        d->albums.albumChanged(id);
    }
    if (d->writer) {
        d->writer->schedule(id);
    }
    return {};
}

void Library::scheduleTagWrites(const QList<qint64>& ids) {
    if (d->writer) {
        for (const qint64 id : ids) {
            d->writer->schedule(id);
        }
    }
}

// Each track's lock is held from reading its record until it is marked
// clean, so that no other writer, of this process or another, moves or
// rewrites its file in between. The tags go into a copy that replaces the
// file only once it is complete and synced: a crash at any moment leaves
// the old file or the new one. The folders are synced, and the tracks
// marked clean, once for the whole lot. Each file then moves to where its
// new tags say, before the tracks are marked clean: a kill in between, or a
// move that fails, leaves them dirty, and the next save writes and moves
// them again.
Library::TagSaves Library::saveTags(const std::vector<qint64>& ids) {
    // Tracks whose album loudness changed and are not about to be written.
    QList<qint64> lagging = d->albums.settle(*d->database);
    lagging.removeIf([&](qint64 id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); });
    scheduleTagWrites(lagging);
    const TrackLocks::Held held = d->locks->lock(QList<qint64>(ids.begin(), ids.end()));
    TagSaves saves;
    std::map<qint64, WrittenTags> written;
    QList<TrackRecord> records;
    QSet<QString> folders;
    for (const qint64 id : ids) {
        const auto record = d->database->tracks().track(id);
        const auto move = d->database->journal().fileMove(id);
        if (!record || !move) {
            saves.failures.emplace(id, explained(record ? move.error() : record.error()));
            continue;
        }
        // Clean already (another writer got there first), or its file still
        // on its way into place. One that is there, whose importer has yet
        // to end its batch, is ended here: its tags need not wait for that.
        const bool moving = *move && !d->moves->endIfPlaced(**move);
        if (!*record || (*record)->tagsDirty == 0 || moving) {
            if (*record && moving) {
                saves.moving.append(id);
            }
            continue;
        }
        if (const auto size = rewriteTags(**record)) {
            written.emplace(id, WrittenTags{id, (*record)->tagsDirty, *size});
            records.append(**record);
            folders.insert(QFileInfo(d->moves->absolutePath((*record)->file)).absolutePath());
        } else {
            saves.failures.emplace(id, size.error());
        }
    }
    for (const QString& folder : folders) {
        syncFolder(folder);
    }
    for (const Relocation& relocation : relocate(records)) {
        if (!relocation.error.isEmpty()) {
            written.erase(relocation.trackId);
            saves.failures.emplace(
                relocation.trackId,
                Error{Error::Kind::Other,
                      QCoreApplication::translate(
                          "decant::Library",
                          "its tags are written, but its file could not be moved: %1")
                          .arg(relocation.error)});
        }
    }
    saves.saved = quint64(written.size());
    d->tagSaves += saves.saved;
    if (written.empty()) {
        return saves;
    }
    QList<WrittenTags> marks;
    for (const auto& [id, tags] : written) {
        marks.append(tags);
    }
    // The files hold their tags; a track left dirty is written again.
    if (const Status marked = d->database->properties().markTagsWritten(marks); !marked) {
        for (const WrittenTags& track : std::as_const(marks)) {
            saves.failures.emplace(
                track.trackId,
                explained({marked.error().kind,
                           QCoreApplication::translate(
                               "decant::Library", "its tags are written, but the library could not "
                                                  "record that: %1")
                               .arg(marked.error().message)}));
        }
    }
    return saves;
}

// The new size of the file, or why it is left as it was. A re-encoded file
// comes without the artwork, so every rewrite puts it in. Runs with the
// track's lock held.
Result<qint64> Library::rewriteTags(const TrackRecord& record) {
    const QString path = d->moves->absolutePath(record.file);
    QString error;
    const auto copy =
        d->media.createPendingFile(extensionOf(path), &error, QFileInfo(path).absolutePath());
    const QString folder = QFileInfo(path).absolutePath();
    if (!copy) {
        return explained({kindOfFileError(errno), error}, folder);
    }
    // Told while the copy still takes its room on the disk.
    const auto failed = [&](Error failure) -> Result<qint64> { return explained(failure, folder); };
    const auto artwork = record.artwork.isEmpty() ? Result<std::optional<Artwork>>(std::nullopt)
                                                  : d->database->artwork().artwork(record.artwork);
    if (!artwork) {
        return failed(artwork.error());
    }
    if (!copyFileContents(path, copy->path())) {
        return failed(fileError(
            QCoreApplication::translate("decant::Library", "cannot copy %1: %2"), record.file));
    }
    if (Status rewritten = rewriteFileTags(copy->path(), record, *artwork); !rewritten) {
        return failed(rewritten.error());
    }
    if (!copy->sync()) {
        return failed(fileError(
            QCoreApplication::translate("decant::Library", "cannot write %1: %2"), record.file));
    }
    reachStep(d->options.stepHook, "tagsCopied");
    // The lock keeps every writer that takes it away; one that does not (an
    // older version of Decant) may have moved the file since: the copy must
    // never land on a name the track no longer has.
    const auto now = d->database->tracks().track(record.id);
    if (!now) {
        return now.error();
    }
    if (!*now || (*now)->file != record.file) {
        return Error{Error::Kind::Other,
                     QCoreApplication::translate(
                         "decant::Library", "%1 moved while its tags were written; they wait for "
                                            "the next save")
                         .arg(record.file)};
    }
    if (!renameFile(copy->path(), path, true)) {
        return failed(fileError(
            QCoreApplication::translate("decant::Library", "cannot replace %1: %2"), record.file));
    }
    copy->release();
    reachStep(d->options.stepHook, "tagsReplaced");
    return QFileInfo(path).size();
}

std::map<qint64, Error> Library::writeTagsNow(const QList<qint64>& ids) {
    std::map<qint64, Error> failures;
    if (d->options.readOnly) {
        for (const qint64 id : ids) {
            failures.emplace(id, readOnlyLibrary());
        }
        return failures;
    }
    TagSaves saves = saveTags(std::vector<qint64>(ids.begin(), ids.end()));
    failures = std::move(saves.failures);
    // A file between its recording and its rename is in place a moment
    // later.
    for (int attempt = 0; attempt < 50 && !saves.moving.isEmpty(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        TagSaves again = saveTags(std::vector<qint64>(saves.moving.begin(), saves.moving.end()));
        failures.merge(again.failures);
        saves.moving = again.moving;
    }
    for (const qint64 id : std::as_const(saves.moving)) {
        failures.emplace(
            id, Error{Error::Kind::Busy,
                      QCoreApplication::translate("decant::Library",
                                                  "its file is still on its way into place")});
        scheduleTagWrites({id});
    }
    for (const qint64 id : ids) {
        if (failures.contains(id)) {
            continue;
        }
        const auto record = trackRecord(id);
        if (!record || !*record) {
            failures.emplace(id, record ? Error{Error::Kind::NotFound,
                                                QCoreApplication::translate("decant::Library",
                                                                            "there is no track %1")
                                                    .arg(id)}
                                        : record.error());
        }
    }
    return failures;
}

Status Library::writeTagsNow(qint64 id) {
    auto failures = writeTagsNow(QList<qint64>{id});
    if (const auto failure = failures.find(id); failure != failures.end()) {
        return failure->second;
    }
    return {};
}

bool Library::flush(std::chrono::milliseconds timeout) {
    return !d->writer || d->writer->flush(timeout);
}

quint64 Library::tagSaveCount() const {
    return d->tagSaves;
}

Result<std::optional<QByteArray>> Library::artworkImage(const QString& digest) const {
    const auto artwork = d->database->artwork().artwork(digest);
    if (!artwork) {
        return artwork.error();
    }
    return *artwork ? std::optional((*artwork)->data) : std::nullopt;
}

} // namespace decant::library
