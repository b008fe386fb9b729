#include "app/QueueTableModel.h"

#include "queue/FilesController.h"
#include "queue/QueueTagEditor.h"

#include <QMimeData>

namespace decant {

QueueTableModel::QueueTableModel(FilesController& controller, QStringList columnIdentifiers,
                                 QStringList columnTitles, QObject* parent)
    : QAbstractTableModel(parent)
    , controller_(controller)
    , columnIdentifiers_(std::move(columnIdentifiers))
    , columnTitles_(std::move(columnTitles))
    , rows_(controller_.numberOfRowsInTableView()) {}

int QueueTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int QueueTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columnIdentifiers_.size());
}

QVariant QueueTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columnIdentifiers_.size()) {
        return {};
    }
    const QString& identifier = columnIdentifiers_.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return displayText(identifier, index.row());
    case Qt::EditRole:
        return editor_ ? editor_->editedText(index.row(), identifier) : QString();
    case Qt::ToolTipRole:
        return controller_.tableViewToolTipForTableColumnRow(identifier, index.row());
    case Qt::AccessibleDescriptionRole: {
        // A screen reader reads what the pointer would show (the whole path,
        // a failed file's reason), but not the cell's text a second time.
        const QString tip = controller_.tableViewToolTipForTableColumnRow(identifier, index.row());
        return tip == displayText(identifier, index.row()) ? QVariant() : QVariant(tip);
    }
    default:
        return {};
    }
}

QString QueueTableModel::displayText(const QString& identifier, int row) const {
    const QString text = controller_.tableViewObjectValueForTableColumnRow(identifier, row);
    if (identifier != QLatin1String("status")) {
        return text;
    }
    // A batch is with the library for as long as it takes to encode it all:
    // each row says how far its own file has got.
    switch (controller_.handOffStageOfRow(row)) {
    case FilesController::HandOffStage::Converting:
        return tr("%1 · converting").arg(text);
    case FilesController::HandOffStage::Proved:
        return tr("%1 · proved").arg(text);
    case FilesController::HandOffStage::None:
        break;
    }
    return text;
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
    Qt::ItemFlags flags = QAbstractTableModel::flags(index) | Qt::ItemIsDropEnabled;
    if (editor_ && index.isValid() &&
        !QueueTagEditor::editableField(columnIdentifier(index.column())).isEmpty() &&
        editor_->canEdit(index.row())) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

void QueueTableModel::addColumn(const QString& identifier, const QString& title) {
    if (columnIdentifiers_.contains(identifier)) {
        return;
    }
    const int column = int(columnIdentifiers_.size());
    beginInsertColumns({}, column, column);
    columnIdentifiers_.append(identifier);
    // Titles may be fewer than identifiers: those without one show theirs.
    while (columnTitles_.size() < column) {
        columnTitles_.append(columnIdentifiers_.at(columnTitles_.size()));
    }
    columnTitles_.append(title);
    endInsertColumns();
}

void QueueTableModel::removeColumn(const QString& identifier) {
    const int column = int(columnIdentifiers_.indexOf(identifier));
    if (column < 0) {
        return;
    }
    beginRemoveColumns({}, column, column);
    columnIdentifiers_.removeAt(column);
    if (column < columnTitles_.size()) {
        columnTitles_.removeAt(column);
    }
    endRemoveColumns();
}

bool QueueTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !editor_ || !index.isValid() ||
        !editor_->edit(index.row(), columnIdentifier(index.column()), value.toString())) {
        return false;
    }
    // The track column shows the total beside the number.
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
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
    rows_ = controller_.numberOfRowsInTableView();
    endResetModel();
}

void QueueTableModel::reloadAppendedRows() {
    const int rows = controller_.numberOfRowsInTableView();
    if (rows <= rows_) {
        return;
    }
    beginInsertRows({}, rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
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
