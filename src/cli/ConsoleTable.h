#pragma once

#include "platform/TableView.h"

#include <QStringList>

#include <functional>

namespace decant {

class FilesController;

// The queue as a table of text. Nothing is drawn while the run goes on: each
// reload the controller asks for is passed on to `changed` (the progress
// report follows it), and the whole table is printed once at the end.
// Main thread only, as every table.
class ConsoleTable final : public TableView {
public:
    ConsoleTable(const FilesController& dataSource, std::function<void()> changed);

    void reloadData() override;
    void reloadCell(int row, int column) override;
    int columnWithIdentifier(const QString& identifier) const override;
    int numberOfRows() const override;

    // A heading, then one line per row, the columns aligned.
    QStringList lines() const;

private:
    const FilesController& dataSource_;
    std::function<void()> changed_;
};

} // namespace decant
