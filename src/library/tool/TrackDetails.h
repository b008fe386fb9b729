#pragma once

#include <QList>
#include <QTextStream>

namespace decant::library {

class Library;

// decant-library show: every property the tracks with these IDs hold, one
// "property: value" line each, several values of one field joined by "; ".
// The exit status: ToolLibraryFailed when the library cannot be read or an
// ID names no track.
int printTrackDetails(const Library& library, const QList<qint64>& trackIds, QTextStream& out,
                      QTextStream& err);

} // namespace decant::library
