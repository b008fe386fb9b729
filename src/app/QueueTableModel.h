#pragma once

#include "platform/TableView.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace decant {

class FilesController;

// Shows the controller's queue in a QTableView. The controller is the data
// source: this model only asks it, by column identifier, for each cell's
// text, and hands it the files dropped on the table. It keeps the row count
// the views were last told, since a view must hear of new rows as they
// arrive, not find them. Main thread only.
class QueueTableModel final : public QAbstractTableModel, public TableView {
    Q_OBJECT

public:
    QueueTableModel(FilesController& controller, QStringList columnIdentifiers,
                    QStringList columnTitles, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    // Where a drop proposed at `row` (on it, or above it) really lands.
    DropTarget dropTarget(int row, DropOperation operation) const;

    // TableView
    void reloadData() override;
    void reloadCell(int row, int column) override;
    void reloadAppendedRows() override;
    int columnWithIdentifier(const QString& identifier) const override;
    int numberOfRows() const override { return rowCount(); }

private:
    FilesController& controller_;
    const QStringList columnIdentifiers_;
    const QStringList columnTitles_;
    int rows_ = 0;
};

} // namespace decant
