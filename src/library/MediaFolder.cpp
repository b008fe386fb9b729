#include "library/MediaFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace decant::library {
namespace {

// Leaves room for " 99999.extension" within the usual 255-byte name limit.
constexpr qsizetype longestStemBytes = 200;
constexpr int mostCopies = 100000;
const auto pendingPrefix = QStringLiteral(".importing-");

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Renames without ever replacing `to`: EEXIST when it is taken.
bool renameWithoutReplacing(const QByteArray& from, const QByteArray& to) {
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without RENAME_NOREPLACE: a hard link fails just as
    // atomically when the name is taken.
    if (link(from.constData(), to.constData()) != 0) {
        return false;
    }
    unlink(from.constData());
    return true;
}

} // namespace

PendingFile::PendingFile(QString path)
    : path_(std::move(path)) {}

PendingFile::~PendingFile() {
    if (!released_) {
        QFile::remove(path_);
    }
}

bool PendingFile::sync() const {
    const int descriptor = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = fsync(descriptor) == 0;
    close(descriptor);
    return synced;
}

MediaFolder::MediaFolder(QString path)
    : path_(std::move(path)) {}

std::unique_ptr<PendingFile> MediaFolder::createPendingFile(QString* error) const {
    // Not mkstemp: its files are private to the user, and media files are
    // for every player on the machine, so the umask decides.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path =
            QStringLiteral("%1/.importing-%2")
                .arg(path_)
                .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
        const int descriptor = ::open(QFile::encodeName(path).constData(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            close(descriptor);
            return std::make_unique<PendingFile>(path);
        }
        if (errno != EEXIST) {
            break;
        }
    }
    *error = QStringLiteral("cannot create a file in %1: %2").arg(path_, errnoText());
    return nullptr;
}

std::optional<QString> MediaFolder::claimFreeName(PendingFile& file, const QString& stem,
                                                  const QString& extension, QString* error) const {
    const QByteArray from = QFile::encodeName(file.path());
    for (int copy = 1; copy <= mostCopies; ++copy) {
        const QString name =
            (copy == 1 ? stem : QStringLiteral("%1 %2").arg(stem).arg(copy)) + u'.' + extension;
        if (renameWithoutReplacing(from, QFile::encodeName(path_ + u'/' + name))) {
            file.release();
            return name;
        }
        if (errno != EEXIST) {
            *error = QStringLiteral("cannot name %1: %2").arg(name, errnoText());
            return std::nullopt;
        }
    }
    *error = QStringLiteral("every name for %1 is taken").arg(stem);
    return std::nullopt;
}

void MediaFolder::removeAbandonedFiles(std::chrono::seconds age) const {
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-age.count());
    const QDir folder(path_);
    for (const QFileInfo& file :
         folder.entryInfoList({pendingPrefix + u'*'}, QDir::Files | QDir::Hidden)) {
        if (file.lastModified() < before) {
            QFile::remove(file.absoluteFilePath());
        }
    }
}

QString usableStem(const QString& name) {
    QString stem = name;
    while (stem.toUtf8().size() > longestStemBytes) {
        stem.chop(stem.size() > 1 && stem.back().isLowSurrogate() ? 2 : 1);
    }
    return stem.isEmpty() ? QStringLiteral("Untitled") : stem;
}

} // namespace decant::library
