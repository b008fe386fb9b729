#include "queue/DirectoryWalk.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace decant {
namespace {

bool isDigit(QChar character) {
    return character >= u'0' && character <= u'9';
}

// The run of characters from `start` that are all digits or all not digits.
QStringView runAt(QStringView text, qsizetype start) {
    const bool digits = isDigit(text[start]);
    qsizetype end = start;
    while (end < text.size() && isDigit(text[end]) == digits) {
        ++end;
    }
    return text.sliced(start, end - start);
}

// Digit runs compare by value: "2" < "10", and "02" == "2".
int compareNumbers(QStringView left, QStringView right) {
    while (left.size() > 1 && left.front() == u'0') {
        left = left.sliced(1);
    }
    while (right.size() > 1 && right.front() == u'0') {
        right = right.sliced(1);
    }
    if (left.size() != right.size()) {
        return left.size() < right.size() ? -1 : 1;
    }
    return left.compare(right);
}

int compareWords(QStringView left, QStringView right) {
    return QString::localeAwareCompare(left.toString().toCaseFolded(),
                                       right.toString().toCaseFolded());
}

int compareNaturally(QStringView left, QStringView right) {
    qsizetype leftIndex = 0;
    qsizetype rightIndex = 0;
    while (leftIndex < left.size() && rightIndex < right.size()) {
        const QStringView leftRun = runAt(left, leftIndex);
        const QStringView rightRun = runAt(right, rightIndex);
        const bool numbers = isDigit(leftRun.front()) && isDigit(rightRun.front());
        const int order =
            numbers ? compareNumbers(leftRun, rightRun) : compareWords(leftRun, rightRun);
        if (order != 0) {
            return order;
        }
        leftIndex += leftRun.size();
        rightIndex += rightRun.size();
    }
    return (left.size() - leftIndex > 0) - (right.size() - rightIndex > 0);
}

} // namespace

bool isNaturallyBefore(const QString& left, const QString& right) {
    const int order = compareNaturally(left, right);
    // Names equal in natural order ("a.flac", "A.flac") still need one order.
    return order != 0 ? order < 0 : left < right;
}

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

QString reasonWithError(const char* what, int error) {
    return QStringLiteral("%1 (%2)").arg(
        QCoreApplication::translate("decant::DirectoryWalk", what),
        QString::fromStdString(std::generic_category().message(error)));
}

QByteArray joined(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

struct Item {
    QByteArray name;
    QString shownName;
    mode_t type = 0; // S_IFDIR, S_IFREG, ...
};

// Directory order on Linux file systems is hash order, which would scramble
// an album; sort as a file manager shows the names. Names that show alike
// (two different undecodable bytes) still need one order.
bool comesBefore(const Item& left, const Item& right) {
    if (isNaturallyBefore(left.shownName, right.shownName)) {
        return true;
    }
    if (isNaturallyBefore(right.shownName, left.shownName)) {
        return false;
    }
    return left.name < right.name;
}

class Walker {
public:
    explicit Walker(const FolderWalk& walk)
        : walk_(walk) {}

    // `descriptor` is an open folder, owned from here on.
    void walk(int descriptor, const QByteArray& path) {
        Directory directory(descriptor >= 0 ? fdopendir(descriptor) : nullptr);
        if (!directory) {
            const int error = errno;
            if (descriptor >= 0) {
                ::close(descriptor);
            }
            walk_.skip(path, reasonWithError(QT_TRANSLATE_NOOP("decant::DirectoryWalk",
                                                               "folder cannot be read"),
                                             error));
            return;
        }
        std::vector<Item> items = readItems(directory.get(), path);
        std::sort(items.begin(), items.end(), comesBefore);
        for (const Item& item : items) {
            if (walk_.cancelled && walk_.cancelled()) {
                return;
            }
            take(dirfd(directory.get()), path, item);
        }
    }

private:
    std::vector<Item> readItems(DIR* directory, const QByteArray& path) {
        std::vector<Item> items;
        for (;;) {
            errno = 0;
            const dirent* entry = readdir(directory);
            if (entry == nullptr) {
                if (const int error = errno; error != 0) {
                    walk_.skip(
                        path, reasonWithError(QT_TRANSLATE_NOOP("decant::DirectoryWalk",
                                                                "folder cannot be read to its end"),
                                              error));
                }
                return items;
            }
            const QByteArray name(entry->d_name);
            if (name.startsWith('.')) {
                continue;
            }
            const mode_t type = typeOf(directory, *entry);
            if (type == 0) {
                const int error = errno;
                walk_.skip(
                    joined(path, name),
                    reasonWithError(
                        QT_TRANSLATE_NOOP("decant::DirectoryWalk", "cannot be examined"), error));
            } else if (S_ISDIR(type) || walk_.wanted(name)) {
                items.push_back({name, QString::fromUtf8(name), type});
            }
        }
    }

    // The item's file type (S_IFDIR, S_IFREG...), a link itself and not what
    // it leads to; 0, with errno set, when it cannot be told. Most file
    // systems give the type with the name, which spares a stat per file.
    static mode_t typeOf(DIR* directory, const dirent& entry) {
        switch (entry.d_type) {
        case DT_DIR:
            return S_IFDIR;
        case DT_REG:
            return S_IFREG;
        case DT_LNK:
            return S_IFLNK;
        case DT_FIFO:
            return S_IFIFO;
        case DT_SOCK:
            return S_IFSOCK;
        case DT_CHR:
            return S_IFCHR;
        case DT_BLK:
            return S_IFBLK;
        default:
            break;
        }
        struct stat info {};
        if (fstatat(dirfd(directory), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            return 0;
        }
        return info.st_mode & S_IFMT;
    }

    void take(int folder, const QByteArray& path, const Item& item) {
        const QByteArray itemPath = joined(path, item.name);
        if (S_ISDIR(item.type)) {
            walk(openat(folder, item.name.constData(),
                        O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC),
                 itemPath);
        } else if (S_ISREG(item.type)) {
            walk_.visitFile(itemPath);
        } else if (S_ISLNK(item.type)) {
            takeLink(folder, itemPath, item);
        } else {
            walk_.skip(itemPath,
                       QCoreApplication::translate("decant::DirectoryWalk", "not a regular file"));
        }
    }

    // A link is an item of its own: what it points to is looked at only to
    // tell a broken link or a FIFO from a file, never walked.
    void takeLink(int folder, const QByteArray& path, const Item& item) {
        struct stat target {};
        if (fstatat(folder, item.name.constData(), &target, 0) != 0) {
            const int error = errno;
            walk_.skip(
                path, reasonWithError(
                          QT_TRANSLATE_NOOP("decant::DirectoryWalk", "link leads nowhere"), error));
        } else if (S_ISREG(target.st_mode) || S_ISDIR(target.st_mode)) {
            walk_.visitFile(path);
        } else {
            walk_.skip(path,
                       QCoreApplication::translate("decant::DirectoryWalk", "not a regular file"));
        }
    }

    const FolderWalk& walk_;
};

} // namespace

void walkFolder(const QByteArray& folder, const FolderWalk& walk) {
    Walker(walk).walk(open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), folder);
}

} // namespace decant
