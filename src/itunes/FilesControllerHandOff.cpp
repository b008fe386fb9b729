#include "queue/FilesController.h"

#include <QFile>
#include <QHash>

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

} // namespace

void FilesController::applyCommentsToTrack(const CommentsDictionary& comments,
                                           iTunesTrack& track) const {
    if (!commentMap_) {
        return;
    }
    for (auto field = comments.cbegin(); field != comments.cend(); ++field) {
        const QVariant row = commentMap_->value(field.key());
        const QVariant property = row.toMap().value(QStringLiteral("key"));
        // Rows that are not dictionaries or name no property are not usable;
        // a null value (a JSON null from the store) has nothing to send.
        if (row.typeId() != QMetaType::QVariantMap || property.typeId() != QMetaType::QString ||
            field.value().isNull()) {
            continue;
        }
        track.setValueForKey(typedValue(field.value(), row.toMap().value(QStringLiteral("type"))),
                             property.toString());
    }
}

// Hand-off thread.
void FilesController::encodeAll() {
    const QList<QueueEntryPointer> entries = files();
    QList<QUrl> urls;
    urls.reserve(entries.size());
    QHash<QString, QueueEntryPointer> byHash;
    byHash.reserve(entries.size());
    for (const auto& entry : entries) {
        // One step, so two hand-offs can never both take an entry.
        if (entry->exchangeStatus(QueueEntryStatusDecoded, QueueEntryStatusEncoding)) {
            byHash.insert(entry->pathHash(), entry);
            urls.append(QUrl::fromLocalFile(entry->decodedPath()));
        }
    }
    post([this] { reloadTable(); });

    const QList<iTunesTrackPointer> tracks =
        iTunes_ ? iTunes_->convert(urls) : QList<iTunesTrackPointer>();
    for (const auto& track : tracks) {
        const QueueEntryPointer entry = track ? byHash.value(track->name()) : nullptr;
        if (!entry) {
            continue;
        }
        applyCommentsToTrack(entry->comments(), *track);
        QFile::remove(entry->decodedPath());
        entry->setStatus(QueueEntryStatusDone);
    }
    post([this] { reloadTable(); });
}

} // namespace decant
