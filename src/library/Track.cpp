#include "library/Track.h"

#include "library/Library.h"

#include <QDir>

namespace decant::library {

Track::Track(Key, std::shared_ptr<Library> library, qint64 id, QString name)
    : library_(std::move(library))
    , id_(id)
    , nameAtCreation_(std::move(name)) {}

QString Track::name() const {
    const auto current = record();
    return current ? current->text(QStringLiteral("name")) : nameAtCreation_;
}

void Track::setProperty(const QString& scriptingName, const PropertyValue& value) {
    library_->setTrackProperty(id_, scriptingName, value);
}

void Track::setArtwork(const QByteArray& image) {
    library_->setTrackArtwork(id_, image);
}

std::optional<PropertyValue> Track::property(const QString& scriptingName) const {
    const auto current = record();
    if (!current || !current->properties.contains(scriptingName)) {
        return std::nullopt;
    }
    return current->properties.value(scriptingName);
}

std::optional<TrackRecord> Track::record() const {
    return library_->trackRecord(id_);
}

QString Track::filePath() const {
    const auto current = record();
    return current ? QDir(library_->location()).absoluteFilePath(current->file) : QString();
}

} // namespace decant::library
