#include "queue/QueueEntry.h"

#include "platform/TemporaryDirectory.h"
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

QString MD5(const QString& text) {
    // QString holds no terminating NUL, so the bytes are exactly the text's;
    // an embedded NUL ends the text, as it would for a C string.
    QByteArray bytes = text.toUtf8();
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
        bytes.truncate(nul);
    }
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

std::shared_ptr<QueueEntry> QueueEntry::entryWithPath(const QString& path) {
    return std::make_shared<QueueEntry>(path);
}

QueueEntry::QueueEntry(const QString& path) {
    setPath(path);
}

QString QueueEntry::path() const {
    std::lock_guard lock(pathLock_);
    return path_;
}

QString QueueEntry::fileName() const {
    return path().section(u'/', -1);
}

void QueueEntry::setPath(const QString& path) {
    // Held throughout, so a reader of `path` never sees a path whose hash,
    // WAV path and comments are not derived yet.
    std::lock_guard lock(pathLock_);
    path_ = path;
    pathHash_.store(MD5(path_));
    decodedPath_.store(temporaryDirectory() + u'/' + pathHash_.load() + QStringLiteral(".wav"));
    comments_.store(commentsForFLACFile(path_));
}

} // namespace decant
