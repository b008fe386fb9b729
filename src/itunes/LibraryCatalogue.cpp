#include "itunes/LibraryCatalogue.h"

#include "library/Library.h"
#include "library/model/Verification.h"
#include "library/verify/SoundCheck.h"

#include <QDir>

#include <utility>

namespace decant {
namespace {

CatalogueTrack catalogueTrack(const library::TrackRecord& record, const QDir& folder) {
    CatalogueTrack track;
    track.id = record.id;
    track.name = record.text(QStringLiteral("name"));
    track.artist = record.text(QStringLiteral("artist"));
    track.album = record.text(QStringLiteral("album"));
    track.trackNumber = int(record.integer(QStringLiteral("trackNumber")));
    track.discNumber = int(record.integer(QStringLiteral("discNumber")));
    track.year = int(record.integer(QStringLiteral("year")));
    track.kind = record.kind;
    if (record.loudness) {
        track.gain = library::replayGain(*record.loudness);
    }
    track.verified = library::describeVerification(record.verification);
    track.file = folder.absoluteFilePath(record.file);
    track.cover = record.artwork;
    return track;
}

} // namespace

LibraryCatalogue::LibraryCatalogue(QString location, std::chrono::milliseconds busyTimeout)
    : location_(std::move(location))
    , busyTimeout_(busyTimeout) {}

CatalogueReading LibraryCatalogue::read() const {
    library::LibraryOptions options;
    options.readOnly = true;
    options.busyTimeout = busyTimeout_;
    CatalogueReading reading;
    const auto opened = library::Library::open(location_, options);
    if (!opened) {
        reading.exists = opened.error().kind != library::Error::Kind::NotFound;
        reading.problem = reading.exists ? opened.error().message : QString();
        return reading;
    }
    const auto records = (*opened)->tracks();
    if (!records) {
        reading.problem = records.error().message;
        return reading;
    }
    const QDir folder(location_);
    reading.tracks.reserve(records->size());
    for (const library::TrackRecord& record : *records) {
        reading.tracks.append(catalogueTrack(record, folder));
    }
    return reading;
}

QHash<QString, QByteArray> LibraryCatalogue::coverImages(const QStringList& covers) const {
    library::LibraryOptions options;
    options.readOnly = true;
    options.busyTimeout = busyTimeout_;
    QHash<QString, QByteArray> images;
    const auto opened = library::Library::open(location_, options);
    if (!opened) {
        return images;
    }
    for (const QString& cover : covers) {
        const auto image = (*opened)->artworkImage(cover);
        if (image && *image) {
            images.insert(cover, **image);
        }
    }
    return images;
}

QString LibraryCatalogue::moveToTrash(qint64 id) const {
    // The tags are the importing process's to write, as for the command.
    library::LibraryOptions options;
    options.writeTags = false;
    options.busyTimeout = busyTimeout_;
    const auto opened = library::Library::open(location_, options);
    if (!opened) {
        return opened.error().message;
    }
    return (*opened)->trashTrack(id).error;
}

} // namespace decant
