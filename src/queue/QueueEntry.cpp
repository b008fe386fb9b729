#include "queue/QueueEntry.h"

#include "platform/TemporaryDirectory.h"
#include "queue/FLACMetadata.h"
#include "queue/FilePath.h"
#include "queue/VorbisComments.h"

#include <QCryptographicHash>

namespace decant {

QString displayTextForStatus(int32_t status) {
    switch (status) {
    case QueueEntryStatusWaiting:
        return QStringLiteral("Waiting");
    case QueueEntryStatusDecoding:
        return QStringLiteral("Decoding");
    case QueueEntryStatusDecoded:
        return QStringLiteral("Decoded");
    case QueueEntryStatusFailed:
        return QStringLiteral("Failed");
    case QueueEntryStatusEncoding:
        return QStringLiteral("Encoding");
    case QueueEntryStatusDone:
        return QStringLiteral("Done");
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

QString QueueEntry::fileName() const {
    return displayFileName(path());
}

void QueueEntry::setPath(const QByteArray& path) {
    // Held throughout, so a reader of `path` never sees a path whose hash,
    // WAV path and comments are not derived yet.
    std::lock_guard lock(pathLock_);
    path_ = path;
    pathHash_.store(MD5(path_));
    decodedPath_.store(temporaryDirectory() + u'/' + pathHash_.load() + QStringLiteral(".wav"));
    const FLACMetadata metadata = readFLACMetadata(path_);
    expectedDecodedSize_.store(decant::expectedDecodedSize(metadata));
    comments_.store(commentsFromEntries(metadata.commentEntries.value_or(QStringList())));
}

} // namespace decant
