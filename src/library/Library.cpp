#include "library/Library.h"

#include "library/Database.h"
#include "library/Importer.h"
#include "library/MediaFolder.h"
#include "library/TagFile.h"
#include "library/TagWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cmath>
#include <thread>

namespace decant::library {
namespace {

const auto databaseFileName = QStringLiteral("Library.sqlite");
const auto mediaFolderName = QStringLiteral("Media");
// Far longer than any one file takes to encode.
constexpr std::chrono::hours abandonedAfter{24};

int averageKilobits(qint64 bytes, double seconds) {
    return seconds > 0 ? int(std::lround(double(bytes) * 8 / seconds / 1000)) : 0;
}

ConversionOutcome failedOutcome(ConversionError error, const QString& detail) {
    return {nullptr, {error, detail}};
}

} // namespace

struct Library::Private {
    QString folder;
    LibraryOptions options;
    MediaFolder media;
    std::unique_ptr<Database> database;
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
    : d(std::make_unique<Private>(
          Private{QDir(folder).absolutePath(), options,
                  MediaFolder(QDir(folder).absoluteFilePath(mediaFolderName)), nullptr, nullptr})) {
}

Library::~Library() {
    d->writer.reset();
}

bool Library::initialise(QString* error) {
    const QDir folder(d->folder);
    if (d->folder.isEmpty()) {
        *error = QStringLiteral("no library folder given");
        return false;
    }
    if (d->options.readOnly) {
        if (!folder.exists()) {
            *error = QStringLiteral("no library at %1 (Decant makes it when it first adds tracks)")
                         .arg(d->folder);
            return false;
        }
    } else if (!folder.mkpath(mediaFolderName)) {
        *error = QStringLiteral("cannot create %1").arg(d->media.path());
        return false;
    }
    d->database = Database::open(
        databasePath(),
        d->options.readOnly ? Database::Access::ReadOnly : Database::Access::ReadWrite, error);
    if (!d->database) {
        return false;
    }
    if (!d->options.readOnly) {
        d->media.removeAbandonedFiles(abandonedAfter);
    }
    if (d->options.writeTags && !d->options.readOnly) {
        d->writer = std::make_unique<TagWriter>([this](qint64 id) { return saveTags(id); },
                                                d->options.tagQuietPeriod);
        // Tags a crash kept from being written.
        for (const qint64 id : d->database->tracksWithDirtyTags()) {
            d->writer->schedule(id, true);
        }
    }
    return true;
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

QList<std::shared_ptr<Track>> Library::convert(const QList<QUrl>& files) {
    QList<std::shared_ptr<Track>> tracks;
    for (const ConversionOutcome& outcome : convertFiles(files)) {
        if (outcome.track) {
            tracks.append(outcome.track);
        }
    }
    return tracks;
}

QList<ConversionOutcome> Library::convertFiles(const QList<QUrl>& files) {
    QList<ConversionOutcome> outcomes;
    if (d->options.readOnly) {
        for (qsizetype index = 0; index < files.size(); ++index) {
            outcomes.append(failedOutcome(ConversionError::Recording,
                                          QStringLiteral("the library is open for reading only")));
        }
        return outcomes;
    }
    const ImportSettings settings = importSettings();
    const int parallel = d->options.parallelConversions > 0
                             ? d->options.parallelConversions
                             : int(std::max(1u, std::thread::hardware_concurrency()));
    const Importer importer(d->media, settings);
    // Recorded in the order of the files, so that ids follow it too.
    for (const ImportResult& result : importer.importAll(files, parallel)) {
        if (!result.file) {
            outcomes.append({nullptr, result.failure});
            continue;
        }
        const ImportedFile& file = *result.file;
        const NewTrack track{mediaFolderName + u'/' + file.fileName,
                             kindOfEncoder(settings.encoder),
                             file.name,
                             file.audio.duration,
                             file.audio.sampleRate,
                             file.audio.channels,
                             averageKilobits(file.size, file.audio.duration),
                             file.size,
                             QDateTime::currentDateTimeUtc()};
        const auto id = d->database->insertTrack(track);
        if (!id) {
            QFile::remove(d->media.path() + u'/' + file.fileName);
            outcomes.append(failedOutcome(ConversionError::Recording, d->database->lastError()));
            continue;
        }
        outcomes.append(
            {std::make_shared<Track>(Track::Key{}, shared_from_this(), *id, file.name), {}});
    }
    return outcomes;
}

QList<TrackRecord> Library::tracks() const {
    return d->database->tracks();
}

qint64 Library::trackCount() const {
    return d->database->trackCount();
}

std::shared_ptr<Track> Library::track(qint64 id) {
    const auto record = trackRecord(id);
    if (!record) {
        return nullptr;
    }
    return std::make_shared<Track>(Track::Key{}, shared_from_this(), id,
                                   record->text(QStringLiteral("name")));
}

std::optional<TrackRecord> Library::trackRecord(qint64 id) const {
    return d->database->track(id);
}

void Library::setTrackProperty(qint64 id, const QString& scriptingName,
                               const PropertyValue& value) {
    const TrackProperty* property = findTrackProperty(scriptingName);
    const auto converted = property ? coerceToKind(value, property->kind) : std::nullopt;
    if (!converted || d->options.readOnly) {
        return;
    }
    if (d->database->setProperty(id, *property, *converted) && d->writer) {
        d->writer->schedule(id);
    }
}

bool Library::saveTags(qint64 id) {
    const auto record = d->database->track(id);
    // Clean already: another process's writer got there first.
    if (!record || record->tagsDirty == 0) {
        return false;
    }
    const QString path = QDir(d->folder).absoluteFilePath(record->file);
    QString error;
    if (!writeTags(path, *record, &error)) {
        return false;
    }
    d->database->markTagsWritten(id, record->tagsDirty, QFileInfo(path).size());
    return true;
}

bool Library::flush(std::chrono::milliseconds timeout) {
    return !d->writer || d->writer->flush(timeout);
}

quint64 Library::tagSaveCount() const {
    return d->writer ? d->writer->saveCount() : 0;
}

} // namespace decant::library
