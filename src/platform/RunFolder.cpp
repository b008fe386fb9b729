#include "platform/RunFolder.h"

#include "platform/TemporaryDirectory.h"

#include <QByteArray>

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace decant {
namespace {

// Nothing can be created below /dev/null: writes there fail with ENOTDIR.
const char* const unusableFolder = "/dev/null/decant-run";
const char* const runPrefix = "run-";
const char* const claimsFolder = "/claims";
// mkdtemp's names are unique; a clean-up that takes a fresh folder before
// its maker has locked it is rare, and a few tries are plenty.
constexpr int attempts = 8;

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

// Calls `visit` with each name in the folder `descriptor` is open on (a
// copy of it is read, so the caller's stays usable), "." and ".." left out.
void forEachName(int descriptor, const std::function<void(const char*)>& visit) {
    const int copy = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        return;
    }
    const Directory directory(fdopendir(copy));
    if (!directory) {
        ::close(copy);
        return;
    }
    while (const dirent* entry = readdir(directory.get())) {
        const QByteArrayView name(entry->d_name);
        if (name != "." && name != "..") {
            visit(entry->d_name);
        }
    }
}

// Removes the regular file `name` in the folder, counting it.
void removeFile(int folder, const char* name, FreedSpace& freed) {
    struct stat info {};
    if (fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
        unlinkat(folder, name, 0) == 0) {
        freed.bytes += uint64_t(info.st_size);
        ++freed.files;
    }
}

void removeRunFolderIfAbandoned(const QByteArray& path, FreedSpace& freed) {
    FileLock lock = FileLock::tryLock(path, FileLock::Kind::Folder);
    if (!lock.isHeld()) {
        return;
    }
    // Held from here until the folder is gone: its name cannot be taken
    // for a live process's folder meanwhile.
    forEachName(lock.descriptor(),
                [&](const char* name) { removeFile(lock.descriptor(), name, freed); });
    ::rmdir(path.constData());
}

// What versions before run folders left: "<32 hexadecimal digits>.wav".
bool isOlderDecodedFileName(QByteArrayView name) {
    if (name.size() != 36 || !name.endsWith(".wav")) {
        return false;
    }
    for (const char character : name.first(32)) {
        if (!((character >= '0' && character <= '9') || (character >= 'a' && character <= 'f'))) {
            return false;
        }
    }
    return true;
}

void removeUnheldClaims(const QByteArray& folder) {
    const QByteArray claims = folder + claimsFolder;
    const int descriptor = ::open(claims.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    forEachName(descriptor, [&](const char* name) {
        FileLock claim = FileLock::tryLock(claims + '/' + name, FileLock::Kind::File);
        claim.removeAndRelease();
    });
    ::close(descriptor);
}

} // namespace

RunFolder RunFolder::createIn(const QString& parent) {
    RunFolder folder;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        QByteArray pattern = parent.toUtf8() + '/' + runPrefix + "XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            break;
        }
        folder.lock_ = FileLock::tryLock(pattern, FileLock::Kind::Folder);
        if (folder.lock_.isHeld()) {
            folder.path_ = QString::fromUtf8(pattern);
            return folder;
        }
        // A clean-up of another process took it before we could: it goes.
        ::rmdir(pattern.constData());
    }
    folder.path_ = QString::fromLatin1(unusableFolder);
    return folder;
}

RunFolder::~RunFolder() {
    if (lock_.isHeld()) {
        // Fails, as it should, while anything is left in it.
        ::rmdir(path_.toUtf8().constData());
    }
}

QString runDirectory() {
    static const RunFolder folder = RunFolder::createIn(temporaryDirectory());
    return folder.path();
}

FreedSpace removeAbandonedDecodedAudioIn(const QString& folder) {
    FreedSpace freed;
    const QByteArray path = folder.toUtf8();
    const int descriptor = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return freed;
    }
    forEachName(descriptor, [&](const char* name) {
        const QByteArrayView view(name);
        if (view.startsWith(runPrefix)) {
            removeRunFolderIfAbandoned(path + '/' + name, freed);
        } else if (isOlderDecodedFileName(view)) {
            removeFile(descriptor, name, freed);
        }
    });
    ::close(descriptor);
    removeUnheldClaims(path);
    return freed;
}

FreedSpace removeAbandonedDecodedAudio() {
    return removeAbandonedDecodedAudioIn(temporaryDirectory());
}

FileLock claimSourceIn(const QString& folder, const QString& name) {
    const QByteArray claims = folder.toUtf8() + claimsFolder;
    // Already there is the usual case; anything else shows in the lock.
    ::mkdir(claims.constData(), 0700);
    return FileLock::tryLock(claims + '/' + name.toUtf8(), FileLock::Kind::File);
}

FileLock claimSource(const QString& name) {
    return claimSourceIn(temporaryDirectory(), name);
}

} // namespace decant
