#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace decant::test {

// A file system of its own, a tmpfs of a few megabytes, for a test to fill:
// mounted in a user and mount namespace of a helper process (unshare),
// which needs no privileges where the kernel lets users make namespaces, and
// reached through that process's /proc/<pid>/root. Gone with the object.
class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // The disk's root as this process reaches it; empty when no namespace
    // could be made (the reason is in whyNot).
    QString path() const { return path_; }
    QString whyNot() const { return whyNot_; }

    // Takes every free byte with a file of its own; frees them again.
    bool fill() const;
    void free() const;

private:
    QTemporaryDir mountPoint_;
    QProcess holder_;
    QString path_;
    QString whyNot_;
};

} // namespace decant::test
