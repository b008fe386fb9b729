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

QString QueueEntry::fileName() const {
    return displayFileName(path());
}

void QueueEntry::setPath(const QByteArray& path) {
    // Held throughout, so a reader of `path` never sees a path whose hash,
    // WAV path and comments are not derived yet.
    std::lock_guard lock(pathLock_);
    path_ = path;
    pathHash_.store(MD5(path_));
    // Whatever folder it is in, the file's base name stays the hash: the
    // library names the track after it, and the hand-off matches by that.
    decodedPath_.store(runDirectory() + u'/' + pathHash_.load() + QStringLiteral(".wav"));
    const FLACMetadata metadata = readFLACMetadata(path_);
    expectedDecodedSize_.store(decant::expectedDecodedSize(metadata));
    comments_.store(commentsFromEntries(metadata.commentEntries.value_or(QStringList())));
    notes_.store(metadata.notes);
    audioDigest_.store({});
}

} // namespace decant
