#include "itunes/LibraryApplication.h"

#include "library/Library.h"
#include "library/Track.h"
#include "library/model/Artwork.h"
#include "library/model/TrackProperty.h"
#include "library/model/Verification.h"
#include "queue/Comments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

#include <utility>

namespace decant {
namespace {

using library::Result;

static_assert(iTunesTrack::largestArtwork == library::largestArtworkBytes);
// Several values of a tag field cross the hand-off in one text.
static_assert(commentValueSeparator == library::valueSeparator);

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

    qint64 id() const { return track_->id(); }

    // The scripting interface has no answer for a set: the first value that
    // could not be stored is kept, for writeTracksNow to say.
    void setArtworkData(const QByteArray& image) override {
        keepFailure(track_->setArtwork(image));
    }

    QString failure() const { return failure_; }

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
            keepFailure(track_->setProperty(key, *typed));
        }
    }

private:
    void keepFailure(const library::Status& status) {
        if (!status && failure_.isEmpty()) {
            failure_ = status.error().message;
        }
    }

    std::shared_ptr<library::Track> track_;
    QString replyName_;
    QString failure_; // the hand-off thread's alone
};

} // namespace

// Hand-off thread.
QStringList LibraryApplication::writeTracksNow(const QList<iTunesTrackPointer>& tracks) {
    QStringList reasons(tracks.size());
    QList<qint64> ids;
    for (const auto& track : tracks) {
        if (const auto* ours = dynamic_cast<const LibraryTrack*>(track.get())) {
            ids.append(ours->id());
        }
    }
    std::shared_ptr<library::Library> opened;
    {
        std::lock_guard lock(mutex_);
        opened = library_;
    }
    if (!opened || ids.isEmpty()) {
        return reasons;
    }
    const auto failures = opened->writeTagsNow(ids);
    for (qsizetype index = 0; index < tracks.size(); ++index) {
        const auto* ours = dynamic_cast<const LibraryTrack*>(tracks[index].get());
        if (!ours) {
            continue;
        }
        const auto failure = failures.find(ours->id());
        reasons[index] = !ours->failure().isEmpty()  ? ours->failure()
                         : failure != failures.end() ? failure->second.message
                                                     : QString();
    }
    static_cast<void>(opened->backUpIfChanged());
    return reasons;
}

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
        auto opened = library::Library::open(location());
        openingError_ = opened ? QString() : opened.error().message;
        library_ = opened ? *opened : nullptr;
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

void LibraryApplication::withdrawStopRequest() {
    std::shared_ptr<library::Library> opened;
    {
        std::lock_guard lock(mutex_);
        opened = library_;
        stopBeforeOpening_ = false;
    }
    if (opened) {
        opened->withdrawStopRequest();
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

QList<iTunesTrackPointer> LibraryApplication::convert(const QList<QUrl>& files) {
    return convertProven(files, {});
}

// Hand-off thread.
QList<iTunesTrackPointer> LibraryApplication::convertProven(const QList<QUrl>& files,
                                                            const QStringList& audioDigests,
                                                            const QList<QUrl>& leadIns,
                                                            const QStringList& sampleChecks) {
    {
        std::lock_guard lock(mutex_);
        reasons_.clear();
    }
    if (files.isEmpty()) {
        return {};
    }
    const auto opened = library();
    if (!opened) {
        failEveryFile(files,
                      QCoreApplication::translate("decant::LibraryApplication",
                                                  "the library at %1 could not be opened: %2")
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
        files,
        [&](qsizetype index, const library::ConversionOutcome& outcome) {
            if (observer) {
                observer(files[index], outcome.trackId != 0);
            }
        },
        audioDigests, leadIns, sampleChecks);
    // Made before the lock is taken: each reads the database. A track that
    // cannot be read is not taken for one that is gone.
    QList<std::shared_ptr<library::Track>> handles(files.size());
    QString unreadable = QCoreApplication::translate("decant::LibraryApplication",
                                                     "the track is no longer in the library");
    for (qsizetype index = 0; index < files.size(); ++index) {
        if (outcomes[index].trackId != 0) {
            handles[index] = opened->track(outcomes[index].trackId);
            const auto readable = handles[index] ? Result<qint64>(0) : opened->trackCount();
            if (!readable) {
                unreadable = readable.error().message;
            }
        }
    }
    QList<iTunesTrackPointer> tracks;
    QSet<qint64> replied;
    std::lock_guard lock(mutex_);
    for (qsizetype index = 0; index < files.size(); ++index) {
        const auto& outcome = outcomes[index];
        const auto& track = handles[index];
        if (!track) {
            reasons_.insert(files[index], outcome.trackId != 0 ? unreadable
                                                               : library::describeConversionFailure(
                                                                     outcome.failure));
        } else if (!replied.contains(track->id())) {
            replied.insert(track->id());
            tracks.append(std::make_shared<LibraryTrack>(
                track, QFileInfo(files[index].toLocalFile()).completeBaseName()));
        }
    }
    return tracks;
}

} // namespace decant
