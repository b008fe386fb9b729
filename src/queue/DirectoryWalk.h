#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace decant {

// True when `left` comes before `right` in natural name order, as file
// managers sort: runs of digits by their value ("2 - b" before "10 - c"),
// other text without regard to case, in the user's locale.
bool isNaturallyBefore(const QString& left, const QString& right);

// What a walk looks for, and where it reports what it finds. Paths are the
// folder's path joined with the names as the file system has them (bytes).
struct FolderWalk {
    // Whether an item's name is one the walk looks for.
    std::function<bool(const QByteArray& name)> wanted;
    // A wanted item that is a file, or a link (never followed) to a file or
    // a folder.
    std::function<void(const QByteArray& path)> visitFile;
    // An item passed over, with why: a folder that cannot be read, an item
    // that cannot be examined, or a wanted item that is no file.
    std::function<void(const QByteArray& path, const QString& reason)> skip;
    // Asked before each item; once it holds, the walk ends. None: never.
    std::function<bool()> cancelled;
};

// Walks every item below `folder` (a link to a folder is followed here, at
// the top, and nowhere else), at every depth, depth-first, each folder in
// natural name order of its names shown as text, ties in byte order.
// Hidden items (names beginning with ".") are left out, hidden folders with
// all they hold, and so are unwanted names; FIFOs, sockets, devices and
// broken links are skipped.
void walkFolder(const QByteArray& folder, const FolderWalk& walk);

} // namespace decant
