#include "platform/TemporaryDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace decant {
namespace {

class TemporaryDirectoryTest : public testing::Test {
protected:
    QString ownName() const { return parent.path() + QStringLiteral("/decant-%1").arg(getuid()); }

    static mode_t modeOf(const QString& path) {
        struct stat info {};
        EXPECT_EQ(lstat(path.toUtf8().constData(), &info), 0);
        return info.st_mode & 07777;
    }

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

} // namespace
} // namespace decant
