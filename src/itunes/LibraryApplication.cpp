#include "itunes/LibraryApplication.h"

#include "library/Library.h"
#include "library/Track.h"
#include "library/TrackProperty.h"
#include "queue/Comments.h"

#include <QLocale>

namespace decant {
namespace {

// A value as the property's kind wants it, by the same rules the queue
// uses for tag texts; nothing for a null value.
std::optional<library::PropertyValue> valueOfKind(const QVariant& value,
                                                  library::PropertyKind kind) {
    if (value.isNull()) {
        return std::nullopt;
    }
    switch (kind) {
    case library::PropertyKind::Integer:
        return integerValue(value);
    case library::PropertyKind::Boolean:
        return booleanValue(value);
    case library::PropertyKind::Text:
        if (value.typeId() == QMetaType::Double) {
            return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        }
        if (isNumber(value)) {
            return QString::number(integerValue(value));
        }
        return value.toString();
    }
    return std::nullopt;
}

class LibraryTrack final : public iTunesTrack {
public:
    explicit LibraryTrack(std::shared_ptr<library::Track> track)
        : track_(std::move(track)) {}

    QString name() const override { return track_->name(); }

    void setValueForKey(const QVariant& value, const QString& key) override {
        const auto kind = library::propertyKind(key);
        if (!kind) {
            return;
        }
        if (const auto typed = valueOfKind(value, *kind)) {
            track_->setProperty(key, *typed);
        }
    }

private:
    std::shared_ptr<library::Track> track_;
};

} // namespace

LibraryApplication::LibraryApplication(QString folder)
    : folder_(std::move(folder)) {}

LibraryApplication::~LibraryApplication() = default;

std::shared_ptr<library::Library> LibraryApplication::library() {
    std::lock_guard lock(mutex_);
    if (!library_) {
        const QString folder = folder_.isEmpty() ? library::Library::defaultLocation() : folder_;
        openingError_.clear();
        library_ = library::Library::open(folder, &openingError_);
    }
    return library_;
}

QString LibraryApplication::openingError() const {
    std::lock_guard lock(mutex_);
    return openingError_;
}

// Hand-off thread.
QList<iTunesTrackPointer> LibraryApplication::convert(const QList<QUrl>& files) {
    if (files.isEmpty()) {
        return {};
    }
    const auto opened = library();
    if (!opened) {
        return {};
    }
    QList<iTunesTrackPointer> tracks;
    for (const auto& track : opened->convert(files)) {
        tracks.append(std::make_shared<LibraryTrack>(track));
    }
    return tracks;
}

} // namespace decant
