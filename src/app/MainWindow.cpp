#include "app/MainWindow.h"

#include "app/ActionControl.h"
#include "app/PromptDialog.h"
#include "app/QueueStatusBar.h"
#include "app/QueueTableModel.h"
#include "app/QueueTableView.h"
#include "app/WindowBadge.h"
#include "queue/FilesController.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QMap>
#include <QStandardPaths>
#include <QStatusBar>

namespace decant {

MainWindow::MainWindow(std::shared_ptr<FilesController> controller, QWidget* parent)
    : QMainWindow(parent)
    , ui_(std::make_unique<Ui::MainWindow>())
    , controller_(std::move(controller)) {
    ui_->setupUi(this);
    ui_->addFilesAction->setIcon(QIcon::fromTheme(QStringLiteral("document-open")));
    ui_->addFolderAction->setIcon(QIcon::fromTheme(QStringLiteral("folder-open")));
    ui_->startAction->setIcon(QIcon::fromTheme(QStringLiteral("media-playback-start")));
    ui_->fetchMetadataAction->setIcon(QIcon::fromTheme(QStringLiteral("download")));

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
    connectCommands();
}

MainWindow::~MainWindow() {
    controller_->setTableView(nullptr);
    controller_->setBadge(nullptr);
    controller_->setPrompt(nullptr);
    controller_->setIntakeHandler(nullptr);
}

QueueTableView* MainWindow::queueTable() const {
    return ui_->queueTable;
}

void MainWindow::connectCommands() {
    connect(ui_->addFilesAction, &QAction::triggered, this, &MainWindow::chooseFiles);
    connect(ui_->addFolderAction, &QAction::triggered, this, &MainWindow::chooseFolder);
    connect(ui_->quitAction, &QAction::triggered, this, &MainWindow::quitRequested);
    connect(ui_->startAction, &QAction::triggered, this,
            [this] { controller_->startDecoding(startControl_); });
    controller_->setPrompt(std::make_shared<PromptDialog>(this));
    ui_->fetchMetadataAction->setEnabled(true);
    connect(ui_->fetchMetadataAction, &QAction::triggered, this,
            [this] { controller_->fetchMetadata(); });
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

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit quitRequested();
}

void MainWindow::showStopping() {
    for (QAction* command :
         {ui_->addFilesAction, ui_->addFolderAction, ui_->startAction, ui_->fetchMetadataAction}) {
        command->setEnabled(false);
    }
    queueTable()->setAcceptDrops(false);
    statusBar()->showMessage(tr("Stopping…"));
}

void MainWindow::connectQueueChanges() {
    const auto changed = [this] { statusBar_->queueChanged(); };
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
    controller_->setIntakeHandler(changed);
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
