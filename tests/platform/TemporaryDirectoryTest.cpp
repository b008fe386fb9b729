#include "platform/TemporaryDirectory.h"

#include "platform/RunFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace decant {
namespace {

mode_t modeOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.toUtf8().constData(), &info), 0);
    return info.st_mode & 07777;
}

class TemporaryDirectoryTest : public testing::Test {
protected:
    QString ownName() const { return parent.path() + QStringLiteral("/decant-%1").arg(getuid()); }

    static bool isRealFolder(const QString& path) {
        struct stat info {};
        return lstat(path.toUtf8().constData(), &info) == 0 && S_ISDIR(info.st_mode);
    }

    // A private folder that is not the planted one.
    void expectFreshPrivateFolder(const QString& chosen) const {
        EXPECT_NE(chosen, ownName());
        EXPECT_TRUE(chosen.startsWith(ownName() + u'-')) << chosen.toStdString();
        EXPECT_TRUE(isRealFolder(chosen));
        EXPECT_EQ(modeOf(chosen), 0700u);
    }

    QTemporaryDir parent;
};

TEST_F(TemporaryDirectoryTest, createsAPrivateFolderNamedAfterTheUser) {
    const QString chosen = privateTemporaryDirectoryIn(parent.path());
    EXPECT_EQ(chosen, ownName());
    EXPECT_TRUE(isRealFolder(chosen));
    EXPECT_EQ(modeOf(chosen), 0700u);
    EXPECT_EQ(privateTemporaryDirectoryIn(parent.path()), chosen);
}

TEST_F(TemporaryDirectoryTest, createsItPrivateWhateverTheUmask) {
    const mode_t previous = umask(0);
    const QString chosen = privateTemporaryDirectoryIn(parent.path());
    umask(previous);
    EXPECT_EQ(modeOf(chosen), 0700u);
}

TEST_F(TemporaryDirectoryTest, neverUsesAPlantedLink) {
    QTemporaryDir victim;
    ASSERT_TRUE(QFile::link(victim.path(), ownName()));
    expectFreshPrivateFolder(privateTemporaryDirectoryIn(parent.path()));
    EXPECT_TRUE(QDir(victim.path()).isEmpty());
}

TEST_F(TemporaryDirectoryTest, neverUsesAFolderOthersCanEnter) {
    ASSERT_EQ(mkdir(ownName().toUtf8().constData(), 0755), 0);
    ASSERT_EQ(chmod(ownName().toUtf8().constData(), 0755), 0);
    expectFreshPrivateFolder(privateTemporaryDirectoryIn(parent.path()));
}

TEST_F(TemporaryDirectoryTest, neverUsesAFolderOfAnotherUser) {
    if (getuid() != 0) {
        GTEST_SKIP() << "handing a folder to another user needs root";
    }
    ASSERT_EQ(mkdir(ownName().toUtf8().constData(), 0700), 0);
    ASSERT_EQ(chown(ownName().toUtf8().constData(), 65534, 65534), 0);
    expectFreshPrivateFolder(privateTemporaryDirectoryIn(parent.path()));
}

TEST_F(TemporaryDirectoryTest, neverUsesAFileInItsPlace) {
    QFile planted(ownName());
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    planted.close();
    expectFreshPrivateFolder(privateTemporaryDirectoryIn(parent.path()));
}

TEST_F(TemporaryDirectoryTest, givesAnUnusableFolderWhenNoneCanBeMade) {
    const QString chosen =
        privateTemporaryDirectoryIn(parent.path() + QStringLiteral("/missing/deeper"));
    QFile probe(chosen + QStringLiteral("/probe.wav"));
    EXPECT_FALSE(probe.open(QIODevice::WriteOnly));
}

TEST(TemporaryDirectory, goesBelowTMPDIRElseBelowVarTmp) {
    const QStringList fallbacks{"/var/tmp", "/tmp"};
    EXPECT_EQ(temporaryDirectoryParents(nullptr), fallbacks);
    EXPECT_EQ(temporaryDirectoryParents(""), fallbacks);
    EXPECT_EQ(temporaryDirectoryParents("/scratch/t\xc3\xa9"),
              QStringList{"/scratch/té"} + fallbacks);
    // A name no text holds could not reach the library in a file URL.
    EXPECT_EQ(temporaryDirectoryParents("/scratch/t\xe9"), fallbacks);
}

TEST(TemporaryDirectory, isStableForTheProcessAndBelowTMPDIR) {
    const QString first = temporaryDirectory();
    EXPECT_EQ(temporaryDirectory(), first);
    EXPECT_TRUE(first.startsWith(QDir::tempPath())) << first.toStdString();
    struct stat info {};
    ASSERT_EQ(lstat(first.toUtf8().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
}

class RunFolderTest : public testing::Test {
protected:
    static void writeFile(const QString& path, qsizetype size) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, 'x'));
    }

    QStringList names() const {
        return QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir parent;
};

// Whichever Decant process starts next removes what a crash or a kill left:
// folders no live process holds, and WAV files older versions left loose.
// A live process's folder, its own too, is left alone.
TEST_F(RunFolderTest, aStartRemovesOnlyWhatNoLiveProcessHolds) {
    std::optional<RunFolder> live = RunFolder::createIn(parent.path());
    ASSERT_TRUE(live->isHeld());
    EXPECT_TRUE(QFileInfo(live->path()).fileName().startsWith("run-"));
    EXPECT_EQ(modeOf(live->path()), 0700u);
    writeFile(live->path() + "/a.wav", 300);
    std::optional<RunFolder> killed = RunFolder::createIn(parent.path());
    writeFile(killed->path() + "/b.wav", 1000);
    writeFile(killed->path() + "/c.wav", 20);
    // Its process ended: the kernel let go of the lock, the files stayed.
    killed.reset();
    const QString older = QStringLiteral("0123456789abcdef0123456789abcdef.wav");
    writeFile(parent.filePath(older), 4);
    writeFile(parent.filePath("decant.socket"), 1);

    const FreedSpace freed = removeAbandonedDecodedAudioIn(parent.path());
    EXPECT_EQ(freed.bytes, 1024u);
    EXPECT_EQ(freed.files, 3);
    EXPECT_EQ(names(), (QStringList{"decant.socket", QFileInfo(live->path()).fileName()}));
    EXPECT_TRUE(QFile::exists(live->path() + "/a.wav"));

    // An empty folder goes with its process; one with files waits for the
    // next start.
    const QString emptied = live->path();
    QFile::remove(emptied + "/a.wav");
    live.reset();
    EXPECT_FALSE(QFileInfo::exists(emptied));
}

TEST_F(RunFolderTest, aSourceIsClaimedByOneHolderAtATime) {
    FileLock first = claimSourceIn(parent.path(), "hash");
    ASSERT_TRUE(first.isHeld());
    EXPECT_EQ(claimSourceIn(parent.path(), "hash").outcome(), FileLock::Outcome::Busy);
    EXPECT_TRUE(claimSourceIn(parent.path(), "other").isHeld());

    // A claim nobody holds is cleared at the next start; a held one stays.
    FileLock stale = claimSourceIn(parent.path(), "stale");
    stale.release();
    removeAbandonedDecodedAudioIn(parent.path());
    EXPECT_EQ(QDir(parent.filePath("claims")).entryList(QDir::Files), QStringList{"hash"});

    first.removeAndRelease();
    EXPECT_TRUE(claimSourceIn(parent.path(), "hash").isHeld());
}

} // namespace
} // namespace decant
