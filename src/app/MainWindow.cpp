#include "app/MainWindow.h"

#include "app/AboutDialog.h"
#include "app/ActionControl.h"
#include "app/PromptDialog.h"
#include "app/QueueStatusBar.h"
#include "app/QueueTableModel.h"
#include "app/QueueTableView.h"
#include "app/WindowBadge.h"
#include "platform/DesktopNotifier.h"
#include "queue/FilesController.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>

namespace decant {

MainWindow::MainWindow(std::shared_ptr<FilesController> controller, QWidget* parent)
    : QMainWindow(parent)
    , ui_(std::make_unique<Ui::MainWindow>())
    , controller_(std::move(controller))
    , notifier_(std::make_shared<DesktopNotifier>()) {
    ui_->setupUi(this);
    setIcons();

    model_ = std::make_shared<QueueTableModel>(*controller_, queueTable()->columnIdentifiers(),
                                               queueTable()->columnTitles());
    queueTable()->setQueueModel(model_.get());
    fitColumns();
    controller_->setTableView(model_);
    statusBar_ = new QueueStatusBar(*statusBar(), *controller_);
    connectQueueChanges();

    startControl_ = std::make_shared<ActionControl>(ui_->startAction);
    badge_ = std::make_shared<WindowBadge>(this, windowTitle());
    controller_->setBadge(badge_);
    controller_->setPrompt(std::make_shared<PromptDialog>(this));
    connectFileCommands();
    connectQueueCommands();
    updateCommands();
}

MainWindow::~MainWindow() {
    controller_->setTableView(nullptr);
    controller_->setBadge(nullptr);
    controller_->setPrompt(nullptr);
    controller_->setIntakeHandler(nullptr);
    controller_->setProgressHandler(nullptr);
    controller_->setHandOffFinishedHandler(nullptr);
}

QueueTableView* MainWindow::queueTable() const {
    return ui_->queueTable;
}

void MainWindow::setIcons() {
    ui_->addFilesAction->setIcon(QIcon::fromTheme(QStringLiteral("document-open")));
    ui_->addFolderAction->setIcon(QIcon::fromTheme(QStringLiteral("folder-open")));
    ui_->openLibraryFolderAction->setIcon(QIcon::fromTheme(QStringLiteral("folder-music")));
    ui_->startAction->setIcon(QIcon::fromTheme(QStringLiteral("media-playback-start")));
    ui_->fetchMetadataAction->setIcon(QIcon::fromTheme(QStringLiteral("download")));
    ui_->undoFetchMetadataAction->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo")));
    ui_->aboutAction->setIcon(QIcon::fromTheme(QStringLiteral("help-about")));
}

void MainWindow::connectFileCommands() {
    connect(ui_->addFilesAction, &QAction::triggered, this, &MainWindow::chooseFiles);
    connect(ui_->addFolderAction, &QAction::triggered, this, &MainWindow::chooseFolder);
    connect(ui_->openLibraryFolderAction, &QAction::triggered, this,
            &MainWindow::openLibraryFolder);
    connect(ui_->quitAction, &QAction::triggered, this, &MainWindow::quitRequested);
    connect(ui_->aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
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
    // Room for a typical file name, the longest status, "12 of 12", and
    // titles and names of usual length; the album takes what is left.
    const int character = queueTable()->fontMetrics().averageCharWidth();
    const QList<int> widths{30 * character, 11 * character, 10 * character, 24 * character,
                            22 * character};
    for (int column = 0; column < widths.size() && column < model_->columnCount(); ++column) {
        header->resizeSection(column, widths[column]);
    }
}

void MainWindow::updateCommands() {
    ui_->fetchMetadataAction->setEnabled(!stopping_ && model_->rowCount() > 0);
    ui_->undoFetchMetadataAction->setEnabled(!stopping_ && controller_->canUndoFetchMetadata());
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
    const FetchOutcome outcome = controller_->fetchMetadata();
    if (!outcome.text.isEmpty()) {
        statusBar_->showNotice(outcome.text);
    }
    updateCommands();
}

void MainWindow::undoFetchMetadata() {
    controller_->undoFetchMetadata();
    statusBar_->showNotice(tr("The tags from before the fetch are back."));
    updateCommands();
}

void MainWindow::runDidFinish() {
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
    return controller_->iTunes() ? controller_->iTunes()->location() : QString();
}

void MainWindow::openLibraryFolder() {
    const QString folder = libraryLocation();
    if (folder.isEmpty()) {
        statusBar_->showNotice(tr("The library does not say where it keeps its files."));
    } else if (!QFileInfo(folder).isDir()) {
        // Made by the first import, not by looking.
        statusBar_->showNotice(tr("The library's folder, %1, is made at the first import.")
                                   .arg(QDir::toNativeSeparators(folder)));
    } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        statusBar_->showNotice(
            tr("No application could open %1.").arg(QDir::toNativeSeparators(folder)));
    }
}

void MainWindow::showAbout() {
    AboutDialog(libraryLocation(), this).exec();
}

void MainWindow::chooseFiles() {
    const QStringList files = QFileDialog::getOpenFileNames(
        this, tr("Add Files"), QStandardPaths::writableLocation(QStandardPaths::MusicLocation),
        tr("FLAC files (*.flac *.FLAC *.Flac)"));
    QList<QByteArray> paths;
    for (const QString& file : files) {
        paths.append(QFile::encodeName(file));
    }
    if (!paths.isEmpty()) {
        emit pathsChosen(paths);
    }
}

void MainWindow::chooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("Add Folder"), QStandardPaths::writableLocation(QStandardPaths::MusicLocation));
    if (!folder.isEmpty()) {
        emit pathsChosen({QFile::encodeName(folder)});
    }
}

} // namespace decant
