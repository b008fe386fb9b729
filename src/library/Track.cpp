#include "library/Track.h"

#include "library/Library.h"

#include <QDir>

namespace decant::library {

struct Track::Private {
    std::shared_ptr<Library> library;
    qint64 id;
    QString nameAtCreation;
};

Track::Track(Key, std::shared_ptr<Library> library, qint64 id, QString name)
    : d(std::make_unique<Private>(Private{std::move(library), id, std::move(name)})) {}

Track::~Track() = default;

qint64 Track::id() const {
    return d->id;
}

QString Track::name() const {
    const auto current = record();
    return current ? current->text(QStringLiteral("name")) : d->nameAtCreation;
}

Status Track::setProperty(const QString& scriptingName, const PropertyValue& value) {
    return d->library->setTrackProperty(d->id, scriptingName, value);
}

Status Track::setArtwork(const QByteArray& image) {
    return d->library->setTrackArtwork(d->id, image);
}

std::optional<PropertyValue> Track::property(const QString& scriptingName) const {
    const auto current = record();
    if (!current || !current->properties.contains(scriptingName)) {
        return std::nullopt;
    }
    return current->properties.value(scriptingName);
}

std::optional<TrackRecord> Track::record() const {
    return d->library->trackRecord(d->id).valueOr(std::nullopt);
}

QString Track::filePath() const {
    const auto current = record();
    return current ? QDir(d->library->location()).absoluteFilePath(current->file) : QString();
}

} // namespace decant::library
