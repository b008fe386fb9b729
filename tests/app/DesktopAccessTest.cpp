// The window as a keyboard or a screen reader reaches it.
#include "FlacFixture.h"
#include "RecordingiTunes.h"
#include "TestEnvironment.h"
#include "app/HelpDialog.h"
#include "app/MainWindow.h"
#include "app/QueueTableView.h"
#include "itunes/iTunesHandOff.h"
#include "queue/FilesController.h"
#include "store/MetadataFetchCommand.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace decant {
namespace {

class DesktopAccessTest : public testing::Test {
protected:
    QAction* action(const char* name) const { return window.findChild<QAction*>(name); }

    // The widget that has the focus after the key, sent where the focus is.
    QWidget* afterKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        return QApplication::focusWidget();
    }

    std::shared_ptr<test::RecordingiTunes> iTunes = std::make_shared<test::RecordingiTunes>();
    std::shared_ptr<FilesController> controller =
        std::make_shared<FilesController>(std::make_shared<iTunesHandOff>(iTunes));
    MainWindow window{controller, std::make_shared<MetadataFetchCommand>(*controller), iTunes};
};

// Alt and a letter reach every menu and every item, and no two items of a
// menu answer to the same letter.
TEST_F(DesktopAccessTest, everyMenuAndItemHasItsOwnMnemonic) {
    const auto mnemonic = [](const QString& text) {
        const qsizetype at = text.indexOf(u'&');
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
    };
    const QList<QMenu*> menus = window.menuBar()->findChildren<QMenu*>();
    ASSERT_FALSE(menus.isEmpty());
    QSet<QChar> menuLetters;
    for (QMenu* menu : menus) {
        EXPECT_FALSE(mnemonic(menu->title()).isNull()) << menu->title().toStdString();
        menuLetters.insert(mnemonic(menu->title()));
        QSet<QChar> letters;
        for (QAction* item : menu->actions()) {
            if (item->isSeparator()) {
                continue;
            }
            const QChar letter = mnemonic(item->text());
            EXPECT_FALSE(letter.isNull()) << item->text().toStdString();
            EXPECT_FALSE(letters.contains(letter)) << item->text().toStdString();
            letters.insert(letter);
        }
    }
    EXPECT_EQ(menuLetters.size(), menus.size());
}

class FrequentAction : public DesktopAccessTest,
                       public testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(FrequentAction, hasTheConventionalShortcut) {
    const auto [name, shortcut] = GetParam();
    ASSERT_NE(action(name), nullptr) << name;
    EXPECT_EQ(action(name)->shortcut(), QKeySequence(QString::fromLatin1(shortcut)));
}

INSTANTIATE_TEST_SUITE_P(Conventions, FrequentAction,
                         testing::Values(std::pair{"addFilesAction", "Ctrl+O"},
                                         std::pair{"quitAction", "Ctrl+Q"},
                                         std::pair{"helpAction", "F1"},
                                         std::pair{"startAction", "Ctrl+Return"},
                                         std::pair{"openLibraryFolderAction", "Ctrl+Shift+L"},
                                         std::pair{"aboutAction", "Ctrl+Shift+A"}));

TEST_F(DesktopAccessTest, tabMovesBetweenTheToolbarTheTableAndTheStatusBar) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(test::processEventsUntil([&] { return QApplication::activeWindow() == &window; }));
    QWidget* table = window.queueTable();
    table->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), table);

    EXPECT_TRUE(window.statusBar()->isAncestorOf(afterKey(Qt::Key_Tab)));
    EXPECT_EQ(afterKey(Qt::Key_Backtab, Qt::ShiftModifier), table);
    QWidget* before = afterKey(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(window.findChild<QToolBar*>()->isAncestorOf(before));
    EXPECT_EQ(afterKey(Qt::Key_Tab), table);
}

// With no icon theme at all, as here, the shipped icons stand in.
TEST_F(DesktopAccessTest, everyToolbarCommandShowsAnIconBesideItsText) {
    auto* toolBar = window.findChild<QToolBar*>();
    EXPECT_EQ(toolBar->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    for (QAction* command : toolBar->actions()) {
        if (command->isSeparator()) {
            continue;
        }
        // Start and Stop share one button, which shows the action it holds.
        auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(command));
        QAction* shown = button && button->defaultAction() ? button->defaultAction() : command;
        EXPECT_FALSE(shown->icon().pixmap(24, 24).isNull()) << shown->text().toStdString();
    }
}

TEST_F(DesktopAccessTest, f1OpensTheHelp) {
    QString help;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<HelpDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        help = dialog->text();
        dialog->reject();
    });
    action("helpAction")->trigger();
    EXPECT_TRUE(help.contains("Ctrl+O")) << help.toStdString();
}

QString accessibleText(QObject* object, QAccessible::Text text) {
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
    return interface != nullptr ? interface->text(text) : QString();
}

TEST_F(DesktopAccessTest, screenReadersHearANameAndADescriptionForEveryControl) {
    QWidgetList controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if ((widget->focusPolicy() & Qt::TabFocus) || qobject_cast<QProgressBar*>(widget)) {
            controls.append(widget);
        }
    }
    ASSERT_GE(controls.size(), 6);
    for (QWidget* control : controls) {
        const char* name = control->metaObject()->className();
        EXPECT_FALSE(accessibleText(control, QAccessible::Name).isEmpty()) << name;
        EXPECT_FALSE(accessibleText(control, QAccessible::Description).isEmpty()) << name;
    }
    EXPECT_EQ(accessibleText(window.queueTable(), QAccessible::Name), "Queue");
    EXPECT_EQ(accessibleText(window.findChild<QProgressBar*>(), QAccessible::Name), "Run progress");
}

TEST_F(DesktopAccessTest, eachRowReadsAsItsStatusWithTheFullPathBeside) {
    QTemporaryDir folder;
    const QString path = folder.filePath("01 Song.flac");
    ASSERT_TRUE(test::writeFlacFixture(path, test::taggedFixture({"TITLE=Song"})));
    controller->addFiles({path});
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window.queueTable());
    ASSERT_NE(table->tableInterface(), nullptr);
    QAccessibleInterface* file = table->tableInterface()->cellAt(0, 0);
    QAccessibleInterface* status = table->tableInterface()->cellAt(0, 1);
    ASSERT_TRUE(file != nullptr && status != nullptr);
    EXPECT_EQ(file->text(QAccessible::Name), "01 Song.flac");
    EXPECT_EQ(file->text(QAccessible::Description), path);
    EXPECT_EQ(status->text(QAccessible::Name), "Waiting");
    EXPECT_EQ(status->text(QAccessible::Description), "");
}

} // namespace
} // namespace decant
