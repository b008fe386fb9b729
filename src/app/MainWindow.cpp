#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/ActionControl.h"
#include "app/ActionIcons.h"
#include "app/HelpDialog.h"
#include "app/KeyboardAccess.h"
#include "app/LibraryWindow.h"
#include "app/PreferencesDialog.h"
#include "app/PromptDialog.h"
#include "app/QueueCommands.h"
#include "app/QueueStatusBar.h"
#include "app/QueueTableEditing.h"
#include "app/QueueTableModel.h"
#include "app/QueueTableView.h"
#include "app/WindowBadge.h"
#include "platform/DesktopNotifier.h"
#include "platform/FolderOpener.h"
#include "queue/FilePath.h"
#include "queue/FilesController.h"
#include "queue/QueueTagEditor.h"
#include "store/MetadataFetchCommand.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>

namespace decant {

MainWindow::MainWindow(std::shared_ptr<FilesController> controller,
                       std::shared_ptr<MetadataFetchCommand> fetch,
                       iTunesApplicationPointer library, QWidget* parent)
    : QMainWindow(parent)
    , ui_(std::make_unique<Ui::MainWindow>())
    , controller_(std::move(controller))
    , fetch_(std::move(fetch))
    , library_(std::move(library))
    , notifier_(std::make_shared<DesktopNotifier>())
    , tagEditor_(std::make_unique<QueueTagEditor>(*controller_)) {
    ui_->setupUi(this);
    setIcons();

    model_ = std::make_shared<QueueTableModel>(*controller_, queueTable()->columnIdentifiers(),
                                               queueTable()->columnTitles());
    queueTable()->setQueueModel(model_.get());
    model_->setTagEditor(tagEditor_.get());
    new QueueTableEditing(*queueTable(), *model_);
    undoFetchText_ = ui_->undoFetchMetadataAction->text();
    fitColumns();
    controller_->setTableView(model_);
    statusBar_ = new QueueStatusBar(*statusBar(), *controller_);
    queueCommands_ = new QueueCommands(*controller_, *queueTable(), *ui_->startAction,
                                       *ui_->queueMenu, *ui_->toolBar, this);
    connectQueueChanges();
    makeKeyboardReachable(*ui_->toolBar, *queueTable(), *statusBar());

    startControl_ = std::make_shared<ActionControl>(ui_->startAction);
    badge_ = std::make_shared<WindowBadge>(this, windowTitle());
    controller_->setBadge(badge_);
    fetch_->setPrompt(std::make_shared<PromptDialog>(this));
    connectFileCommands();
    connectQueueCommands();
    addPreferencesCommand();
    addLibraryCommand();
    updateCommands();
}

MainWindow::~MainWindow() {
    controller_->setTableView(nullptr);
    controller_->setBadge(nullptr);
    fetch_->setPrompt(nullptr);
    controller_->setIntakeHandler(nullptr);
    controller_->setProgressHandler(nullptr);
    controller_->setHandOffFinishedHandler(nullptr);
}

QueueTableView* MainWindow::queueTable() const {
    return ui_->queueTable;
}

void MainWindow::setIcons() {
    ui_->addFilesAction->setIcon(actionIcon(QStringLiteral("list-add")));
    ui_->addFolderAction->setIcon(actionIcon(QStringLiteral("folder-open")));
    ui_->openLibraryFolderAction->setIcon(actionIcon(QStringLiteral("folder-music")));
    ui_->startAction->setIcon(actionIcon(QStringLiteral("media-playback-start")));
    ui_->fetchMetadataAction->setIcon(actionIcon(QStringLiteral("download")));
    ui_->undoFetchMetadataAction->setIcon(actionIcon(QStringLiteral("edit-undo")));
    ui_->aboutAction->setIcon(actionIcon(QStringLiteral("help-about")));
    ui_->helpAction->setIcon(actionIcon(QStringLiteral("help-contents")));
}

void MainWindow::connectFileCommands() {
    connect(ui_->addFilesAction, &QAction::triggered, this, &MainWindow::chooseFiles);
    connect(ui_->addFolderAction, &QAction::triggered, this, &MainWindow::chooseFolder);
    connect(ui_->openLibraryFolderAction, &QAction::triggered, this,
            &MainWindow::openLibraryFolder);
    connect(ui_->quitAction, &QAction::triggered, this, &MainWindow::quitRequested);
    connect(ui_->aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(ui_->helpAction, &QAction::triggered, this, [this] { HelpDialog(this).exec(); });
}

void MainWindow::connectQueueCommands() {
    connect(ui_->startAction, &QAction::triggered, this, &MainWindow::start);
    connect(ui_->fetchMetadataAction, &QAction::triggered, this, &MainWindow::fetchMetadata);
    connect(ui_->undoFetchMetadataAction, &QAction::triggered, this,
            &MainWindow::undoFetchMetadata);
    controller_->setProgressHandler(
        [this] { statusBar_->showProgress(controller_->runProgress()); });
    controller_->setHandOffFinishedHandler([this] { runDidFinish(); });
}

void MainWindow::connectQueueChanges() {
    const auto changed = [this] {
        statusBar_->queueChanged();
        updateCommands();
    };
    connect(model_.get(), &QAbstractItemModel::modelReset, this, changed);
    connect(model_.get(), &QAbstractItemModel::rowsInserted, this, changed);
    connect(model_.get(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                statusBar_->queueChanged();
                queueCommands_->updateRemove();
                updateUndo();
                const int selected = queueTable()->currentIndex().row();
                if (selected >= topLeft.row() && selected <= bottomRight.row()) {
                    statusBar_->showReasonOfRow(selected);
                }
            });
    connect(queueTable()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { statusBar_->showReasonOfRow(current.row()); });
    controller_->setIntakeHandler([this] { statusBar_->queueChanged(); });
}

void MainWindow::fitColumns() {
    QHeaderView* header = queueTable()->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for a typical file name, the longest status with the library's
    // stage ("Encoding · converting"), "12 of 12", and titles and names of
    // usual length; the album takes what is left.
    const QFontMetrics metrics = queueTable()->fontMetrics();
    const int character = metrics.averageCharWidth();
    const int status =
        metrics.horizontalAdvance(QueueTableModel::tr("%1 · converting")
                                      .arg(displayTextForStatus(QueueEntryStatusEncoding))) +
        2 * character;
    const QList<int> widths{30 * character, status, 10 * character, 24 * character, 22 * character};
    for (int column = 0; column < widths.size() && column < model_->columnCount(); ++column) {
        header->resizeSection(column, widths[column]);
    }
}

void MainWindow::updateCommands() {
    ui_->fetchMetadataAction->setEnabled(!stopping_ && model_->rowCount() > 0);
    updateUndo();
    queueCommands_->update(stopping_);
}

void MainWindow::updateUndo() {
    // One Undo for both: the edits since the last fetch go first.
    const bool edit = tagEditor_->canUndo();
    ui_->undoFetchMetadataAction->setText(edit ? tr("&Undo Tag Edit") : undoFetchText_);
    ui_->undoFetchMetadataAction->setEnabled(!stopping_ &&
                                             (edit || fetch_->canUndoFetchMetadata()));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit quitRequested();
}

void MainWindow::showStopping() {
    stopping_ = true;
    for (QAction* command : {ui_->addFilesAction, ui_->addFolderAction, ui_->startAction}) {
        command->setEnabled(false);
    }
    updateCommands();
    queueTable()->setAcceptDrops(false);
    statusBar()->showMessage(tr("Stopping…"));
}

void MainWindow::start() {
    statusBar_->runStarted();
    controller_->startDecoding(startControl_);
    updateCommands();
}

void MainWindow::fetchMetadata() {
    const FetchOutcome outcome = fetch_->fetchMetadata();
    if (fetch_->canUndoFetchMetadata()) {
        tagEditor_->forgetEdits();
    }
    if (!outcome.text.isEmpty()) {
        // Why the store gave nothing, in the HTTP client's words, on hover.
        statusBar_->showNotice(outcome.text, outcome.detail);
    }
    updateCommands();
}

void MainWindow::undoFetchMetadata() {
    if (tagEditor_->canUndo()) {
        tagEditor_->undo();
        statusBar_->showNotice(tr("The tags from before the edit are back."));
        updateCommands();
        return;
    }
    fetch_->undoFetchMetadata();
    statusBar_->showNotice(tr("The tags from before the fetch are back."));
    updateCommands();
}

void MainWindow::runDidFinish() {
    updateCommands();
    if (libraryWindow_) {
        libraryWindow_->reload();
    }
    if (stopping_) {
        return; // nobody waits for news of a run the user has quit
    }
    const RunSummary summary = controller_->lastRunSummary();
    statusBar_->showRunSummary(summary);
    if (!isActiveWindow() && notifier_) {
        notifier_->notify(tr("Decant has finished"), summary.text);
    }
}

QString MainWindow::libraryLocation() const {
    return library_ ? library_->location() : QString();
}

void MainWindow::openLibraryFolder() {
    const QString folder = libraryLocation();
    if (folder.isEmpty()) {
        statusBar_->showNotice(tr("The library does not say where it keeps its files."));
    } else if (!QFileInfo(folder).isDir()) {
        // Made by the first import, not by looking.
        statusBar_->showNotice(tr("The library's folder, %1, is made at the first import.")
                                   .arg(QDir::toNativeSeparators(folder)));
    } else {
        auto* opener = new FolderOpener(this);
        opener->open(folder, [this, opener](const QString& problem) {
            if (!problem.isEmpty()) {
                statusBar_->showNotice(problem);
            }
            opener->deleteLater();
        });
    }
}

void MainWindow::addPreferencesCommand() {
    auto* preferences = new QAction(tr("&Preferences…"), this);
    preferences->setObjectName(QStringLiteral("preferencesAction"));
    preferences->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    preferences->setMenuRole(QAction::PreferencesRole);
    preferences->setToolTip(tr("Choose the format the library imports in"));
    preferences->setIcon(QIcon::fromTheme(QStringLiteral("preferences-system")));
    preferences->setEnabled(!libraryLocation().isEmpty());
    ui_->editMenu->addSeparator();
    ui_->editMenu->addAction(preferences);
    connect(preferences, &QAction::triggered, this, &MainWindow::showPreferences);
}

void MainWindow::showPreferences() {
    PreferencesDialog(LibrarySettings(libraryLocation()), controller_->isRunning(), this).exec();
}

void MainWindow::addLibraryCommand() {
    QMenu* windowMenu = new QMenu(tr("&Window"), ui_->menuBar);
    windowMenu->setObjectName(QStringLiteral("windowMenu"));
    ui_->menuBar->insertMenu(ui_->helpMenu->menuAction(), windowMenu);
    auto* library = windowMenu->addAction(tr("&Library"), this, &MainWindow::showLibrary);
    library->setObjectName(QStringLiteral("libraryAction"));
    library->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    library->setToolTip(tr("Show the tracks in the library"));
    library->setEnabled(!libraryLocation().isEmpty());
}

void MainWindow::showLibrary() {
    if (!libraryWindow_) {
        libraryWindow_ = new LibraryWindow(LibraryCatalogue(libraryLocation()), this);
    }
    libraryWindow_->show();
    libraryWindow_->raise();
    libraryWindow_->activateWindow();
}

void MainWindow::showAbout() {
    AboutDialog(libraryLocation(), this).exec();
}

void MainWindow::chooseFiles() {
    emitChosen(QFileDialog::getOpenFileUrls(this, tr("Add Files"), musicFolder(),
                                            tr("FLAC files (*.flac *.FLAC *.Flac)"), nullptr, {},
                                            {QStringLiteral("file")}));
}

QUrl MainWindow::musicFolder() {
    return QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::MusicLocation));
}

// As addresses, not as text: a desktop's file chooser gives a name that is
// not UTF-8 byte for byte, which a path made text would have lost.
void MainWindow::emitChosen(const QList<QUrl>& chosen) {
    QList<QByteArray> paths;
    for (const QUrl& url : chosen) {
        if (const std::optional<QByteArray> path = pathOfFileURL(url)) {
            paths.append(*path);
        }
    }
    if (!paths.isEmpty()) {
        emit pathsChosen(paths);
    }
}

void MainWindow::chooseFolder() {
    const QUrl folder = QFileDialog::getExistingDirectoryUrl(
        this, tr("Add Folder"), musicFolder(), QFileDialog::ShowDirsOnly, {QStringLiteral("file")});
    if (!folder.isEmpty()) {
        emitChosen({folder});
    }
}

} // namespace decant
