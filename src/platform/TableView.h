#pragma once

#include <QString>

namespace decant {

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
    // Index of the column with this identifier (exact, case-sensitive), or -1.
    virtual int columnWithIdentifier(const QString& identifier) const = 0;
    virtual int numberOfRows() const = 0;
};

} // namespace decant
