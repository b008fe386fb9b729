#include "FakeTableView.h"

namespace decant::test {

FakeTableView::FakeTableView(QStringList columns)
    : columns(std::move(columns)) {}

int FakeTableView::columnWithIdentifier(const QString& identifier) const {
    return int(columns.indexOf(identifier));
}

} // namespace decant::test
