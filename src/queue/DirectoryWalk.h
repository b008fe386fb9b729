#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace decant {

// True when `left` comes before `right` in natural name order, as file
// managers sort: runs of digits by their value ("2 - b" before "10 - c"),
// other text without regard to case, in the user's locale.
bool isNaturallyBefore(const QString& left, const QString& right);

// Calls `visitFile` with the path of every item below `folder` that is not a
// folder, at every depth, depth-first, each folder in natural name order.
// Hidden items (names beginning with ".") are skipped, hidden folders with
// all they hold; symbolic links are items, never followed; FIFOs, sockets,
// devices and broken links are skipped; unreadable folders are passed over.
void walkFolder(const QString& folder, const std::function<void(const QString&)>& visitFile);

} // namespace decant
