#pragma once

#include "platform/TableView.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace decant {

class FilesController;
class QueueTagEditor;

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
    // Through the tag editor, when one is set: a refused text changes
    // nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Makes the tag cells of rows not under way editable.
    void setTagEditor(QueueTagEditor* editor) { editor_ = editor; }
    QString columnIdentifier(int column) const { return columnIdentifiers_.value(column); }
    // Shows one more column of tags after the others, or no longer shows
    // one; the controller finds columns by identifier, so their order is
    // free.
    void addColumn(const QString& identifier, const QString& title);
    void removeColumn(const QString& identifier);

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
    // The cell as the table shows it: a status says how far its file has got.
    QString displayText(const QString& identifier, int row) const;
    FilesController& controller_;
    QStringList columnIdentifiers_;
    QStringList columnTitles_;
    int rows_ = 0;
    QueueTagEditor* editor_ = nullptr;
};

} // namespace decant
