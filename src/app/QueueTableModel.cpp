#include "app/QueueTableModel.h"

#include "queue/FilesController.h"

#include <QMimeData>

namespace decant {

QueueTableModel::QueueTableModel(FilesController& controller, QStringList columnIdentifiers,
                                 QStringList columnTitles, QObject* parent)
    : QAbstractTableModel(parent)
    , controller_(controller)
    , columnIdentifiers_(std::move(columnIdentifiers))
    , columnTitles_(std::move(columnTitles)) {}

int QueueTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : controller_.numberOfRowsInTableView();
}

int QueueTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columnIdentifiers_.size());
}

QVariant QueueTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    if (!index.isValid() || index.column() >= columnIdentifiers_.size()) {
        return {};
    }
    const QString cell = controller_.tableViewObjectValueForTableColumnRow(
        columnIdentifiers_.at(index.column()), index.row());
    if (role == Qt::ToolTipRole) {
        const QString verified = controller_.tableViewObjectValueForTableColumnRow(
            QStringLiteral("verified"), index.row());
        if (!verified.isEmpty()) {
            return QStringLiteral("%1\nVerified: %2").arg(cell, verified);
        }
    }
    return cell;
}

QVariant QueueTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnIdentifiers_.size()) {
        return {};
    }
    return section < columnTitles_.size() ? columnTitles_.at(section)
                                          : columnIdentifiers_.at(section);
}

Qt::ItemFlags QueueTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsDropEnabled;
}

QStringList QueueTableModel::mimeTypes() const {
    return {QStringLiteral("text/uri-list")};
}

Qt::DropActions QueueTableModel::supportedDropActions() const {
    // File managers offer copy, move or link; the files stay where they are
    // whichever is chosen.
    return Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
}

bool QueueTableModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                      const QModelIndex&) const {
    return data != nullptr && data->hasUrls();
}

bool QueueTableModel::dropMimeData(const QMimeData* data, Qt::DropAction, int row, int,
                                   const QModelIndex& parent) {
    if (data == nullptr) {
        return false;
    }
    const DropOperation operation = parent.isValid() ? DropOperation::On : DropOperation::Above;
    return controller_.tableViewAcceptDropRowDropOperation(
        data->urls(), parent.isValid() ? parent.row() : row, operation);
}

DropTarget QueueTableModel::dropTarget(int row, DropOperation operation) const {
    return controller_.tableViewValidateDropProposedRowProposedDropOperation(row, operation);
}

void QueueTableModel::reloadData() {
    beginResetModel();
    endResetModel();
}

void QueueTableModel::reloadCell(int row, int column) {
    const QModelIndex cell = index(row, column);
    if (cell.isValid()) {
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

int QueueTableModel::columnWithIdentifier(const QString& identifier) const {
    return int(columnIdentifiers_.indexOf(identifier));
}

} // namespace decant
