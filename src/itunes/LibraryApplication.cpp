#include "itunes/LibraryApplication.h"

#include "library/Artwork.h"
#include "library/Library.h"
#include "library/Track.h"
#include "library/TrackProperty.h"
#include "library/Verification.h"
#include "queue/Comments.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <utility>

namespace decant {
namespace {

static_assert(iTunesTrack::largestArtwork == library::largestArtworkBytes);

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
    LibraryTrack(std::shared_ptr<library::Track> track, QString replyName)
        : track_(std::move(track))
        , replyName_(std::move(replyName)) {}

    QString name() const override { return replyName_; }

    void setArtworkData(const QByteArray& image) override { track_->setArtwork(image); }

    QVariant valueForKey(const QString& key) const override {
        if (key == QLatin1String("verification")) {
            const auto record = track_->record();
            return record ? QVariant(library::describeVerification(record->verification))
                          : QVariant();
        }
        const auto value = track_->property(key);
        return value
                   ? std::visit([](const auto& held) { return QVariant::fromValue(held); }, *value)
                   : QVariant();
    }

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
    QString replyName_;
};

} // namespace

LibraryApplication::LibraryApplication(const QString& folder)
    // Made absolute now: the working folder may change before the first
    // convert opens the library.
    : folder_(folder.isEmpty() ? folder : QDir::current().absoluteFilePath(folder)) {}

LibraryApplication::~LibraryApplication() = default;

QString LibraryApplication::location() const {
    return folder_.isEmpty() ? library::Library::defaultLocation() : folder_;
}

std::shared_ptr<library::Library> LibraryApplication::library() {
    std::lock_guard lock(mutex_);
    if (!library_) {
        openingError_.clear();
        library_ = library::Library::open(location(), &openingError_);
    }
    return library_;
}

QString LibraryApplication::openingError() const {
    std::lock_guard lock(mutex_);
    return openingError_;
}

QString LibraryApplication::failureReasonForFile(const QUrl& file) const {
    std::lock_guard lock(mutex_);
    return reasons_.value(file);
}

void LibraryApplication::setConversionObserver(ConversionObserver observer) {
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

void LibraryApplication::stopConverting() {
    std::shared_ptr<library::Library> opened;
    {
        std::lock_guard lock(mutex_);
        opened = library_;
        stopBeforeOpening_ = !opened;
    }
    if (opened) {
        opened->stopConverting();
    }
}

void LibraryApplication::failEveryFile(const QList<QUrl>& files, const QString& reason) {
    ConversionObserver observer;
    {
        std::lock_guard lock(mutex_);
        for (const QUrl& file : files) {
            reasons_.insert(file, reason);
        }
        observer = observer_;
    }
    for (const QUrl& file : files) {
        if (observer) {
            observer(file, false);
        }
    }
}

// Hand-off thread.
QList<iTunesTrackPointer> LibraryApplication::convert(const QList<QUrl>& files) {
    {
        std::lock_guard lock(mutex_);
        reasons_.clear();
    }
    if (files.isEmpty()) {
        return {};
    }
    const auto opened = library();
    if (!opened) {
        failEveryFile(files, QStringLiteral("the library at %1 could not be opened: %2")
                                 .arg(location(), openingError()));
        return {};
    }
    ConversionObserver observer;
    {
        std::lock_guard lock(mutex_);
        observer = observer_;
        if (std::exchange(stopBeforeOpening_, false)) {
            opened->stopConverting();
        }
    }
    const auto outcomes = opened->convertFiles(
        files, [&](qsizetype index, const library::ConversionOutcome& outcome) {
            if (observer) {
                observer(files[index], outcome.track != nullptr);
            }
        });
    QList<iTunesTrackPointer> tracks;
    QSet<qint64> replied;
    std::lock_guard lock(mutex_);
    for (qsizetype index = 0; index < files.size(); ++index) {
        const auto& outcome = outcomes[index];
        if (!outcome.track) {
            reasons_.insert(files[index], library::describeConversionFailure(outcome.failure));
        } else if (!replied.contains(outcome.track->id())) {
            replied.insert(outcome.track->id());
            tracks.append(std::make_shared<LibraryTrack>(
                outcome.track, QFileInfo(files[index].toLocalFile()).completeBaseName()));
        }
    }
    return tracks;
}

} // namespace decant
