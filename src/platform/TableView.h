#pragma once

#include <QString>

namespace decant {

// Where a drop lands: on a row, or in the gap above it.
enum class DropOperation { On, Above };
// What a drag may do where it is: nothing, or what the target chooses.
enum class DragOperation { None, Generic };

struct DropTarget {
    int row = 0;
    DropOperation dropOperation = DropOperation::Above;
    DragOperation dragOperation = DragOperation::None;
};

// What the queue controller needs of the table that shows the queue. The
// window adapts a QTableView to it; tests and the command line use their own.
// Every call comes on the main thread.
class TableView {
public:
    virtual ~TableView() = default;

    // Asks the data source again for every row and cell.
    virtual void reloadData() = 0;
    // Asks the data source again for one cell.
    virtual void reloadCell(int row, int column) = 0;
    // Rows were added after the last one: the table shows them and keeps its
    // selection and scroll position, where it can.
    virtual void reloadAppendedRows() { reloadData(); }
    // Index of the column with this identifier (exact, case-sensitive), or -1.
    virtual int columnWithIdentifier(const QString& identifier) const = 0;
    virtual int numberOfRows() const = 0;
};

} // namespace decant
