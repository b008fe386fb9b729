#pragma once

#include <QObject>
#include <QStringList>

namespace decant {

class QueueTableModel;
class QueueTableView;

// Editing tags in the queue's table: F2 or a double click on a tag cell, a
// track or disc number refused in the cell unless it is a number, and the
// header's context menu adding or taking away columns of the tags the
// window's layout does not show (album artist, disc, year, genre,
// composer). Main thread.
class QueueTableEditing final : public QObject {
    Q_OBJECT

public:
    QueueTableEditing(QueueTableView& table, QueueTableModel& model);

private:
    void addColumnMenu();

    QueueTableView& table_;
    QueueTableModel& model_;
};

} // namespace decant
