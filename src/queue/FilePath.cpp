#include "queue/FilePath.h"

#include <cerrno>
#include <unistd.h>

namespace decant {
namespace {

QByteArray currentFolder() {
    QByteArray folder(4096, Qt::Uninitialized);
    while (getcwd(folder.data(), size_t(folder.size())) == nullptr) {
        if (errno != ERANGE) {
            return QByteArrayLiteral(".");
        }
        folder.resize(folder.size() * 2);
    }
    folder.truncate(qsizetype(qstrlen(folder.constData())));
    return folder;
}

} // namespace

QString displayPath(const QByteArray& path) {
    return QString::fromUtf8(path);
}

QString displayFileName(const QByteArray& path) {
    return QString::fromUtf8(path.mid(path.lastIndexOf('/') + 1));
}

QByteArray pathFromText(const QString& path) {
    // The encoding Qt itself gives file names on Linux.
    return path.toUtf8();
}

QByteArray absolutePath(const QByteArray& path) {
    if (path.startsWith('/')) {
        return path;
    }
    QByteArray folder = currentFolder();
    if (!folder.endsWith('/')) {
        folder += '/';
    }
    return folder + path;
}

std::optional<QByteArray> pathOfFileURL(const QUrl& url) {
    // QUrl::toLocalFile would read the decoded bytes as UTF-8. A file URL
    // from this machine has no host, or "localhost".
    if (!url.isLocalFile() || !(url.host().isEmpty() || url.host() == QLatin1String("localhost"))) {
        return std::nullopt;
    }
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
}

} // namespace decant
