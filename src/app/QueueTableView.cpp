#include "app/QueueTableView.h"

#include "app/QueueTableModel.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>

namespace decant {

QueueTableView::QueueTableView(QWidget* parent)
    : QTableView(parent) {
    // The indicator is drawn here, where the drop really lands.
    setDropIndicatorShown(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
}

void QueueTableView::setQueueModel(QueueTableModel* model) {
    queueModel_ = model;
    setModel(model);
}

void QueueTableView::dragEnterEvent(QDragEnterEvent* event) {
    if (queueModel_ == nullptr || !event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void QueueTableView::dragMoveEvent(QDragMoveEvent* event) {
    if (queueModel_ == nullptr || !event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    const QModelIndex under = indexAt(event->position().toPoint());
    const DropTarget target =
        queueModel_->dropTarget(under.isValid() ? under.row() : queueModel_->rowCount(),
                                under.isValid() ? DropOperation::On : DropOperation::Above);
    if (target.dragOperation == DragOperation::None) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (insertionRow_ != target.row) {
        insertionRow_ = target.row;
        viewport()->update();
    }
}

void QueueTableView::dragLeaveEvent(QDragLeaveEvent* event) {
    insertionRow_ = -1;
    viewport()->update();
    QTableView::dragLeaveEvent(event);
}

void QueueTableView::dropEvent(QDropEvent* event) {
    const int row = insertionRow_;
    insertionRow_ = -1;
    viewport()->update();
    if (queueModel_ != nullptr &&
        queueModel_->dropMimeData(event->mimeData(), event->dropAction(),
                                  row >= 0 ? row : queueModel_->rowCount(), 0, {})) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void QueueTableView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    QPainter painter(viewport());
    if (model() != nullptr && model()->rowCount() == 0 && insertionRow_ < 0) {
        paintEmptyText(painter);
    }
    if (insertionRow_ >= 0) {
        paintInsertionLine(painter);
    }
}

void QueueTableView::paintInsertionLine(QPainter& painter) const {
    const int lastRow = insertionRow_ - 1;
    const int y = lastRow >= 0 ? rowViewportPosition(lastRow) + rowHeight(lastRow) : 0;
    painter.setPen(QPen(palette().highlight(), 2));
    painter.drawLine(0, std::max(1, y), viewport()->width(), std::max(1, y));
}

void QueueTableView::paintEmptyText(QPainter& painter) const {
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(viewport()->rect(), Qt::AlignCenter, emptyText_);
}

} // namespace decant
