#pragma once

#include <QList>
#include <QTextStream>

namespace decant::library {

class Library;

// decant-library's commands that change which files a library holds and
// where. Each says on `out` what it did, one sentence a file, and on `err`
// what it could not do; true when it did all that was asked.

// Removes the tracks, moving their files to the desktop's trash.
bool removeTracks(Library& library, const QList<qint64>& trackIds, QTextStream& out,
                  QTextStream& err);

// Moves every track's file to where its tags say it belongs.
bool organiseFiles(Library& library, QTextStream& out, QTextStream& err);

} // namespace decant::library
