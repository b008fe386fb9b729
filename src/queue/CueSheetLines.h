#pragma once

#include "queue/CueSheet.h"

#include <QString>

namespace decant {

// A sheet's text split between libcue and us. libcue refuses lower-case
// keywords and reads only the first word of an unquoted title, and it
// neither keeps CATALOG nor any REM but DATE, nor says a track's number; it
// also prints every character it cannot place on standard error. So lines
// are tidied before it sees them, those it would not keep are read here,
// and lines that are no sheet keyword at all are left out.
struct CueSheetLines {
    // For libcue: keywords in upper case, free text in quotes.
    QString libcueText;
    // Read here: catalog and remarks of the disc; one track per TRACK line,
    // with its number and remarks.
    CueSheet sheet;
};

CueSheetLines splitCueSheetLines(const QString& text);

// A value read from the sheet without its quotes and escapes.
QString unquotedCueValue(QString value);

} // namespace decant
