#include "app/LibraryWindow.h"

#include "TestEnvironment.h"
#include "app/LibraryTableModel.h"
#include "library/Library.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace decant {
namespace {

// Records tracks as if imported, each with a small file of its own.
void addTracks(const QString& location, const QStringList& names) {
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
        ASSERT_TRUE((*library)->restoreTrack(record, std::nullopt));
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

    addTracks(location, {"Intro", "Heartbeat", "Outro"});
    LibraryWindow window{LibraryCatalogue(location)};
    EXPECT_EQ(window.windowTitle(), "Library");
    ASSERT_TRUE(test::processEventsUntil([&] { return !window.isLoading(); }));
    EXPECT_EQ(window.statusText(), "3 tracks");
    QTableView& table = *window.table();
    table.sortByColumn(LibraryTableModel::Track, Qt::AscendingOrder);
    EXPECT_EQ(column(table, LibraryTableModel::Name), (QStringList{"Outro", "Heartbeat", "Intro"}));
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

} // namespace
} // namespace decant
