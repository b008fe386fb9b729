#pragma once

#include "itunes/iTunesApplication.h"
#include "platform/Badge.h"
#include "platform/Notifier.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class MainWindow;
}

namespace decant {

class ActionControl;
class FilesController;
class MetadataFetchCommand;
class LibraryWindow;
class QueueCommands;
class QueueTagEditor;
class QueueStatusBar;
class QueueTableModel;
class QueueTableView;

// The window: the queue table, the commands, and the file dialogs that feed
// the queue beside drag and drop. What it shows of the queue, the status bar
// shows (QueueStatusBar). Main thread only.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    // The queue it shows and works on, the store command on that queue, and
    // the library the queue hands its files to, which says where it keeps
    // them.
    MainWindow(std::shared_ptr<FilesController> controller,
               std::shared_ptr<MetadataFetchCommand> fetch, iTunesApplicationPointer library,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    QueueTableView* queueTable() const;
    // Null until Window > Library has been chosen.
    LibraryWindow* libraryWindow() const { return libraryWindow_; }
    QueueStatusBar* queueStatusBar() const { return statusBar_; }
    // The count of files left to decode, shown in the title ("Decant (3)")
    // and on the dock icon; null for none.
    std::shared_ptr<Badge> badge() const { return badge_; }
    // Where the end of a run is told when the window is not active: the
    // desktop's notifications unless replaced.
    void setNotifier(std::shared_ptr<Notifier> notifier) { notifier_ = std::move(notifier); }
    // The application is quitting: the window says "Stopping…" and takes no
    // more commands or files.
    void showStopping();

signals:
    // Paths the user chose in a file dialog.
    void pathsChosen(const QList<QByteArray>& paths);
    // The user closed the window or chose Quit: the application ends.
    void quitRequested();

protected:
    // Closing the window quits, by way of quitRequested(): the window stays
    // until the run has stopped, so that it can say so.
    void closeEvent(QCloseEvent* event) override;

private:
    void setIcons();
    void connectFileCommands();
    void connectQueueCommands();
    // The status bar follows the queue, the selected row and the run.
    void connectQueueChanges();
    void fitColumns();
    // Fetch and Undo are offered only when they have something to act on.
    void updateCommands();
    // Undo Tag Edit, else Undo Fetch Metadata.
    void updateUndo();

    void chooseFiles();
    void chooseFolder();
    static QUrl musicFolder();
    void emitChosen(const QList<QUrl>& chosen);
    void openLibraryFolder();
    void showAbout();
    // Edit > Preferences…: made here rather than in the layout file, as
    // the windows it opens are.
    void addPreferencesCommand();
    void showPreferences();
    // Window > Library, made the same way.
    void addLibraryCommand();
    void showLibrary();
    void start();
    void fetchMetadata();
    void undoFetchMetadata();
    void runDidFinish();
    QString libraryLocation() const;

    std::unique_ptr<Ui::MainWindow> ui_;
    std::shared_ptr<FilesController> controller_;
    std::shared_ptr<MetadataFetchCommand> fetch_;
    iTunesApplicationPointer library_;
    std::shared_ptr<QueueTableModel> model_;
    std::shared_ptr<ActionControl> startControl_;
    std::shared_ptr<Badge> badge_;
    std::shared_ptr<Notifier> notifier_;
    QueueStatusBar* statusBar_ = nullptr;    // owned by the window's status bar
    QueueCommands* queueCommands_ = nullptr; // owned by the window
    LibraryWindow* libraryWindow_ = nullptr; // owned by the window, made when first shown
    std::unique_ptr<QueueTagEditor> tagEditor_;
    QString undoFetchText_;
    bool stopping_ = false;
};

} // namespace decant
