#include "library/Library.h"

#include "library/AlbumLoudness.h"
#include "library/ArtworkTag.h"
#include "library/FileMoves.h"
#include "library/MediaFolder.h"
#include "library/OrganisedName.h"
#include "library/TagFile.h"
#include "library/TagWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <cerrno>
#include <filesystem>
#include <stop_token>
#include <thread>
#include <unistd.h>

namespace decant::library {
namespace {

const auto databaseFileName = QStringLiteral("Library.sqlite");
const auto mediaFolderName = QStringLiteral("Media");
// Pending files are told from a crash's by their locks; this is for file
// systems without locks. Far longer than any one file takes to encode.
constexpr std::chrono::hours abandonedAfter{24};

QString extensionOf(const QString& path) {
    return QFileInfo(path).suffix();
}

// Creates the folder and its parents; false, with errno's reason, on failure.
bool makeFolder(const QString& path, QString* error) {
    std::error_code failure;
    std::filesystem::create_directories(QFile::encodeName(path).toStdString(), failure);
    if (failure) {
        *error =
            QStringLiteral("cannot create %1: %2").arg(path, describeFileError(failure.value()));
        return false;
    }
    return true;
}

bool folderIsWritable(const QString& path, QString* error) {
    if (access(QFile::encodeName(path).constData(), W_OK | X_OK) == 0) {
        return true;
    }
    *error = QStringLiteral("cannot write in %1: %2").arg(path, describeFileError(errno));
    return false;
}

} // namespace

struct Library::Private {
    Private(const QString& folder, const LibraryOptions& options)
        : folder(QDir(folder).absolutePath())
        , options(options)
        , media(QDir(folder).absoluteFilePath(mediaFolderName)) {}

    QString folder;
    LibraryOptions options;
    MediaFolder media;
    std::unique_ptr<Database> database;
    std::unique_ptr<FileMoves> moves;
    QStringList openingRepairs;
    std::mutex convertMutex; // one batch at a time
    std::mutex filesMutex;   // see ImportBatch::Parts
    mutable std::mutex stopMutex;
    std::stop_source stop; // replaced once a convert has seen its stop
    AlbumLoudness albums;
    // Last, so that it stops (writing what is pending) before the database
    // it reads closes.
    std::unique_ptr<TagWriter> writer;
};

QString Library::defaultLocation() {
    const QByteArray configured = qgetenv("DECANT_LIBRARY");
    if (!configured.isEmpty()) {
        return QFile::decodeName(configured);
    }
    QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (music.isEmpty()) {
        music = QDir::homePath() + QStringLiteral("/Music");
    }
    return music + QStringLiteral("/Decant Library");
}

std::shared_ptr<Library> Library::open(const QString& folder, QString* error) {
    return open(folder, LibraryOptions{}, error);
}

std::shared_ptr<Library> Library::open(const QString& folder, const LibraryOptions& options,
                                       QString* error) {
    auto library = std::make_shared<Library>(Key{}, folder, options);
    QString reason;
    if (!library->initialise(&reason)) {
        if (error) {
            *error = reason;
        }
        return nullptr;
    }
    return library;
}

Library::Library(Key, const QString& folder, const LibraryOptions& options)
    : d(std::make_unique<Private>(folder, options)) {}

Library::~Library() {
    d->writer.reset();
}

bool Library::prepareFolders(QString* error) const {
    if (d->folder.isEmpty()) {
        *error = QStringLiteral("no library folder given");
        return false;
    }
    if (d->options.readOnly) {
        if (!QFileInfo(d->folder).isDir()) {
            *error = QStringLiteral("no library at %1 (Decant makes it when it first adds tracks)")
                         .arg(d->folder);
            return false;
        }
        return true;
    }
    return makeFolder(d->media.path(), error) && folderIsWritable(d->folder, error) &&
           folderIsWritable(d->media.path(), error);
}

bool Library::initialise(QString* error) {
    if (!prepareFolders(error)) {
        return false;
    }
    d->database = Database::open(databasePath(),
                                 d->options.readOnly ? Database::Access::ReadOnly
                                                     : Database::Access::ReadWrite,
                                 error, d->options.busyTimeout);
    if (!d->database) {
        return false;
    }
    d->database->setAbandonWait([this] { return stopRequested(); });
    d->moves =
        std::make_unique<FileMoves>(*d->database, d->folder, d->media.path(), d->options.stepHook);
    if (d->options.readOnly) {
        return true;
    }
    recover();
    if (d->options.writeTags) {
        d->writer = std::make_unique<TagWriter>(
            [this](const std::vector<qint64>& ids) { return saveTags(ids); },
            d->options.tagQuietPeriod);
        // Tags a crash kept from being written.
        for (const qint64 id : d->database->tracksWithDirtyTags()) {
            d->writer->schedule(id, true);
        }
    }
    return true;
}

// What an interrupted import left: moves to finish, then pending files that
// no living process holds and no move still needs.
void Library::recover() {
    d->openingRepairs = d->moves->recover();
    QStringList needed;
    for (const FileMove& move : d->database->fileMoves()) {
        needed.append(d->moves->absolutePath(move.pending));
    }
    for (const QString& removed : d->media.removeAbandonedFiles(abandonedAfter, needed)) {
        d->openingRepairs.append(
            QStringLiteral("Removed %1, left half-written by an interrupted import.")
                .arg(d->moves->relativePath(removed)));
    }
}

QString Library::location() const {
    return d->folder;
}

QString Library::databasePath() const {
    return QDir(d->folder).absoluteFilePath(databaseFileName);
}

QString Library::mediaPath() const {
    return d->media.path();
}

int Library::schemaVersion() const {
    return d->database->storedSchemaVersion();
}

ImportSettings Library::importSettings() const {
    return d->database->importSettings();
}

bool Library::setImportSettings(const ImportSettings& settings, QString* error) {
    QString reason;
    if (const auto problem = settingsProblem(settings)) {
        reason = *problem;
    } else if (d->options.readOnly) {
        reason = QStringLiteral("the library is open for reading only");
    } else if (!d->database->storeImportSettings(settings)) {
        reason = d->database->lastError();
    } else {
        return true;
    }
    if (error) {
        *error = reason;
    }
    return false;
}

bool Library::soundCheck() const {
    return d->database->soundCheck();
}

bool Library::setSoundCheck(bool on, QString* error) {
    QString reason;
    if (d->options.readOnly) {
        reason = QStringLiteral("the library is open for reading only");
    } else if (!d->database->storeSoundCheck(on)) {
        reason = d->database->lastError();
    } else {
        return true;
    }
    if (error) {
        *error = reason;
    }
    return false;
}

QList<std::shared_ptr<Track>> Library::convert(const QList<QUrl>& files) {
    QList<std::shared_ptr<Track>> tracks;
    QSet<qint64> listed;
    for (const ConversionOutcome& outcome : convertFiles(files)) {
        if (outcome.track && !listed.contains(outcome.track->id())) {
            listed.insert(outcome.track->id());
            tracks.append(outcome.track);
        }
    }
    return tracks;
}

QList<ConversionOutcome> Library::convertFiles(const QList<QUrl>& files,
                                               const ConversionObserver& observer) {
    QList<ConversionOutcome> outcomes(files.size());
    if (d->options.readOnly) {
        for (qsizetype index = 0; index < outcomes.size(); ++index) {
            outcomes[index].failure = {ConversionError::Recording,
                                       QStringLiteral("the library is open for reading only")};
            if (observer) {
                observer(index, outcomes[index]);
            }
        }
        return outcomes;
    }
    const std::lock_guard batch(d->convertMutex);
    std::stop_token stop;
    {
        const std::lock_guard lock(d->stopMutex);
        stop = d->stop.get_token();
    }
    const int parallel = d->options.parallelConversions > 0
                             ? d->options.parallelConversions
                             : int(std::max(1u, std::thread::hardware_concurrency()));
    ImportBatch::Parts parts{
        *d->database, d->media, *d->moves, d->filesMutex, d->options.stepHook, [this](qint64 id) {
            if (d->writer) {
                d->writer->schedule(id);
            }
        }};
    // The albums of the batch before are known by now.
    scheduleTagWrites(d->albums.settle(*d->database));
    ImportBatch importBatch(std::move(parts), importSettings(), soundCheck(), stop, parallel);
    AlbumLoudness::Meters meters;
    importBatch.run(files, [&](qsizetype index, const ImportedFile& file) {
        if (file.meter) {
            meters.emplace(file.trackId, file.meter);
        }
        ConversionOutcome& outcome = outcomes[index];
        outcome.how = file.how;
        outcome.failure = file.failure;
        outcome.track = file.trackId != 0 ? makeTrack(file.trackId) : nullptr;
        if (observer) {
            observer(index, outcome);
        }
    });
    d->albums.startBatch(std::move(meters));
    const std::lock_guard lock(d->stopMutex);
    if (d->stop.stop_requested()) {
        d->stop = std::stop_source(); // this convert has seen it
    }
    return outcomes;
}

void Library::stopConverting() {
    const std::lock_guard lock(d->stopMutex);
    d->stop.request_stop();
}

bool Library::stopRequested() const {
    const std::lock_guard lock(d->stopMutex);
    return d->stop.stop_requested();
}

QStringList Library::openingRepairs() const {
    return d->openingRepairs;
}

QStringList Library::mediaFiles() const {
    QStringList files;
    for (const QString& file : d->media.allFiles()) {
        files.append(mediaFolderName + u'/' + file);
    }
    return files;
}

QList<FileMove> Library::unfinishedMoves() const {
    return d->database->fileMoves();
}

bool Library::removeTrack(qint64 id, bool keepFile, QString* error) {
    const std::lock_guard files(d->filesMutex);
    const auto record = d->database->track(id);
    if (!record) {
        *error = QStringLiteral("there is no track %1").arg(id);
        return false;
    }
    if (!d->database->removeTrack(id)) {
        *error = d->database->lastError();
        return false;
    }
    const QString path = d->moves->absolutePath(record->file);
    if (!keepFile && QFileInfo::exists(path) && !QFile::remove(path)) {
        *error = QStringLiteral("the track is gone, but its file %1 could not be removed")
                     .arg(record->file);
        return false;
    }
    return true;
}

Removal Library::trashTrack(qint64 id) {
    if (d->options.readOnly) {
        return {false, {}, QStringLiteral("the library is open for reading only")};
    }
    const std::lock_guard files(d->filesMutex);
    const auto file = d->database->recordRemoval(id);
    if (!file) {
        return {false, {}, d->database->lastError()};
    }
    reachStep(d->options.stepHook, "removalRecorded");
    Removal removal{true, *file, {}};
    d->moves->trash(*file, &removal.error);
    return removal;
}

QList<Relocation> Library::organise() {
    if (d->options.readOnly) {
        return {};
    }
    QList<Relocation> missing;
    QList<TrackRecord> present;
    for (const TrackRecord& record : tracks()) {
        if (QFileInfo::exists(d->moves->absolutePath(record.file)) ||
            d->database->fileMove(record.id)) {
            present.append(record);
        } else {
            missing.append({record.id, record.file, {}, QStringLiteral("its file is missing")});
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
    const std::lock_guard files(d->filesMutex);
    return d->moves->relocate(names);
}

bool Library::forgetEncoding(qint64 id) {
    return !d->options.readOnly && d->database->forgetEncoding(id);
}

QList<TrackRecord> Library::tracks() const {
    return d->database->tracks();
}

qint64 Library::trackCount() const {
    return d->database->trackCount();
}

std::shared_ptr<Track> Library::track(qint64 id) {
    return trackRecord(id) ? makeTrack(id) : nullptr;
}

std::shared_ptr<Track> Library::makeTrack(qint64 id) {
    const auto record = trackRecord(id);
    return std::make_shared<Track>(Track::Key{}, shared_from_this(), id,
                                   record ? record->text(QStringLiteral("name")) : QString());
}

std::optional<TrackRecord> Library::trackRecord(qint64 id) const {
    return d->database->track(id);
}

// An image the library holds passed the check when it came: an album's
// cover is decoded once, not once a track.
std::optional<Artwork> Library::usableArtwork(const QByteArray& image, QString* reason) const {
    const auto format = imageFormatOf(image);
    const QString digest = artworkDigest(image);
    if (format && d->database->hasArtwork(digest)) {
        return Artwork{*format, image, digest};
    }
    return checkArtwork(image, reason);
}

void Library::setTrackArtwork(qint64 id, const QByteArray& image) {
    if (d->options.readOnly) {
        return;
    }
    QString reason;
    const auto artwork = usableArtwork(image, &reason);
    if (!artwork) {
        d->database->noteSkippedArtwork(id, reason);
    } else if (d->database->setArtwork(id, *artwork) == PropertyChange::Changed && d->writer) {
        d->writer->schedule(id);
    }
}

void Library::setTrackProperty(qint64 id, const QString& scriptingName,
                               const PropertyValue& value) {
    const TrackProperty* property = findTrackProperty(scriptingName);
    const auto converted = property ? coerceToKind(value, property->kind) : std::nullopt;
    if (!converted || d->options.readOnly) {
        return;
    }
    if (d->database->setProperty(id, *property, *converted) != PropertyChange::Changed) {
        return;
    }
    if (scriptingName == QLatin1String("album") || scriptingName == QLatin1String("albumArtist")) {
        d->albums.albumChanged(id);
    }
    if (d->writer) {
        d->writer->schedule(id);
    }
}

void Library::scheduleTagWrites(const QList<qint64>& ids) {
    if (d->writer) {
        for (const qint64 id : ids) {
            d->writer->schedule(id);
        }
    }
}

// The tags go into a copy that replaces the file only once it is complete
// and synced: a crash at any moment leaves the old file or the new one. The
// folders are synced, and the tracks marked clean, once for the whole lot.
// Each file then moves to where its new tags say, before the tracks are
// marked clean: a kill in between leaves them dirty, and the next open
// writes and moves them again.
quint64 Library::saveTags(const std::vector<qint64>& ids) {
    // Tracks whose album loudness changed and are not about to be written.
    QList<qint64> lagging = d->albums.settle(*d->database);
    lagging.removeIf([&](qint64 id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); });
    scheduleTagWrites(lagging);
    QList<WrittenTags> written;
    QList<TrackRecord> records;
    QSet<QString> folders;
    for (const qint64 id : ids) {
        const std::lock_guard files(d->filesMutex);
        const auto record = d->database->track(id);
        // Clean already (another process's writer got there first), or its
        // file still on its way into place.
        if (!record || record->tagsDirty == 0 || d->database->fileMove(id)) {
            continue;
        }
        const QString path = d->moves->absolutePath(record->file);
        if (const auto size = rewriteTags(path, *record)) {
            written.append({id, record->tagsDirty, *size});
            records.append(*record);
            folders.insert(QFileInfo(path).absolutePath());
        }
    }
    for (const QString& folder : folders) {
        syncFolder(folder);
    }
    relocate(records);
    if (!written.isEmpty()) {
        d->database->markTagsWritten(written);
    }
    return quint64(written.size());
}

// The new size of the file, or nothing when it is left as it was.
std::optional<qint64> Library::rewriteTags(const QString& path, const TrackRecord& record) {
    QString error;
    const auto copy =
        d->media.createPendingFile(extensionOf(path), &error, QFileInfo(path).absolutePath());
    if (!copy || !copyFileContents(path, copy->path()) ||
        !writeTags(copy->path(), record, &error) || !putArtwork(copy->path(), record, &error) ||
        !copy->sync()) {
        return std::nullopt;
    }
    reachStep(d->options.stepHook, "tagsCopied");
    if (!renameFile(copy->path(), path, true)) {
        return std::nullopt;
    }
    copy->release();
    reachStep(d->options.stepHook, "tagsReplaced");
    return QFileInfo(path).size();
}

// A re-encoded file comes without the artwork, so every rewrite puts it in.
bool Library::putArtwork(const QString& path, const TrackRecord& record, QString* error) const {
    if (record.artwork.isEmpty()) {
        return true;
    }
    const auto artwork = d->database->artwork(record.artwork);
    return !artwork || writeArtworkTag(path, *artwork, error);
}

bool Library::writeTagsNow(qint64 id) {
    if (d->options.readOnly) {
        return false;
    }
    if (d->writer) {
        d->writer->schedule(id, true);
        d->writer->flush(std::chrono::seconds(30));
    } else {
        saveTags({id}); // no writer thread to meet
    }
    const auto record = trackRecord(id);
    return record && record->tagsDirty == 0;
}

bool Library::flush(std::chrono::milliseconds timeout) {
    return !d->writer || d->writer->flush(timeout);
}

quint64 Library::tagSaveCount() const {
    return d->writer ? d->writer->saveCount() : 0;
}

} // namespace decant::library
