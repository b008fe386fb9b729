#include "queue/CoverArt.h"
#include "queue/FilesController.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <optional>

namespace decant {
namespace {

// The value a row's "type" asks for, or the value unchanged.
QVariant typedValue(const QVariant& value, const QVariant& type) {
    if (type == QLatin1String("integer")) {
        return QVariant(integerValue(value));
    }
    if (type == QLatin1String("boolean")) {
        return QVariant(booleanValue(value));
    }
    return value;
}

// What a row of the comment map asks for.
struct MappedRow {
    QString property;
    QVariant type;
    // The field this row stands in for when that one is missing.
    QVariant fallbackFor;
    // The property that takes the count of a value such as "4/12".
    QVariant countProperty;
};

// Rows that are not dictionaries or name no property are not usable.
std::optional<MappedRow> usableRow(const QVariant& row) {
    const QVariantMap columns = row.toMap();
    const QVariant property = columns.value(QStringLiteral("key"));
    if (row.typeId() != QMetaType::QVariantMap || property.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return MappedRow{property.toString(), columns.value(QStringLiteral("type")),
                     columns.value(QStringLiteral("fallbackFor")),
                     columns.value(QStringLiteral("countKey"))};
}

// A null value (a JSON null from the store) has nothing to send.
bool hasValue(const CommentsDictionary& comments, const QVariant& field) {
    if (field.typeId() != QMetaType::QString) {
        return false;
    }
    const auto found = comments.constFind(field.toString());
    return found != comments.cend() && !found->isNull();
}

// The count in a text such as "4/12": 12, or 0 when there is none.
qint64 countAfterSlash(const QVariant& value) {
    if (value.typeId() != QMetaType::QString) {
        return 0;
    }
    const QString text = value.toString();
    const qsizetype slash = text.indexOf(u'/');
    return slash < 0 ? 0 : integerValue(text.mid(slash + 1));
}

} // namespace

void FilesController::applyCommentsToTrack(const CommentsDictionary& comments,
                                           iTunesTrack& track) const {
    if (!commentMap_) {
        return;
    }
    QSet<QString> propertiesSet;
    QList<QPair<QVariant, qint64>> counts;
    for (auto field = comments.cbegin(); field != comments.cend(); ++field) {
        const std::optional<MappedRow> row = usableRow(commentMap_->value(field.key()));
        // Two fields for one property: the alias counts only when the field
        // it stands in for is missing, so the dictionary's order never decides.
        if (!row || field.value().isNull() || hasValue(comments, row->fallbackFor)) {
            continue;
        }
        track.setValueForKey(typedValue(field.value(), row->type), row->property);
        propertiesSet.insert(row->property);
        if (const qint64 count = countAfterSlash(field.value()); count > 0) {
            counts.append({row->countProperty, count});
        }
    }
    // "4/12" gives the count only to a track whose tags name none of their own.
    for (const auto& [property, count] : counts) {
        if (property.typeId() == QMetaType::QString &&
            !propertiesSet.contains(property.toString())) {
            track.setValueForKey(QVariant(count), property.toString());
        }
    }
}

// Hand-off thread.
void FilesController::encodeAll() {
    const QList<QueueEntryPointer> entries = files();
    QList<QUrl> urls;
    urls.reserve(entries.size());
    QHash<QString, QueueEntryPointer> byHash;
    byHash.reserve(entries.size());
    QList<QPair<QUrl, QueueEntryPointer>> handedOver;
    for (const auto& entry : entries) {
        // One step, so two hand-offs can never both take an entry.
        if (entry->exchangeStatus(QueueEntryStatusDecoded, QueueEntryStatusEncoding)) {
            byHash.insert(entry->pathHash(), entry);
            urls.append(QUrl::fromLocalFile(entry->decodedPath()));
            handedOver.append({urls.back(), entry});
        }
    }
    post([this] { reloadTable(); });
    progress_.startConverting(handedOver, RunProgressTracker::Clock::now());

    const QList<iTunesTrackPointer> tracks =
        iTunes_ ? iTunes_->convert(urls) : QList<iTunesTrackPointer>();
    for (const auto& track : tracks) {
        const QueueEntryPointer entry = track ? byHash.value(track->name()) : nullptr;
        if (!entry) {
            continue;
        }
        applyCommentsToTrack(entry->comments(), *track);
        // Read now, one track at a time: a queue's pictures never sit in
        // memory together. One byte more than the library takes lets it say
        // why it skips a larger image.
        if (const QByteArray cover = readCoverArt(entry->path(), iTunesTrack::largestArtwork + 1);
            !cover.isEmpty()) {
            track->setArtworkData(cover);
        }
        entry->setVerification(track->valueForKey(QStringLiteral("verification")).toString());
        QFile::remove(entry->decodedPath());
        entry->setStatus(QueueEntryStatusDone);
    }
    explainFilesNotTaken(handedOver);
    progress_.finishConverting(RunProgressTracker::Clock::now());
    progressDidChange();
    post([this] { reloadTable(); });
}

void FilesController::explainFilesNotTaken(
    const QList<QPair<QUrl, QueueEntryPointer>>& handedOver) const {
    for (const auto& [file, entry] : handedOver) {
        if (entry->status() != QueueEntryStatusEncoding) {
            continue;
        }
        const QString reason = iTunes_ ? iTunes_->failureReasonForFile(file) : QString();
        entry->setFailureReason(
            reason.isEmpty() ? QStringLiteral("the library did not take the file") : reason);
    }
}

} // namespace decant
