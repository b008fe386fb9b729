#include "FakeTableView.h"
#include "FlacFixture.h"
#include "TestEnvironment.h"
#include "queue/FilesController.h"
#include "queue/TrackNumberText.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

struct TrackNumberCase {
    CommentsDictionary comments;
    QString text;
};

class TrackNumber : public testing::TestWithParam<TrackNumberCase> {};

TEST_P(TrackNumber, showsTheNumberAndTheTotalWhenTheTotalIsNotSmaller) {
    EXPECT_EQ(trackNumberText(GetParam().comments), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, TrackNumber,
    testing::Values(TrackNumberCase{{{"TRACKNUMBER", "3"}, {"TRACKTOTAL", "12"}}, "3 of 12"},
                    TrackNumberCase{{{"TRACKNUMBER", "3"}}, "3"},
                    TrackNumberCase{{{"TRACKNUMBER", "7"}, {"TRACKTOTAL", "7"}}, "7 of 7"},
                    TrackNumberCase{{}, "0 of 0"}, TrackNumberCase{{{"TRACKTOTAL", "5"}}, "0 of 5"},
                    TrackNumberCase{{{"TRACKNUMBER", "03/12"}}, "3"},
                    TrackNumberCase{{{"TRACKNUMBER", "-2"}}, "-2 of 0"},
                    TrackNumberCase{{{"TRACKNUMBER", qint64(4)}, {"TRACKTOTAL", 9.0}}, "4 of 9"}));

class FilesControllerTableTest : public testing::Test {
protected:
    FilesControllerTableTest() { controller.setTableView(table); }

    QString addTagged(const QString& name, const QList<QByteArray>& comments) {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(test::writeFlacFixture(path, test::taggedFixture(comments)));
        controller.addFile(path.toUtf8());
        return path;
    }

    QString cell(const QString& column, int row = 0) const {
        return controller.tableViewObjectValueForTableColumnRow(column, row);
    }

    QTemporaryDir folder;
    std::shared_ptr<test::FakeTableView> table = std::make_shared<test::FakeTableView>();
    FilesController controller{nullptr}; // never started: no library
};

TEST_F(FilesControllerTableTest, showsEachColumnByItsIdentifierAlone) {
    addTagged("01 Song.flac",
              {"TITLE=Song", "ARTIST=Band", "PATH=tagged path", "TRACKNUMBER=1", "TRACKTOTAL=9"});
    EXPECT_EQ(controller.numberOfRowsInTableView(), 1);
    EXPECT_EQ(cell("path"), "01 Song.flac");
    EXPECT_EQ(cell("status"), "Waiting");
    EXPECT_EQ(cell("tracknumber"), "1 of 9");
    EXPECT_EQ(cell("title"), "Song");
    EXPECT_EQ(cell("Title"), "Song");
    // Only the exact identifiers are special: "Path" is the PATH tag.
    EXPECT_EQ(cell("Path"), "tagged path");
    EXPECT_TRUE(cell("album").isEmpty());
    EXPECT_TRUE(cell("title", 1).isEmpty());
    EXPECT_TRUE(cell("title", -1).isEmpty());
}

TEST_F(FilesControllerTableTest, showsStoreNumbersAsDecimalTextAndNullsAsEmpty) {
    addTagged("a.flac", {});
    controller.files().front()->setComments(
        {{"DISCNUMBER", qint64(2)}, {"BPM", 120.5}, {"COMPOSER", QVariant::fromValue(nullptr)}});
    EXPECT_EQ(cell("discnumber"), "2");
    EXPECT_EQ(cell("bpm"), "120.5");
    EXPECT_TRUE(cell("composer").isEmpty());

    controller.files().front()->setStatus(QueueEntryStatus(42));
    EXPECT_TRUE(cell("status").isEmpty());
}

TEST_F(FilesControllerTableTest, retargetsEveryDropToTheEndOfTheList) {
    addTagged("a.flac", {});
    addTagged("b.flac", {});
    const DropTarget target =
        controller.tableViewValidateDropProposedRowProposedDropOperation(0, DropOperation::On);
    EXPECT_EQ(target.row, 2);
    EXPECT_EQ(target.dropOperation, DropOperation::Above);
    EXPECT_EQ(target.dragOperation, DragOperation::Generic);
}

TEST_F(FilesControllerTableTest, acceptsDroppedFilesAndFoldersAtTheEnd) {
    addTagged("first.flac", {});
    QDir(folder.path()).mkdir("Album");
    const QStringList album{folder.filePath("Album/1.flac"), folder.filePath("Album/2.flac")};
    for (const QString& path : album) {
        ASSERT_TRUE(test::writeFlacFixture(path, test::FlacFixture()));
    }
    // A Latin-1 name, as a file manager sends it: percent-encoded bytes.
    const QByteArray latin1 = folder.path().toUtf8() + "/caf\xe9.flac";
    const test::RemovedTree removed(latin1);
    ASSERT_TRUE(test::writeFlacFixture(latin1, test::FlacFixture()));
    const int reloads = table->fullReloads;

    EXPECT_TRUE(controller.tableViewAcceptDropRowDropOperation(
        {QUrl("https://example.com/x.flac"), QUrl::fromLocalFile(folder.filePath("Album")),
         QUrl::fromEncoded("file://" + latin1.toPercentEncoding("/"))},
        0, DropOperation::On));
    // Read in the background, so that the window stays live.
    ASSERT_TRUE(test::processEventsUntil([&] { return !controller.intakeProgress().running; }));
    const auto files = controller.files();
    ASSERT_EQ(files.size(), 4);
    EXPECT_EQ(files[1]->path(), album[0].toUtf8());
    EXPECT_EQ(files[2]->path(), album[1].toUtf8());
    EXPECT_EQ(files[3]->path(), latin1);
    EXPECT_EQ(cell("path", 3), QStringLiteral("caf\uFFFD.flac"));
    EXPECT_EQ(table->fullReloads, reloads + 1);
    ASSERT_EQ(controller.skippedPaths().size(), 1);
    EXPECT_EQ(controller.skippedPaths()[0].path, "https://example.com/x.flac");

    // Nothing usable is still an accepted drop.
    EXPECT_TRUE(controller.tableViewAcceptDropRowDropOperation({QUrl("mailto:a@b.c")}, 0,
                                                               DropOperation::Above));
    ASSERT_TRUE(test::processEventsUntil([&] { return !controller.intakeProgress().running; }));
    EXPECT_EQ(controller.numberOfRowsInTableView(), 4);
}

} // namespace
} // namespace decant
