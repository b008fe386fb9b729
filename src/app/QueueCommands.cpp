#include "app/QueueCommands.h"

#include "app/ActionIcons.h"
#include "queue/FilesController.h"

#include <QAction>
#include <QIcon>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace decant {

QueueCommands::QueueCommands(FilesController& controller, QTableView& table, QAction& start,
                             QMenu& menu, QToolBar& toolBar, QObject* parent)
    : QObject(parent)
    , controller_(controller)
    , table_(table)
    , start_(start) {
    stop_ = makeAction(tr("S&top"), QStringLiteral("stopAction"),
                       QKeySequence(Qt::CTRL | Qt::Key_Period),
                       tr("Stop the run: files not yet in the library wait for the next Start"));
    stop_->setIcon(actionIcon(QStringLiteral("media-playback-stop")));
    remove_ = makeAction(tr("&Remove"), QStringLiteral("removeAction"),
                         QKeySequence(QKeySequence::Delete),
                         tr("Take the selected files out of the queue; the files stay"));
    remove_->setIcon(actionIcon(QStringLiteral("list-remove")));
    clearFinished_ = makeAction(tr("&Clear Finished"), QStringLiteral("clearFinishedAction"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K),
                                tr("Take the files already in the library out of the queue"));
    insertAfter(menu, stop_);
    menu.addSeparator();
    menu.addAction(remove_);
    menu.addAction(clearFinished_);
    placeRunButton(toolBar);

    table_.setContextMenuPolicy(Qt::ActionsContextMenu);
    table_.addAction(remove_);
    table_.addAction(clearFinished_);
    connect(remove_, &QAction::triggered, this, &QueueCommands::removeSelected);
    connect(clearFinished_, &QAction::triggered, this, &QueueCommands::clearFinished);
    connect(stop_, &QAction::triggered, this, &QueueCommands::stop);
    connect(table_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateRemove(); });
    update();
}

QAction* QueueCommands::makeAction(const QString& text, const QString& name,
                                   const QKeySequence& shortcut, const QString& toolTip) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setToolTip(toolTip);
    action->setStatusTip(toolTip);
    return action;
}

void QueueCommands::insertAfter(QWidget& widget, QAction* action) {
    const QList<QAction*> actions = widget.actions();
    const auto start = std::find(actions.begin(), actions.end(), &start_);
    QAction* before = start != actions.end() && start + 1 != actions.end() ? *(start + 1) : nullptr;
    widget.insertAction(before, action);
}

// One button in one place: Start, or Stop while there is a run to stop.
void QueueCommands::placeRunButton(QToolBar& toolBar) {
    runButton_ = new QToolButton(&toolBar);
    runButton_->setObjectName(QStringLiteral("runButton"));
    runButton_->setToolButtonStyle(toolBar.toolButtonStyle());
    runButton_->setIconSize(toolBar.iconSize());
    connect(&toolBar, &QToolBar::toolButtonStyleChanged, runButton_,
            &QToolButton::setToolButtonStyle);
    connect(&toolBar, &QToolBar::iconSizeChanged, runButton_, &QToolButton::setIconSize);
    runButton_->setDefaultAction(&start_);
    if (toolBar.actions().contains(&start_)) {
        toolBar.insertWidget(&start_, runButton_);
        toolBar.removeAction(&start_);
    } else {
        toolBar.addWidget(runButton_);
    }
}

void QueueCommands::update(bool quitting) {
    quitting_ = quitting_ || quitting;
    const bool running = controller_.isRunUnderWay();
    stop_->setEnabled(!quitting_ && running);
    updateRemove();
    bool anyDone = false;
    for (const auto& entry : controller_.files()) {
        anyDone = anyDone || entry->status() == QueueEntryStatusDone;
    }
    clearFinished_->setEnabled(!quitting_ && anyDone);
    if (QAction* shown = running ? stop_ : &start_; runButton_->defaultAction() != shown) {
        // A button holding two actions offers the other on a menu.
        runButton_->removeAction(runButton_->defaultAction());
        runButton_->setDefaultAction(shown);
    }
}

void QueueCommands::updateRemove() {
    const QList<int> rows = selectedRows();
    remove_->setEnabled(!quitting_ && std::any_of(rows.begin(), rows.end(), [this](int row) {
        return controller_.canRemoveRow(row);
    }));
}

QList<int> QueueCommands::selectedRows() const {
    QList<int> rows;
    if (const QItemSelectionModel* selection = table_.selectionModel()) {
        for (const QModelIndex& index : selection->selectedRows()) {
            rows.append(index.row());
        }
    }
    return rows;
}

void QueueCommands::removeSelected() {
    const int removed = controller_.removeRows(selectedRows());
    update();
    if (removed > 0) {
        emit rowsRemoved(removed);
    }
}

void QueueCommands::clearFinished() {
    const int removed = controller_.clearFinished();
    update();
    if (removed > 0) {
        emit rowsRemoved(removed);
    }
}

void QueueCommands::stop() {
    controller_.stopRun();
    stop_->setEnabled(false);
}

} // namespace decant
