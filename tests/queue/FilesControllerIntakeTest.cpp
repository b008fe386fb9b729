#include "FakeTableView.h"
#include "FlacFixture.h"
#include "queue/DirectoryWalk.h"
#include "queue/FilesController.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace decant {
namespace {

class FilesControllerIntakeTest : public testing::Test {
protected:
    // Intake needs no library: these queues are never started.
    FilesControllerIntakeTest()
        : controller(nullptr) {
        controller.setTableView(table);
    }

    // Writes a small FLAC file (or any file) below the scratch folder.
    QString make(const QString& relativePath) {
        const QString path = root.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).path());
        test::FlacFixture tiny;
        tiny.samples = 16;
        EXPECT_TRUE(test::writeFlacFixture(path, tiny));
        return path;
    }

    QStringList queuedPaths() const {
        QStringList paths;
        for (const auto& entry : controller.files()) {
            paths.append(QString::fromUtf8(entry->path()));
        }
        return paths;
    }

    QTemporaryDir root;
    std::shared_ptr<test::FakeTableView> table = std::make_shared<test::FakeTableView>();
    FilesController controller;
};

TEST_F(FilesControllerIntakeTest, queuesFilesByTheirFLACExtensionInAnyCase) {
    const QStringList paths{make("Song.FLAC"), make("song.flac.txt"), make("song"),
                            make("other.flac"), make("flac")};
    for (const QString& path : paths) {
        controller.addFile(path.toUtf8());
    }
    EXPECT_EQ(queuedPaths(), (QStringList{paths[0], paths[3]}));
    EXPECT_EQ(table->fullReloads, 0);
}

TEST_F(FilesControllerIntakeTest, refusesAPathThatIsAlreadyQueued) {
    const QString path = make("a.flac");
    controller.addFiles({path, path});
    controller.addFile(path.toUtf8());
    EXPECT_EQ(queuedPaths(), QStringList{path});
}

TEST_F(FilesControllerIntakeTest, walksAFolderDepthFirstInNaturalOrder) {
    const QString album = root.filePath("Album");
    const QStringList expected{make("Album/1 - One.flac"),    make("Album/2 - Two.flac"),
                               make("Album/10 - Ten.flac"),   make("Album/b.Flac"),
                               make("Album/CD 2/1 - A.flac"), make("Album/CD 10/1 - B.flac"),
                               make("Album/Z/deep/er/x.flac")};
    make("Album/.hidden.flac");
    make("Album/.covers/front.flac");
    make("Album/notes.txt");

    controller.addDirectory(album.toUtf8());
    EXPECT_EQ(queuedPaths(), expected);
}

TEST_F(FilesControllerIntakeTest, takesLinksAsItemsWithoutFollowingThem) {
    const QString outside = make("Elsewhere/far.flac");
    const QString album = root.filePath("Album");
    QDir().mkpath(album);
    ASSERT_TRUE(QFile::link(root.filePath("Elsewhere"), album + "/linked folder.flac.d"));
    ASSERT_TRUE(QFile::link(outside, album + "/linked.flac"));

    controller.addDirectory(album.toUtf8());
    // The link to a file is an item with a FLAC name; the link to a folder is
    // an item without one, and the folder behind it is not walked.
    EXPECT_EQ(queuedPaths(), QStringList{album + "/linked.flac"});
}

TEST_F(FilesControllerIntakeTest, reportsEveryPathItPassesOver) {
    const QString album = root.filePath("Album");
    make("Album/good.flac");
    make("Album/notes.txt"); // not looked for: passed over without a word
    ASSERT_EQ(mkfifo((album + "/pipe.flac").toUtf8().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(root.filePath("gone"), album + "/broken.flac"));
    const QString cover = make("cover.jpg");

    controller.addFiles({root.filePath("missing.flac"), album, cover});
    EXPECT_EQ(queuedPaths(), QStringList{album + "/good.flac"});
    QStringList reported;
    for (const SkippedPath& skipped : controller.skippedPaths()) {
        reported.append(QString::fromUtf8(skipped.path) + ": " + skipped.reason);
    }
    EXPECT_EQ(reported, (QStringList{root.filePath("missing.flac") + ": no such file or folder",
                                     album + "/broken.flac: link leads nowhere (No such file or "
                                             "directory)",
                                     album + "/pipe.flac: not a regular file",
                                     cover + ": not named as a FLAC file"}));
}

TEST_F(FilesControllerIntakeTest, queuesAMixedListInOrderAndReloadsOnce) {
    const QString single = make("single.flac");
    const QString first = make("Folder/01.flac");
    const QString second = make("Folder/02.flac");

    controller.addFiles({root.filePath("missing.flac"), root.filePath("Folder"), single});
    EXPECT_EQ(queuedPaths(), (QStringList{first, second, single}));
    EXPECT_EQ(table->fullReloads, 1);

    controller.addFiles(QStringList());
    EXPECT_EQ(queuedPaths().size(), 3);
    EXPECT_EQ(table->fullReloads, 2);
}

TEST_F(FilesControllerIntakeTest, queuesAFileThatOnlyLooksLikeFLAC) {
    QFile text(root.filePath("fake.flac"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("hello");
    text.close();
    controller.addFiles({text.fileName()});
    ASSERT_EQ(controller.files().size(), 1);
    EXPECT_TRUE(controller.files().front()->comments().isEmpty());
}

TEST(NaturalOrder, comparesDigitRunsAsNumbersAndIgnoresCase) {
    EXPECT_TRUE(isNaturallyBefore("2 - b.flac", "10 - a.flac"));
    EXPECT_TRUE(isNaturallyBefore("track9", "track10"));
    EXPECT_TRUE(isNaturallyBefore("apple", "Banana"));
    EXPECT_TRUE(isNaturallyBefore("a", "b"));
    EXPECT_FALSE(isNaturallyBefore("b", "a"));
    // Names the collator finds equal still get one order.
    EXPECT_NE(isNaturallyBefore("A.flac", "a.flac"), isNaturallyBefore("a.flac", "A.flac"));
}

} // namespace
} // namespace decant
