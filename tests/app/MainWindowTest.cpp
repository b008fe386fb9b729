#include "app/MainWindow.h"

#include "FlacFixture.h"
#include "RecordingiTunes.h"
#include "TestEnvironment.h"
#include "WorkerGate.h"
#include "app/AboutDialog.h"
#include "app/AppDelegate.h"
#include "app/QueueStatusBar.h"
#include "app/QueueTableModel.h"
#include "app/QueueTableView.h"
#include "app/QuitCoordinator.h"
#include "itunes/LibraryApplication.h"
#include "itunes/iTunesHandOff.h"
#include "queue/FilesController.h"
#include "store/MetadataFetchCommand.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <sstream>
#include <thread>

namespace decant {
namespace {

class MainWindowTest : public testing::Test {
protected:
    QString fixture(const QString& name, const QList<QByteArray>& tags = {}) {
        const QString path = folder.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(test::writeFlacFixture(path, test::taggedFixture(tags)));
        return path;
    }

    QAbstractItemModel* model() const { return window.queueTable()->model(); }

    QString cell(int row, int column) const {
        return model()->data(model()->index(row, column), Qt::DisplayRole).toString();
    }

    QAction* action(const char* name) const { return window.findChild<QAction*>(name); }

    QTemporaryDir folder;
    std::shared_ptr<test::RecordingiTunes> iTunes = std::make_shared<test::RecordingiTunes>();
    std::shared_ptr<FilesController> controller =
        std::make_shared<FilesController>(std::make_shared<iTunesHandOff>(iTunes));
    std::shared_ptr<MetadataFetchCommand> fetchCommand =
        std::make_shared<MetadataFetchCommand>(*controller);
    MainWindow window{controller, fetchCommand, iTunes};
};

TEST_F(MainWindowTest, theTableHasTheLayoutsColumns) {
    const QStringList titles{"File", "Status", "Track", "Title", "Artist", "Album"};
    ASSERT_EQ(model()->columnCount(), titles.size());
    for (int column = 0; column < titles.size(); ++column) {
        EXPECT_EQ(model()->headerData(column, Qt::Horizontal, Qt::DisplayRole), titles[column]);
    }
    EXPECT_EQ(window.queueTable()->columnIdentifiers(),
              (QStringList{"path", "status", "tracknumber", "title", "artist", "album"}));
    EXPECT_FALSE(action("fetchMetadataAction")->text().isEmpty());
}

TEST_F(MainWindowTest, showsEachQueuedFileWithItsStatusAndTags) {
    controller->addFiles({fixture("03 Song.flac", {"TITLE=Song", "ARTIST=Band", "ALBUM=Record",
                                                   "TRACKNUMBER=3", "TRACKTOTAL=12"})});
    ASSERT_EQ(model()->rowCount(), 1);
    EXPECT_EQ(cell(0, 0), "03 Song.flac");
    EXPECT_EQ(cell(0, 1), "Waiting");
    EXPECT_EQ(cell(0, 2), "3 of 12");
    EXPECT_EQ(cell(0, 3), "Song");
    EXPECT_EQ(cell(0, 4), "Band");
    EXPECT_EQ(cell(0, 5), "Record");
}

TEST_F(MainWindowTest, dropsOfFileURLsAreQueuedAtTheEnd) {
    controller->addFiles({fixture("first.flac")});
    fixture("Album/1.flac");
    fixture("Album/2.flac");
    auto* queueModel = static_cast<QueueTableModel*>(model());

    QMimeData drag;
    drag.setUrls(
        {QUrl::fromLocalFile(folder.filePath("Album")), QUrl("https://example.com/a.flac")});
    EXPECT_TRUE(queueModel->canDropMimeData(&drag, Qt::CopyAction, 0, 0, {}));
    const DropTarget target = queueModel->dropTarget(0, DropOperation::On);
    EXPECT_EQ(target.row, 1);
    EXPECT_EQ(target.dropOperation, DropOperation::Above);

    EXPECT_TRUE(queueModel->dropMimeData(&drag, Qt::MoveAction, 0, 0, model()->index(0, 0)));
    ASSERT_TRUE(test::processEventsUntil([&] { return model()->rowCount() == 3; }));
    EXPECT_EQ(cell(1, 0), "1.flac");
    EXPECT_EQ(cell(2, 0), "2.flac");

    QMimeData text;
    text.setText("/not/a/url/list.flac");
    EXPECT_FALSE(queueModel->canDropMimeData(&text, Qt::CopyAction, 0, 0, {}));
}

TEST_F(MainWindowTest, startIsDisabledWhileARunLastsAndTheTitleShowsTheLatestCount) {
    controller->addFiles({fixture("a.flac"), fixture("b.flac")});
    QAction* start = action("startAction");
    start->trigger();
    EXPECT_FALSE(start->isEnabled());
    ASSERT_TRUE(test::processEventsUntil([&] { return start->isEnabled(); }, 30000));
    EXPECT_EQ(cell(0, 1), "Done");
    EXPECT_EQ(cell(1, 1), "Done");
    EXPECT_TRUE(test::processEventsUntil([&] { return window.windowTitle() == "Decant"; }));

    // A run's start sets a count per file: the title shows the last one.
    QStringList titles;
    QObject::connect(&window, &QWidget::windowTitleChanged,
                     [&](const QString& title) { titles.append(title); });
    for (int count = 1; count <= 500; ++count) {
        window.badge()->setBadgeLabel(QString::number(count));
    }
    EXPECT_TRUE(test::processEventsUntil([&] { return !titles.isEmpty(); }));
    EXPECT_EQ(titles, QStringList{"Decant (500)"});
}

TEST_F(MainWindowTest, theDelegateQueuesOpenedFilesAndBringsTheWindowBack) {
    AppDelegate delegate;
    delegate.setFilesController(controller);
    delegate.setWindow(&window);
    delegate.applicationDidFinishLaunching();
    EXPECT_TRUE(window.queueTable()->acceptDrops());

    int updates = 0;
    QObject::connect(model(), &QAbstractItemModel::modelReset, [&] { ++updates; });
    QObject::connect(model(), &QAbstractItemModel::rowsInserted, [&] { ++updates; });
    EXPECT_TRUE(delegate.applicationOpenFiles({QFile::encodeName(fixture("a.flac")),
                                               QFile::encodeName(fixture("b.flac")),
                                               QFile::encodeName(fixture("c.flac"))}));
    ASSERT_TRUE(test::processEventsUntil([&] { return !controller->intakeProgress().running; }));
    EXPECT_EQ(model()->rowCount(), 3);
    EXPECT_EQ(updates, 1);

    window.hide();
    delegate.handleLaterLaunch({});
    EXPECT_TRUE(window.isVisible());
    window.showMinimized();
    delegate.handleLaterLaunch({QFile::encodeName(fixture("Folder/d.flac"))});
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(test::processEventsUntil([&] { return model()->rowCount() == 4; }));
}

enum class QuitMoment { Idle, WhileDecoding, WhileHandingOff, WithALibraryThatDoesNotStop };

void PrintTo(QuitMoment moment, std::ostream* out) {
    const char* names[] = {"idle", "whileDecoding", "whileHandingOff",
                           "withALibraryThatDoesNotStop"};
    *out << names[int(moment)];
}

class QuitDuringARun : public MainWindowTest, public testing::WithParamInterface<QuitMoment> {};

TEST_P(QuitDuringARun, stopsPromptlyAndSaysSoMeanwhile) {
    using namespace std::chrono_literals;
    QStringList paths;
    for (int index = 0; index < 24; ++index) {
        paths.append(fixture(QStringLiteral("%1.flac").arg(index)));
    }
    controller->addFiles(paths);
    const QuitMoment moment = GetParam();
    if (moment == QuitMoment::WithALibraryThatDoesNotStop) {
        iTunes->setReply([](const QList<QUrl>&) {
            std::this_thread::sleep_for(1500ms);
            return QList<iTunesTrackPointer>{};
        });
    } else {
        iTunes->setBlocksUntilStopped(true);
    }
    QuitCoordinator quit(
        controller, &window,
        {10ms, moment == QuitMoment::WithALibraryThatDoesNotStop ? 300ms : 20000ms});
    bool ready = false;
    QObject::connect(&quit, &QuitCoordinator::readyToQuit, [&] { ready = true; });
    // While decoding means before any decode has ended.
    std::optional<test::WorkerGate> gate;
    if (moment == QuitMoment::WhileDecoding) {
        gate.emplace(controller->operationQueue());
    }
    if (moment != QuitMoment::Idle) {
        action("startAction")->trigger();
    }
    if (moment == QuitMoment::WhileHandingOff ||
        moment == QuitMoment::WithALibraryThatDoesNotStop) {
        ASSERT_TRUE(test::processEventsUntil([&] { return !iTunes->requests().isEmpty(); }));
        ASSERT_TRUE(moment != QuitMoment::WhileHandingOff || iTunes->waitUntilConverting(10s));
    }

    window.close();
    EXPECT_EQ(window.statusBar()->currentMessage(), "Stopping…");
    EXPECT_FALSE(action("startAction")->isEnabled());
    EXPECT_FALSE(action("fetchMetadataAction")->isEnabled());
    if (gate) {
        gate->open();
    }
    ASSERT_TRUE(test::processEventsUntil([&] { return ready; }));

    EXPECT_EQ(quit.gaveUpWaiting(), moment == QuitMoment::WithALibraryThatDoesNotStop);
    EXPECT_EQ(controller->isRunning(), moment == QuitMoment::WithALibraryThatDoesNotStop);
    // No batch starts once the quit is asked for, and one under way is told.
    EXPECT_LE(iTunes->requests().size(), moment == QuitMoment::Idle ? 0 : 1);
    EXPECT_EQ(iTunes->stopRequests() > 0, moment == QuitMoment::WhileHandingOff);
    EXPECT_EQ(window.statusBar()->currentMessage(), "Stopping…");
    // Decoded audio nothing will take any more is gone before the loop ends.
    for (const auto& entry : controller->files()) {
        EXPECT_NE(entry->status(), QueueEntryStatusDone);
        EXPECT_FALSE(QFile::exists(entry->decodedPath()));
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, QuitDuringARun,
                         testing::Values(QuitMoment::Idle, QuitMoment::WhileDecoding,
                                         QuitMoment::WhileHandingOff,
                                         QuitMoment::WithALibraryThatDoesNotStop),
                         [](const auto& info) {
                             std::ostringstream name;
                             PrintTo(info.param, &name);
                             return name.str();
                         });

// Answers the next modal dialog the way a user would.
void answerNextDialog(const QString& text, bool accept, QStringList* labels = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* field = dialog->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->size(), QSize(300, 24));
        EXPECT_TRUE(field->text().isEmpty());
        if (labels != nullptr) {
            for (auto* label : dialog->findChildren<QLabel*>()) {
                labels->append(label->text());
            }
            for (auto* button : dialog->findChildren<QPushButton*>()) {
                labels->append(button->text());
            }
        }
        field->setText(text);
        accept ? dialog->accept() : dialog->reject();
    });
}

TEST_F(MainWindowTest, theStoreCommandAsksForAnAlbumRetagsTheQueueAndCanBeUndone) {
    QAction* fetch = action("fetchMetadataAction");
    QAction* undo = action("undoFetchMetadataAction");
    EXPECT_FALSE(fetch->isEnabled()); // nothing to give tags to
    EXPECT_FALSE(undo->isEnabled());
    controller->addFiles({fixture("a.flac", {"TITLE=Old A"}), fixture("b.flac", {"TITLE=Old B"})});

    // A store that cannot be reached: the window says why.
    fetchCommand->setAlbumReader([](const QUrl&) {
        return StoreAlbumReading(StoreFailure{StoreFailure::Kind::ConnectionFailed,
                                              "itunes.apple.com", "Connection closed"});
    });
    answerNextDialog("https://music.apple.com/us/album/blue/1", true);
    fetch->trigger();
    EXPECT_EQ(cell(0, 3), "Old A");
    EXPECT_EQ(window.queueStatusBar()->notice(),
              "Could not reach the store: itunes.apple.com did not answer. Nothing changed.");
    EXPECT_FALSE(undo->isEnabled());

    QList<QUrl> requests;
    fetchCommand->setAlbumReader([&](const QUrl& url) {
        requests.append(url);
        return QList<CommentsDictionary>{{{"TITLE", "New A"}}, {{"TITLE", "New B"}}};
    });
    ASSERT_TRUE(fetch->isEnabled());

    answerNextDialog("http://itunes.apple.com/album/1", true);
    fetch->trigger();
    EXPECT_TRUE(requests.isEmpty());
    EXPECT_EQ(cell(0, 3), "Old A");
    EXPECT_TRUE(window.queueStatusBar()->notice().startsWith("Not a store album address"));
    EXPECT_FALSE(undo->isEnabled());

    QStringList labels;
    answerNextDialog("https://itunes.apple.com/us/album/1", true, &labels);
    fetch->trigger();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.front(), QUrl("https://itunes.apple.com/us/album/1"));
    EXPECT_EQ(cell(0, 3), "New A");
    EXPECT_EQ(cell(1, 3), "New B");
    for (const char* text :
         {"Fetch Metadata From iTunes", "Enter iTunes Store URL:", "OK", "Cancel"}) {
        EXPECT_TRUE(labels.contains(text)) << text;
    }
    EXPECT_EQ(window.queueStatusBar()->notice(), "2 songs applied.");

    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(cell(0, 3), "Old A");
    EXPECT_EQ(cell(1, 3), "Old B");
    EXPECT_FALSE(undo->isEnabled());

    // Start takes the fetched tags to the library: no undo after it.
    answerNextDialog("https://itunes.apple.com/us/album/1", true);
    fetch->trigger();
    EXPECT_TRUE(undo->isEnabled());
    action("startAction")->trigger();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(test::processEventsUntil([&] { return !controller->isRunning(); }));
}

TEST_F(MainWindowTest, tooltipsAndTheStatusBarGiveEachFilesReasonAndFullPath) {
    const QByteArray latin1 = QFile::encodeName(folder.filePath("Disc 2")) + "/caf\xe9.flac";
    const test::RemovedTree removed(latin1);
    controller->addFiles({fixture("Disc 1/01 Intro.flac"), fixture("Disc 2/01 Intro.flac")});
    ASSERT_TRUE(test::writeFlacFixture(latin1, test::FlacFixture()));
    controller->addFiles(QList<QByteArray>{latin1, QFile::encodeName(folder.filePath("gone.flac")),
                                           QFile::encodeName(fixture("cover.jpg"))});
    const auto entries = controller->files();
    ASSERT_EQ(entries.size(), 3);
    entries[1]->setFailureReason("MD5 signature mismatch");
    entries[1]->setStatus(QueueEntryStatusFailed);

    const auto tooltip = [&](int row, int column) {
        return model()->data(model()->index(row, column), Qt::ToolTipRole).toString();
    };
    EXPECT_EQ(tooltip(0, 0), folder.filePath("Disc 1/01 Intro.flac"));
    EXPECT_EQ(tooltip(2, 0), folder.filePath("Disc 2") + QStringLiteral("/caf\uFFFD.flac"));
    EXPECT_EQ(tooltip(0, 1), "Waiting");
    EXPECT_EQ(tooltip(1, 1), "MD5 signature mismatch");

    // What intake passed over is said once, in the status bar.
    QueueStatusBar& bar = *window.queueStatusBar();
    ASSERT_TRUE(test::processEventsUntil([&] { return !bar.notice().isEmpty(); }));
    EXPECT_EQ(bar.notice(), "2 items were not added: “gone.flac” (no such file or folder), "
                            "“cover.jpg” (not named as a FLAC file)");

    window.queueTable()->setCurrentIndex(model()->index(1, 0));
    EXPECT_EQ(bar.notice(), "01 Intro.flac: MD5 signature mismatch");
    window.queueTable()->setCurrentIndex(model()->index(0, 0));
    EXPECT_EQ(bar.notice(), "");
    // A reason that arrives while its row is selected is shown as it comes.
    entries[0]->setFailureReason("source is not a FLAC file");
    controller->refreshEntry(entries[0]);
    EXPECT_EQ(bar.notice(), "01 Intro.flac: source is not a FLAC file");
}

// Records what would have been shown on the desktop.
class RecordingNotifier final : public Notifier {
public:
    void notify(const QString& summary, const QString& body) override {
        notifications.append(summary + ": " + body);
    }
    QStringList notifications;
};

TEST_F(MainWindowTest, aRunsEndIsSummedUpLastinglyAndToldWhenTheWindowIsInactive) {
    auto notifier = std::make_shared<RecordingNotifier>();
    window.setNotifier(notifier);
    controller->addFiles({fixture("a.flac"), fixture("b.flac")});
    iTunes->setReply([](const QList<QUrl>&) { return QList<iTunesTrackPointer>{}; });
    iTunes->setReasonForFilesLeftOut("the database is locked by another program");
    QAction* start = action("startAction");
    QueueStatusBar& bar = *window.queueStatusBar();
    const auto runToItsEnd = [&] {
        start->trigger();
        return test::processEventsUntil([&] { return start->isEnabled(); }, 30000);
    };

    // Not shown, so not active: the desktop is told.
    ASSERT_TRUE(runToItsEnd());
    EXPECT_EQ(cell(0, 1), "Encoding");
    EXPECT_EQ(bar.summary(), "0 files imported, 2 not taken by the library");
    EXPECT_EQ(bar.notice(), "The library did not take 2 files: the database is locked by "
                            "another program. Start tries them again.");
    EXPECT_EQ(notifier->notifications,
              QStringList{"Decant has finished: 0 files imported, 2 not taken by the library "
                          "(the database is locked by another program)"});

    // A menu's status tip covers the notice for a moment, never the summary.
    window.show();
    window.statusBar()->showMessage("Decode the queued files and add them to the library");
    EXPECT_TRUE(window.findChild<QLabel*>("summaryLabel")->isVisible());
    EXPECT_EQ(bar.summary(), "0 files imported, 2 not taken by the library");
    window.statusBar()->clearMessage();
    EXPECT_TRUE(window.findChild<QLabel*>("noticeLabel")->isVisible());

    // The next Start takes them again; an active window tells nobody else.
    window.activateWindow();
    ASSERT_TRUE(test::processEventsUntil([&] { return window.isActiveWindow(); }));
    iTunes->setReply(nullptr);
    ASSERT_TRUE(runToItsEnd());
    EXPECT_EQ(iTunes->requests().size(), 2);
    EXPECT_EQ(iTunes->requests().back().size(), 2);
    EXPECT_EQ(cell(1, 1), "Done");
    EXPECT_EQ(bar.summary(), "2 files imported");
    EXPECT_EQ(notifier->notifications.size(), 1);
}

TEST_F(MainWindowTest, removesSelectedRowsAndStopsARunFromTheKeyboard) {
    for (const auto& [name, shortcut] : {std::pair{"removeAction", "Del"},
                                         {"stopAction", "Ctrl+."},
                                         {"clearFinishedAction", "Ctrl+Shift+K"}}) {
        EXPECT_EQ(action(name)->shortcut().toString(), shortcut);
    }
    controller->addFiles({fixture("1.flac"), fixture("2.flac"), fixture("3.flac")});
    EXPECT_FALSE(action("removeAction")->isEnabled());
    window.queueTable()->selectRow(1);
    ASSERT_TRUE(action("removeAction")->isEnabled());
    action("removeAction")->trigger();
    ASSERT_EQ(model()->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "3.flac");

    // Stop stands in for Start on the toolbar while the library converts.
    auto* runButton = window.findChild<QToolButton*>("runButton");
    QAction* start = action("startAction");
    QAction* stop = action("stopAction");
    EXPECT_FALSE(stop->isEnabled());
    iTunes->setBlocksUntilStopped(true);
    start->trigger();
    ASSERT_TRUE(iTunes->waitUntilConverting(std::chrono::seconds(10)));
    EXPECT_EQ(runButton->defaultAction(), stop);
    EXPECT_EQ(cell(0, 1), "Encoding · converting");
    stop->trigger();
    ASSERT_TRUE(test::processEventsUntil([&] { return start->isEnabled(); }));
    EXPECT_EQ(cell(0, 1), "Waiting");
    EXPECT_EQ(runButton->defaultAction(), start);
    EXPECT_EQ(iTunes->requests().front().size(), 2);
}

TEST_F(MainWindowTest, editsTagsInTheTableUntilStartAndUndoesTheLastEdit) {
    controller->addFiles({fixture("1.flac", {"TITLE=Sogn", "TRACKNUMBER=3", "TRACKTOTAL=9"})});
    const auto at = [&](int column) { return model()->index(0, column); };
    EXPECT_FALSE(model()->flags(at(0)) & Qt::ItemIsEditable);
    ASSERT_TRUE(model()->flags(at(3)) & Qt::ItemIsEditable);
    EXPECT_EQ(at(2).data(Qt::EditRole), "3");
    EXPECT_FALSE(model()->setData(at(2), "three", Qt::EditRole));
    ASSERT_TRUE(model()->setData(at(2), "4", Qt::EditRole));
    ASSERT_TRUE(model()->setData(at(3), "Song", Qt::EditRole));
    EXPECT_EQ(cell(0, 2), "4 of 9");
    EXPECT_EQ(action("undoFetchMetadataAction")->text(), "&Undo Tag Edit");

    action("undoFetchMetadataAction")->trigger();
    EXPECT_EQ(cell(0, 3), "Sogn");
    EXPECT_EQ(cell(0, 2), "4 of 9");

    // A column the layout does not show, from the header's menu.
    window.findChild<QAction*>("showColumn_composer")->trigger();
    ASSERT_EQ(model()->columnCount(), 7);
    ASSERT_TRUE(model()->setData(at(6), "Someone", Qt::EditRole));
    EXPECT_EQ(controller->files().front()->comments().value("COMPOSER"), "Someone");
}

TEST_F(MainWindowTest, aboutAndTheLibraryFolderTellWhereTheLibraryIs) {
    const QString location = folder.filePath("Decant Library");
    const auto library = std::make_shared<LibraryApplication>(location);
    const auto queue = std::make_shared<FilesController>(std::make_shared<iTunesHandOff>(library));
    MainWindow libraryWindow(queue, std::make_shared<MetadataFetchCommand>(*queue), library);
    QString about;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        about = dialog->text();
        dialog->reject();
    });
    libraryWindow.findChild<QAction*>("aboutAction")->trigger();
    EXPECT_TRUE(about.contains("Decant " + QApplication::applicationVersion()))
        << about.toStdString();
    EXPECT_TRUE(about.contains("MIT License"));
    EXPECT_TRUE(about.contains(location));

    // Opening a folder that does not exist yet would only show an error.
    libraryWindow.findChild<QAction*>("openLibraryFolderAction")->trigger();
    EXPECT_EQ(libraryWindow.queueStatusBar()->notice(),
              "The library's folder, " + location + ", is made at the first import.");
    EXPECT_FALSE(QFileInfo::exists(location));
}

} // namespace
} // namespace decant
