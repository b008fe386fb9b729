#include "queue/QueueEntry.h"

#include "platform/RunFolder.h"
#include "queue/FLACMetadata.h"
#include "queue/FilePath.h"
#include "queue/VorbisComments.h"

#include <QCoreApplication>
#include <QCryptographicHash>

namespace decant {

QString displayTextForStatus(int32_t status) {
    switch (status) {
    case QueueEntryStatusWaiting:
        return QCoreApplication::translate("decant::QueueEntry", "Waiting");
    case QueueEntryStatusDecoding:
        return QCoreApplication::translate("decant::QueueEntry", "Decoding");
    case QueueEntryStatusDecoded:
        return QCoreApplication::translate("decant::QueueEntry", "Decoded");
    case QueueEntryStatusFailed:
        return QCoreApplication::translate("decant::QueueEntry", "Failed");
    case QueueEntryStatusEncoding:
        return QCoreApplication::translate("decant::QueueEntry", "Encoding");
    case QueueEntryStatusDone:
        return QCoreApplication::translate("decant::QueueEntry", "Done");
    default:
        return {};
    }
}

QString MD5(const QByteArray& bytes) {
    // An embedded NUL ends the bytes, as it would for a C string.
    const QByteArrayView text(bytes.constData(), qstrnlen(bytes.constData(), bytes.size()));
    return QString::fromLatin1(QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex());
}

QString MD5(const QString& text) {
    return MD5(text.toUtf8());
}

std::shared_ptr<QueueEntry> QueueEntry::entryWithPath(const QByteArray& path) {
    return std::make_shared<QueueEntry>(path);
}

QueueEntry::QueueEntry(const QByteArray& path) {
    setPath(path);
}

QByteArray QueueEntry::path() const {
    std::lock_guard lock(pathLock_);
    return path_;
}

std::shared_ptr<QueueEntry> QueueEntry::entryForTrack(const QByteArray& path,
                                                      const FLACMetadata& metadata,
                                                      const QueueEntryTrack& track,
                                                      CommentsDictionary comments) {
    std::shared_ptr<QueueEntry> entry(new QueueEntry());
    entry->track_ = track;
    entry->path_ = path;
    entry->derivePaths(entry->queueKey());
    const uint32_t align = metadata.format ? blockAlign(*metadata.format) : 0;
    entry->expectedDecodedSize_.store(wavFileSize((track.endSample - track.firstSample) * align));
    entry->comments_.store(std::move(comments));
    entry->notes_.store(metadata.notes);
    return entry;
}

std::shared_ptr<QueueEntry> QueueEntry::entryForFile(const QByteArray& path,
                                                     const FLACMetadata& metadata) {
    std::shared_ptr<QueueEntry> entry(new QueueEntry());
    entry->path_ = path;
    entry->derivePaths(path);
    entry->applyMetadata(metadata);
    return entry;
}

void QueueEntry::applyMetadata(const FLACMetadata& metadata) {
    expectedDecodedSize_.store(decant::expectedDecodedSize(metadata));
    comments_.store(commentsFromEntries(metadata.commentEntries.value_or(QStringList())));
    notes_.store(metadata.notes);
    audioDigest_.store({});
    sampleCheck_.store({});
}

QString QueueEntry::fileName() const {
    const QString name = displayFileName(path());
    if (!track_) {
        return name;
    }
    const QString numbered = QStringLiteral("%1 #%2").arg(name).arg(track_->number);
    return track_->title.isEmpty() ? numbered
                                   : QStringLiteral("%1 · %2").arg(numbered, track_->title);
}

QByteArray QueueEntry::queueKey() const {
    const QByteArray bytes = path();
    return track_ ? bytes + '#' + QByteArray::number(track_->number) : bytes;
}

void QueueEntry::derivePaths(const QByteArray& hashedBytes) {
    pathHash_.store(MD5(hashedBytes));
    // Whatever folder it is in, the file's base name stays the hash: the
    // library names the track after it, and the hand-off matches by that.
    decodedPath_.store(runDirectory() + u'/' + pathHash_.load() + QStringLiteral(".wav"));
}

void QueueEntry::setPath(const QByteArray& path) {
    // Held throughout, so a reader of `path` never sees a path whose hash,
    // WAV path and comments are not derived yet.
    std::lock_guard lock(pathLock_);
    path_ = path;
    derivePaths(path_);
    applyMetadata(readFLACMetadata(path_));
}

} // namespace decant
