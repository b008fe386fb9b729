#pragma once

#include "platform/TableView.h"

#include <QList>
#include <QPair>
#include <QStringList>

namespace decant::test {

// A table that counts what it is asked to redraw.
class FakeTableView final : public TableView {
public:
    explicit FakeTableView(QStringList columns = {QStringLiteral("path"), QStringLiteral("status"),
                                                  QStringLiteral("tracknumber")});

    void reloadData() override { ++fullReloads; }
    void reloadCell(int row, int column) override { reloadedCells.append({row, column}); }
    int columnWithIdentifier(const QString& identifier) const override;
    int numberOfRows() const override { return rows; }

    QStringList columns;
    int rows = 0;
    int fullReloads = 0;
    QList<QPair<int, int>> reloadedCells;
};

} // namespace decant::test
