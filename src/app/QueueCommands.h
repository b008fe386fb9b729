#pragma once

#include <QObject>

class QAction;
class QMenu;
class QTableView;
class QToolBar;
class QToolButton;
class QWidget;

namespace decant {

class FilesController;

// Queue > Remove, Clear Finished and Stop, on the Queue menu, the table's
// context menu and, for Stop, the toolbar, where it stands in for Start
// while a run is under way. Removing takes rows out of the queue and never
// touches their files. Main thread only.
class QueueCommands final : public QObject {
    Q_OBJECT

public:
    QueueCommands(FilesController& controller, QTableView& table, QAction& start, QMenu& menu,
                  QToolBar& toolBar, QObject* parent = nullptr);

    // Offers each command only where it can act; none once the application
    // is quitting.
    void update(bool quitting = false);
    // Only Remove, as the selected rows' statuses change: cheap enough for
    // every redrawn cell.
    void updateRemove();

    QAction* removeAction() const { return remove_; }
    QAction* clearFinishedAction() const { return clearFinished_; }
    QAction* stopAction() const { return stop_; }

signals:
    // Rows left the queue.
    void rowsRemoved(int count);

private:
    QAction* makeAction(const QString& text, const QString& name, const QKeySequence& shortcut,
                        const QString& toolTip);
    void insertAfter(QWidget& widget, QAction* action);
    void placeRunButton(QToolBar& toolBar);
    QList<int> selectedRows() const;
    void removeSelected();
    void clearFinished();
    void stop();

    FilesController& controller_;
    QTableView& table_;
    QAction& start_;
    QAction* remove_ = nullptr;
    QAction* clearFinished_ = nullptr;
    QAction* stop_ = nullptr;
    QToolButton* runButton_ = nullptr; // owned by the toolbar
    bool quitting_ = false;
};

} // namespace decant
