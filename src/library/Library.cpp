#include "library/Library.h"

#include "library/LibraryPrivate.h"
#include "library/TagWriter.h"
#include "library/files/DiskSpace.h"
#include "library/files/FileError.h"
#include "library/files/FileMoves.h"
#include "library/files/MediaFolder.h"
#include "library/import/AlbumLoudness.h"
#include "library/import/ImportBatch.h"
#include "library/store/Database.h"
#include "library/store/FileJournal.h"
#include "library/store/PropertyStore.h"
#include "library/store/SettingsStore.h"
#include "library/store/TrackStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <filesystem>
#include <stop_token>
#include <thread>
#include <unistd.h>

namespace decant::library {
namespace {

const auto databaseFileName = QStringLiteral("Library.sqlite");
// Pending files are told from a crash's by their locks; this is for file
// systems without locks. Far longer than any one file takes to encode.
constexpr std::chrono::hours abandonedAfter{24};

// Creates the folder and its parents.
Status makeFolder(const QString& path) {
    std::error_code failure;
    std::filesystem::create_directories(QFile::encodeName(path).toStdString(), failure);
    if (failure) {
        return Error{kindOfFileError(failure.value()),
                     QCoreApplication::translate("decant::Library", "cannot create %1: %2")
                         .arg(path, describeFileError(failure.value()))};
    }
    return {};
}

Status folderIsWritable(const QString& path) {
    if (access(QFile::encodeName(path).constData(), W_OK | X_OK) == 0) {
        return {};
    }
    return fileError(QCoreApplication::translate("decant::Library", "cannot write in %1: %2"),
                     path);
}

} // namespace

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

QString Library::databasePathIn(const QString& folder) {
    return QDir(folder).absoluteFilePath(databaseFileName);
}

QString Library::mediaPathIn(const QString& folder) {
    return QDir(folder).absoluteFilePath(mediaFolderName());
}

QString Library::backupsPathIn(const QString& folder) {
    return QDir(folder).absoluteFilePath(backupsFolderName());
}

Result<std::shared_ptr<Library>> Library::open(const QString& folder,
                                               const LibraryOptions& options) {
    auto library = std::make_shared<Library>(Key{}, folder, options);
    if (Status initialised = library->initialise(); !initialised) {
        return initialised.error();
    }
    return library;
}

Library::Library(Key, const QString& folder, const LibraryOptions& options)
    : d(std::make_unique<Private>(folder, options)) {}

Library::~Library() {
    d->writer.reset();
}

Status Library::prepareFolders() const {
    if (d->folder.isEmpty()) {
        return Error{Error::Kind::NotFound,
                     QCoreApplication::translate("decant::Library", "no library folder given")};
    }
    if (d->options.readOnly) {
        if (!QFileInfo(d->folder).isDir()) {
            return Error{
                Error::Kind::NotFound,
                QCoreApplication::translate("decant::Library",
                                            "no library at %1 (Decant makes it when it first adds "
                                            "tracks)")
                    .arg(d->folder)};
        }
        return {};
    }
    if (Status made = makeFolder(d->media.path()); !made) {
        return made;
    }
    if (Status writable = folderIsWritable(d->folder); !writable) {
        return writable;
    }
    return folderIsWritable(d->media.path());
}

// A database gone or empty beside a media folder that holds files was lost,
// not never made: taken for a new library, it would make every file an
// orphan, and a repair would throw them all away.
Status Library::refuseToStartOver() const {
    const QFileInfo database(databasePath());
    if (database.exists() && database.size() > 0) {
        return {};
    }
    qsizetype files = 0;
    for (const QString& file : d->media.allFiles()) {
        files += MediaFolder::isPendingName(QFileInfo(file).fileName()) ? 0 : 1;
    }
    if (files == 0) {
        return {};
    }
    const QString reason =
        database.exists() ? QCoreApplication::translate(
                                "decant::Library",
                                "the library's database %1 is empty, but its media folder holds %2 "
                                "file(s): decant-library check --repair rebuilds it from them")
                          : QCoreApplication::translate(
                                "decant::Library",
                                "the library's database %1 is missing, but its media folder holds "
                                "%2 file(s): decant-library check --repair rebuilds it from them");
    return Error{Error::Kind::Corrupt, reason.arg(databasePath()).arg(files)};
}

Status Library::initialise() {
    if (Status prepared = prepareFolders(); !prepared) {
        return prepared;
    }
    if (Status lost = refuseToStartOver(); !lost) {
        return lost;
    }
    auto database = Database::open(databasePath(),
                                   d->options.readOnly ? Database::Access::ReadOnly
                                                       : Database::Access::ReadWrite,
                                   d->options.busyTimeout);
    if (!database) {
        return database.error();
    }
    d->database = std::move(*database);
    d->database->setAbandonWait([this] { return stopRequested(); });
    d->locks = std::make_unique<TrackLocks>(QDir(d->folder).absoluteFilePath(lockFileName()),
                                            d->options.readOnly);
    d->moves = std::make_unique<FileMoves>(*d->database, *d->locks, d->folder, d->media.path(),
                                           d->options.stepHook);
    if (d->options.readOnly) {
        return {};
    }
    recover();
    if (d->options.writeTags) {
        // A track whose tags fail to save stays dirty: the next save of it,
        // or the next open, tries again.
        d->writer = std::make_unique<TagWriter>(
            [this](const std::vector<qint64>& ids) { return saveTags(ids).saved; },
            d->options.tagQuietPeriod);
        scheduleLaggingTags();
    }
    return {};
}

// Tags a crash kept from being written; when they cannot be found, the next
// open looks again, and decant-library check finds them meanwhile.
void Library::scheduleLaggingTags() {
    const auto dirty = d->database->properties().tracksWithDirtyTags();
    if (!dirty) {
        d->openingFailures.append(
            QCoreApplication::translate(
                "decant::Library", "Could not find the tracks whose tags an interrupted save left "
                                   "unwritten: %1")
                .arg(dirty.error().message));
        return;
    }
    for (const qint64 id : *dirty) {
        d->writer->schedule(id, true);
    }
}

// What an interrupted import left: moves to finish, then pending files that
// no living process holds and no move still needs.
void Library::recover() {
    FileMoves::Recovery recovery = d->moves->recover();
    d->openingRepairs = std::move(recovery.done);
    d->openingFailures = std::move(recovery.failed);
    const auto moves = d->database->journal().fileMoves();
    if (!moves) {
        // Without the journal, no pending file is known to be abandoned.
        d->openingFailures.append(
            QCoreApplication::translate("decant::Library",
                                        "Left the half-written files of interrupted imports: %1")
                .arg(moves.error().message));
        return;
    }
    QStringList needed;
    for (const FileMove& move : *moves) {
        needed.append(d->moves->absolutePath(move.pending));
    }
    for (const QString& removed : d->media.removeAbandonedFiles(abandonedAfter, needed)) {
        d->openingRepairs.append(
            QCoreApplication::translate("decant::Library",
                                        "Removed %1, left half-written by an interrupted import.")
                .arg(d->moves->relativePath(removed)));
    }
}

QString Library::location() const {
    return d->folder;
}

QString Library::databasePath() const {
    return databasePathIn(d->folder);
}

QString Library::mediaPath() const {
    return d->media.path();
}

QString Library::backupsPath() const {
    return d->backups.folder();
}

Result<int> Library::schemaVersion() const {
    return d->database->storedSchemaVersion();
}

// The failure is kept with the settings, where decant-library info and
// check find it: the import it ends has succeeded all the same.
// A backup that failed is tried again at the next chance, changes or not.
Result<QString> Library::backUpIfChanged() {
    if (d->options.readOnly) {
        return QString();
    }
    if (!d->changedSinceBackup.load() && lastBackupFailure().valueOr(QString()).isEmpty()) {
        return QString();
    }
    return backUp();
}

Result<QString> Library::backUp() {
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    d->changedSinceBackup = false;
    const auto made = d->backups.make(*d->database, backupsKept);
    static_cast<void>(
        d->database->settings().storeBackupFailure(made ? QString() : made.error().message));
    if (!made) {
        d->changedSinceBackup = true;
        return explained(made.error());
    }
    return *made;
}

Result<QString> Library::lastBackupFailure() const {
    return d->database->settings().backupFailure();
}

Error Library::explained(Error error, const QString& folder) const {
    return withDiskSpace(std::move(error), folder.isEmpty() ? d->folder : folder);
}

Result<ImportSettings> Library::importSettings() const {
    return d->database->settings().importSettings();
}

Status Library::setImportSettings(const ImportSettings& settings) {
    if (const auto problem = settingsProblem(settings)) {
        return Error{Error::Kind::Other, *problem};
    }
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    return d->database->settings().storeImportSettings(settings);
}

Result<bool> Library::soundCheck() const {
    return d->database->settings().soundCheck();
}

Status Library::setSoundCheck(bool on) {
    if (d->options.readOnly) {
        return readOnlyLibrary();
    }
    return d->database->settings().storeSoundCheck(on);
}

QList<std::shared_ptr<Track>> Library::convert(const QList<QUrl>& files) {
    QList<std::shared_ptr<Track>> tracks;
    QSet<qint64> listed;
    for (const ConversionOutcome& outcome : convertFiles(files)) {
        if (outcome.trackId != 0 && !listed.contains(outcome.trackId)) {
            listed.insert(outcome.trackId);
            tracks.append(makeTrack(outcome.trackId));
        }
    }
    return tracks;
}

QList<ConversionOutcome> Library::convertFiles(const QList<QUrl>& files,
                                               const ConversionObserver& observer,
                                               const QStringList& audioDigests,
                                               const QList<QUrl>& leadIns,
                                               const QStringList& sampleChecks) {
    if (d->options.readOnly) {
        return failEveryFile(files.size(), readOnlyLibrary().message, observer);
    }
    const std::lock_guard batch(d->convertMutex);
    const auto settings = importSettings();
    const auto measure = soundCheck();
    if (!settings || !measure) {
        return failEveryFile(files.size(), (settings ? measure.error() : settings.error()).message,
                             observer);
    }
    std::stop_token stop;
    {
        const std::lock_guard lock(d->stopMutex);
        stop = d->stop.get_token();
    }
    const int parallel = d->options.parallelConversions > 0
                             ? d->options.parallelConversions
                             : int(std::max(1u, std::thread::hardware_concurrency()));
    ImportBatch::Parts parts{
        *d->database, d->media, *d->moves, *d->locks, d->options.stepHook, [this](qint64 id) {
            if (d->writer) {
                d->writer->schedule(id);
            }
        }};
    // The albums of the batch before are known by now.
    scheduleTagWrites(d->albums.settle(*d->database));
    ImportBatch importBatch(std::move(parts), *settings, *measure, stop, parallel);
    const QList<ConversionOutcome> outcomes =
        importBatch.run(files, observer, {audioDigests, sampleChecks, leadIns});
    d->albums.startBatch(importBatch.takeMeters());
    for (const ConversionOutcome& outcome : outcomes) {
        if (outcome.how == Conversion::Added || outcome.how == Conversion::Replaced) {
            d->changedSinceBackup = true;
        }
    }
    const std::lock_guard lock(d->stopMutex);
    if (d->stop.stop_requested()) {
        d->stop = std::stop_source(); // this convert has seen it
    }
    return outcomes;
}

QList<ConversionOutcome> Library::failEveryFile(qsizetype count, const QString& reason,
                                                const ConversionObserver& observer) const {
    QList<ConversionOutcome> outcomes(count);
    for (qsizetype index = 0; index < count; ++index) {
        outcomes[index].failure = {ConversionError::Recording, reason};
        if (observer) {
            observer(index, outcomes[index]);
        }
    }
    return outcomes;
}

void Library::stopConverting() {
    const std::lock_guard lock(d->stopMutex);
    d->stop.request_stop();
}

void Library::withdrawStopRequest() {
    const std::lock_guard lock(d->stopMutex);
    if (d->stop.stop_requested()) {
        d->stop = std::stop_source();
    }
}

bool Library::stopRequested() const {
    const std::lock_guard lock(d->stopMutex);
    return d->stop.stop_requested();
}

Result<QList<TrackRecord>> Library::tracks() const {
    return d->database->tracks().tracks();
}

Result<qint64> Library::trackCount() const {
    return d->database->tracks().trackCount();
}

std::shared_ptr<Track> Library::track(qint64 id) {
    const auto record = trackRecord(id);
    return record && *record ? makeTrack(id, (*record)->text(QStringLiteral("name"))) : nullptr;
}

std::shared_ptr<Track> Library::makeTrack(qint64 id) {
    const auto record = trackRecord(id).valueOr(std::nullopt);
    return makeTrack(id, record ? record->text(QStringLiteral("name")) : QString());
}

std::shared_ptr<Track> Library::makeTrack(qint64 id, const QString& name) {
    return std::make_shared<Track>(Track::Key{}, shared_from_this(), id, name);
}

Result<std::optional<TrackRecord>> Library::trackRecord(qint64 id) const {
    return d->database->tracks().track(id);
}

} // namespace decant::library
