#include "library/files/CopyFileContents.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace decant::library {
namespace {

bool copyBytes(int from, int to) {
    for (;;) {
        const ssize_t copied = copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        if (copied == 0) {
            return true;
        }
        if (copied < 0) {
            break;
        }
    }
    if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) {
        return false;
    }
    // Nothing copied yet: copy_file_range fails at once where unsupported.
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got <= 0) {
            return got == 0;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t written = write(to, buffer + done, std::size_t(got - done));
            if (written < 0) {
                return false;
            }
            done += written;
        }
    }
}

} // namespace

bool copyFileContents(const QString& from, const QString& to) {
    const int source = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return false;
    }
    const int target = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    struct stat status {};
    bool copied = target >= 0 && fstat(source, &status) == 0 && copyBytes(source, target) &&
                  fchmod(target, status.st_mode & 07777) == 0;
    const int error = errno;
    if (target >= 0) {
        copied = close(target) == 0 && copied;
    }
    close(source);
    errno = copied ? 0 : error;
    return copied;
}

} // namespace decant::library
