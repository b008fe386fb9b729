#include "app/LibraryWindow.h"

#include "app/LibraryCheckDialog.h"
#include "app/LibraryCovers.h"
#include "app/LibraryTableModel.h"
#include "platform/FileManager.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTableView>
#include <QThreadPool>
#include <QUrl>
#include <QVBoxLayout>

namespace decant {

LibraryWindow::LibraryWindow(LibraryCatalogue catalogue, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , catalogue_(std::move(catalogue)) {
    setWindowTitle(tr("Library"));
    setObjectName(QStringLiteral("libraryWindow"));
    model_ = new LibraryTableModel(this);
    const int rowHeight = fontMetrics().height() + 6;
    auto* covers = new LibraryCovers(catalogue_, rowHeight - 4, this);
    model_->setCovers(covers);
    filter_ = new LibraryFilter(this);
    filter_->setSourceModel(model_);

    search_ = new QLineEdit(this);
    search_->setPlaceholderText(tr("Search names, artists and albums"));
    search_->setAccessibleName(tr("Search the library"));
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_->setSearchText(text);
        showCount();
    });

    table_ = new QTableView(this);
    table_->setAccessibleName(tr("Library tracks"));
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // One line to a track: the table holds tens of thousands.
    table_->verticalHeader()->setDefaultSectionSize(rowHeight);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fitColumns();
    // Not dataChanged: over tens of thousands of rows the filter would look
    // at every one again for each screenful of pictures.
    connect(covers, &LibraryCovers::picturesRead, table_->viewport(),
            qOverload<>(&QWidget::update));
    table_->sortByColumn(LibraryTableModel::Artist, Qt::AscendingOrder);

    status_ = new QLabel(this);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(search_);
    layout->addWidget(table_);
    layout->addWidget(status_);
    setCentralWidget(content);
    buildActions();
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &LibraryWindow::updateActions);
    resize(fontMetrics().averageCharWidth() * 165, fontMetrics().height() * 32);
    reload();
}

LibraryWindow::~LibraryWindow() = default;

void LibraryWindow::buildActions() {
    QMenu* library = menuBar()->addMenu(tr("&Library"));
    check_ = library->addAction(tr("&Check Library…"), this, &LibraryWindow::checkLibrary);
    check_->setObjectName(QStringLiteral("checkLibraryAction"));
    check_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    QMenu* menu = menuBar()->addMenu(tr("&Track"));
    show_ = menu->addAction(tr("&Show in File Manager"), this, &LibraryWindow::showInFileManager);
    show_->setObjectName(QStringLiteral("showInFileManagerAction"));
    show_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    trash_ = menu->addAction(tr("Move to &Trash…"), this, &LibraryWindow::moveToTrash);
    trash_->setObjectName(QStringLiteral("moveToTrashAction"));
    trash_->setShortcut(QKeySequence(QKeySequence::Delete));
    menu->addSeparator();
    QAction* find = menu->addAction(tr("&Find"), this, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    find->setShortcut(QKeySequence(QKeySequence::Find));
    QAction* refresh = menu->addAction(tr("&Reload"), this, &LibraryWindow::reload);
    refresh->setShortcut(QKeySequence(QKeySequence::Refresh));
    QAction* close = menu->addAction(tr("&Close"), this, &QWidget::close);
    close->setShortcut(QKeySequence(QKeySequence::Close));
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    table_->addActions({show_, trash_});
    updateActions();
}

void LibraryWindow::reload() {
    if (loading_) {
        readAgain_ = true;
        return;
    }
    loading_ = true;
    if (model_->rowCount() == 0) {
        status_->setText(tr("Reading the library…"));
    }
    // The catalogue is a value: the read owns its copy. The read ends before
    // the window is gone (reader_ waits for it), and its answer, queued to
    // the window, is dropped with it.
    reader_.start([catalogue = catalogue_, this] {
        CatalogueReading reading = catalogue.read();
        QMetaObject::invokeMethod(
            this, [this, reading = std::move(reading)] { showReading(reading); },
            Qt::QueuedConnection);
    });
}

void LibraryWindow::showReading(const CatalogueReading& reading) {
    loading_ = false;
    if (!reading.exists) {
        status_->setText(tr("There is no library yet at %1: the first import makes it.")
                             .arg(QDir::toNativeSeparators(catalogue_.location())));
    } else if (!reading.problem.isEmpty()) {
        status_->setText(tr("The library cannot be read now: %1").arg(reading.problem));
    }
    if (reading.problem.isEmpty()) {
        model_->setTracks(reading.tracks);
    }
    if (reading.exists && reading.problem.isEmpty()) {
        showCount();
    }
    updateActions();
    emit loaded();
    if (std::exchange(readAgain_, false)) {
        reload();
    }
}

void LibraryWindow::fitColumns() {
    // Names and titles of usual length; the proof takes what is left.
    const int character = fontMetrics().averageCharWidth();
    table_->horizontalHeader()->resizeSection(LibraryTableModel::Cover,
                                              table_->verticalHeader()->defaultSectionSize() + 4);
    const int widths[] = {30, 22, 22, 7, 6, 8, 20, 12};
    for (int column = 0; column < int(std::size(widths)); ++column) {
        table_->horizontalHeader()->resizeSection(LibraryTableModel::Name + column,
                                                  widths[column] * character);
    }
}

void LibraryWindow::showCount() {
    const int all = model_->rowCount();
    const int shown = filter_->rowCount();
    status_->setText(shown == all ? tr("%n track(s)", nullptr, all)
                                  : tr("%1 of %n track(s)", nullptr, all).arg(shown));
}

QString LibraryWindow::statusText() const {
    return status_->text();
}

const CatalogueTrack* LibraryWindow::selectedTrack() const {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : model_->trackAt(filter_->mapToSource(rows.first()).row());
}

void LibraryWindow::updateActions() {
    const bool selected = selectedTrack() != nullptr;
    show_->setEnabled(selected);
    trash_->setEnabled(selected);
}

void LibraryWindow::showInFileManager() {
    const CatalogueTrack* track = selectedTrack();
    if (!track || showItemInFileManager(track->file)) {
        return;
    }
    const QString folder = QFileInfo(track->file).path();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        status_->setText(tr("No application could open %1.").arg(QDir::toNativeSeparators(folder)));
    }
}

LibraryCheckDialog* LibraryWindow::checkDialog() const {
    return checkDialog_;
}

void LibraryWindow::checkLibrary() {
    if (checkDialog_) {
        checkDialog_->raise();
        checkDialog_->activateWindow();
        return;
    }
    checkDialog_ = new LibraryCheckDialog(LibraryInspection(catalogue_.location()), this);
    checkDialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(checkDialog_, &LibraryCheckDialog::libraryChanged, this, &LibraryWindow::reload);
    checkDialog_->show();
    checkDialog_->startCheck();
}

void LibraryWindow::moveToTrash() {
    const CatalogueTrack* track = selectedTrack();
    if (!track) {
        return;
    }
    const QString title = track->name.isEmpty() ? QFileInfo(track->file).fileName() : track->name;
    const qint64 id = track->id;
    const auto answer = QMessageBox::question(
        this, tr("Move to Trash"),
        tr("Remove “%1” from the library and move its file to the trash?").arg(title),
        QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Yes) {
        return;
    }
    const QString problem = catalogue_.moveToTrash(id);
    reload();
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, tr("Move to Trash"), problem);
    }
}

} // namespace decant
