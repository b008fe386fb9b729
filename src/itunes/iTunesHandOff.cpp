#include "itunes/iTunesHandOff.h"

#include "itunes/CommentMap.h"
#include "queue/CoverArt.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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

iTunesHandOff::iTunesHandOff(iTunesApplicationPointer iTunes)
    : iTunes_(std::move(iTunes))
    , commentMap_(loadCommentMap()) {
    if (iTunes_) {
        iTunes_->setTimeout(iTunesApplication::noTimeout);
    }
}

void iTunesHandOff::setConversionObserver(ConversionObserver observer) {
    if (iTunes_) {
        iTunes_->setConversionObserver(std::move(observer));
    }
}

void iTunesHandOff::stopConverting() {
    if (iTunes_) {
        iTunes_->stopConverting();
    }
}

void iTunesHandOff::withdrawStopRequest() {
    if (iTunes_) {
        iTunes_->withdrawStopRequest();
    }
}

bool iTunesHandOff::applyCommentsToTrack(const CommentsDictionary& comments,
                                         iTunesTrack& track) const {
    if (!commentMap_) {
        return false;
    }
    bool named = false;
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
        named = named || (row->property == QLatin1String("name") &&
                          !field.value().toString().trimmed().isEmpty());
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
    return named;
}

namespace {

// For each file, the file of the track that runs on into it: the track
// before it cut from the same file, when it is in this batch too.
QList<QUrl> leadInsOf(const HandOffBatch& batch) {
    QHash<std::pair<QByteArray, uint64_t>, QUrl> trackEndingAt;
    for (const auto& [file, entry] : batch) {
        if (const auto& track = entry->track()) {
            trackEndingAt.insert({entry->path(), track->endSample}, file);
        }
    }
    QList<QUrl> leadIns;
    if (trackEndingAt.isEmpty()) {
        return leadIns;
    }
    for (const auto& [file, entry] : batch) {
        const auto& track = entry->track();
        leadIns.append(track ? trackEndingAt.value({entry->path(), track->firstSample}) : QUrl());
    }
    return leadIns;
}

} // namespace

// Hand-off thread.
void iTunesHandOff::convertAndTag(const HandOffBatch& batch) {
    QList<QUrl> urls;
    urls.reserve(batch.size());
    QStringList digests;
    digests.reserve(batch.size());
    QStringList checks;
    checks.reserve(batch.size());
    QHash<QString, QueueEntryPointer> byHash;
    byHash.reserve(batch.size());
    for (const auto& [file, entry] : batch) {
        byHash.insert(entry->pathHash(), entry);
        urls.append(file);
        digests.append(entry->audioDigest());
        checks.append(entry->sampleCheck());
    }

    const QList<iTunesTrackPointer> tracks =
        iTunes_ ? iTunes_->convertProven(urls, digests, leadInsOf(batch), checks)
                : QList<iTunesTrackPointer>();
    QList<iTunesTrackPointer> tagged;
    QList<QueueEntryPointer> entries;
    for (const auto& track : tracks) {
        const QueueEntryPointer entry = track ? byHash.value(track->name()) : nullptr;
        if (!entry) {
            continue;
        }
        // As a music application names a file without a title.
        if (!applyCommentsToTrack(entry->comments(), *track)) {
            QString name = QFileInfo(QFile::decodeName(entry->path())).completeBaseName();
            if (const auto& cut = entry->track()) {
                name += QStringLiteral(" #%1").arg(cut->number);
            }
            track->setValueForKey(name, QStringLiteral("name"));
        }
        // Read now, one track at a time: a queue's pictures never sit in
        // memory together. One byte more than the library takes lets it say
        // why it skips a larger image.
        if (const QByteArray cover = readCoverArt(entry->path(), iTunesTrack::largestArtwork + 1);
            !cover.isEmpty()) {
            track->setArtworkData(cover);
        }
        entry->setVerification(track->valueForKey(QStringLiteral("verification")).toString());
        tagged.append(track);
        entries.append(entry);
    }
    // The library writes files a little after their tags are set: asked to
    // write them now, it says whose did not reach the disk. Those entries
    // stay Encoding with its reason, and the next Start finishes them.
    const QStringList reasons =
        iTunes_ && !tagged.isEmpty() ? iTunes_->writeTracksNow(tagged) : QStringList();
    for (qsizetype index = 0; index < entries.size(); ++index) {
        if (const QString reason = reasons.value(index); !reason.isEmpty()) {
            entries[index]->setFailureReason(reason);
            continue;
        }
        QFile::remove(entries[index]->decodedPath());
        entries[index]->setStatus(QueueEntryStatusDone);
    }
    explainFilesNotTaken(batch);
}

void iTunesHandOff::explainFilesNotTaken(const HandOffBatch& handedOver) const {
    for (const auto& [file, entry] : handedOver) {
        // Taken but not written is explained already.
        if (entry->status() != QueueEntryStatusEncoding || !entry->failureReason().isEmpty()) {
            continue;
        }
        const QString reason = iTunes_ ? iTunes_->failureReasonForFile(file) : QString();
        entry->setFailureReason(
            reason.isEmpty() ? QCoreApplication::translate("decant::iTunesHandOff",
                                                           "the library did not take the file")
                             : reason);
    }
}

} // namespace decant
