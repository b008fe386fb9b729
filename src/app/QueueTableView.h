#pragma once

#include <QStringList>
#include <QTableView>

namespace decant {

class QueueTableModel;

// The queue's table. Its columns are named by identifiers set in the
// window's layout; a drop always shows as an insertion after the last row,
// where new files go; an empty queue shows a hint.
class QueueTableView final : public QTableView {
    Q_OBJECT
    Q_PROPERTY(QStringList columnIdentifiers MEMBER columnIdentifiers_)
    Q_PROPERTY(QStringList columnTitles MEMBER columnTitles_)
    Q_PROPERTY(QString emptyText MEMBER emptyText_)

public:
    explicit QueueTableView(QWidget* parent = nullptr);

    QStringList columnIdentifiers() const { return columnIdentifiers_; }
    QStringList columnTitles() const { return columnTitles_; }
    void setQueueModel(QueueTableModel* model);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void paintInsertionLine(QPainter& painter) const;
    void paintEmptyText(QPainter& painter) const;

    QStringList columnIdentifiers_;
    QStringList columnTitles_;
    QString emptyText_;
    QueueTableModel* queueModel_ = nullptr;
    // The row a drop in progress would land before, or -1.
    int insertionRow_ = -1;
};

} // namespace decant
