#include "app/LibraryWindow.h"

#include "TestEnvironment.h"
#include "TestImages.h"
#include "app/LibraryCheckDialog.h"
#include "app/LibraryTableModel.h"
#include "library/Library.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace decant {
namespace {

// Records tracks as if imported, each with a small file of its own; the
// first with the cover given.
void addTracks(const QString& location, const QStringList& names, const QByteArray& cover = {}) {
    auto library = library::Library::open(location);
    ASSERT_TRUE(library) << library.error().message.toStdString();
    for (qsizetype index = 0; index < names.size(); ++index) {
        library::TrackRecord record;
        record.file = QStringLiteral("Media/%1.m4a").arg(index);
        record.kind = QStringLiteral("AAC audio file");
        record.properties = {{"name", names[index]},
                             {"artist", QStringLiteral("Band")},
                             {"album", QStringLiteral("Record")},
                             {"trackNumber", qint64(names.size() - index)}};
        QFile file(QDir(location).filePath(record.file));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("audio");
        std::optional<library::Artwork> artwork;
        if (index == 0 && !cover.isEmpty()) {
            artwork =
                library::Artwork{library::ImageFormat::Png, cover, library::artworkDigest(cover)};
            record.artwork = artwork->digest;
        }
        ASSERT_TRUE((*library)->restoreTrack(record, artwork));
    }
}

QStringList column(const QTableView& table, int column) {
    QStringList texts;
    for (int row = 0; row < table.model()->rowCount(); ++row) {
        texts.append(table.model()->index(row, column).data().toString());
    }
    return texts;
}

TEST(LibraryWindowTest, listsSearchesSortsAndTrashesTheLibrarysTracks) {
    QTemporaryDir folder;
    const QString location = folder.filePath("Decant Library");
    LibraryWindow missing{LibraryCatalogue(location)};
    ASSERT_TRUE(test::processEventsUntil([&] { return !missing.isLoading(); }));
    EXPECT_EQ(missing.statusText(),
              "There is no library yet at " + location + ": the first import makes it.");

    addTracks(location, {"Intro", "Heartbeat", "Outro"}, test::pngImage());
    LibraryWindow window{LibraryCatalogue(location)};
    EXPECT_EQ(window.windowTitle(), "Library");
    ASSERT_TRUE(test::processEventsUntil([&] { return !window.isLoading(); }));
    EXPECT_EQ(window.statusText(), "3 tracks");
    QTableView& table = *window.table();
    table.sortByColumn(LibraryTableModel::Track, Qt::AscendingOrder);
    EXPECT_EQ(column(table, LibraryTableModel::Name), (QStringList{"Outro", "Heartbeat", "Intro"}));
    // Only the first track has a cover; it is read once a row asks for it.
    const auto cover = [&](int row) {
        return table.model()->index(row, LibraryTableModel::Cover).data(Qt::DecorationRole);
    };
    EXPECT_FALSE(cover(2).isValid());
    ASSERT_TRUE(test::processEventsUntil([&] { return cover(2).isValid(); }));
    EXPECT_LE(cover(2).value<QPixmap>().height(), table.verticalHeader()->defaultSectionSize());
    EXPECT_FALSE(cover(0).isValid());
    window.searchField()->setText("BEAT");
    EXPECT_EQ(column(table, LibraryTableModel::Name), QStringList{"Heartbeat"});
    EXPECT_EQ(window.statusText(), "1 of 3 tracks");

    auto* trash = window.findChild<QAction*>("moveToTrashAction");
    EXPECT_FALSE(trash->isEnabled());
    table.selectRow(0);
    ASSERT_TRUE(trash->isEnabled());
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Yes)->click();
    });
    trash->trigger();
    ASSERT_TRUE(test::processEventsUntil([&] { return !window.isLoading(); }));
    EXPECT_EQ(window.statusText(), "0 of 2 tracks");
    EXPECT_FALSE(QFile::exists(QDir(location).filePath("Media/1.m4a")));
    window.searchField()->clear();
    EXPECT_EQ(column(table, LibraryTableModel::Name), (QStringList{"Outro", "Intro"}));
}

// Check Library finds what decant-library check finds, and Repair mends it.
TEST(LibraryWindowTest, checksTheLibraryAndRepairsWhatItFound) {
    QTemporaryDir folder;
    const QString location = folder.filePath("Decant Library");
    addTracks(location, {"Intro"});
    QFile stray(QDir(location).filePath("Media/stray.m4a"));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.write("audio");
    stray.close();
    LibraryWindow window{LibraryCatalogue(location)};

    window.findChild<QAction*>("checkLibraryAction")->trigger();
    LibraryCheckDialog* dialog = window.checkDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(test::processEventsUntil([&] { return !dialog->isWorking(); }, 30000));
    EXPECT_EQ(dialog->summary(), "1 problem found.");
    EXPECT_EQ(dialog->findings(), QStringList{"Orphaned file: no track lists Media/stray.m4a."});

    auto* repair = dialog->findChild<QPushButton*>("repairButton");
    ASSERT_TRUE(repair->isEnabled());
    repair->click();
    ASSERT_TRUE(test::processEventsUntil([&] { return !dialog->isWorking(); }, 30000));
    EXPECT_EQ(dialog->summary(), "1 problem mended, 0 left.");
    EXPECT_FALSE(repair->isEnabled());
    EXPECT_FALSE(stray.exists());
}

} // namespace
} // namespace decant
