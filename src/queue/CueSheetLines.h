#pragma once

#include "queue/CueSheet.h"

#include <QString>

namespace decant {

// A sheet's text split between libcue and us. libcue refuses lower-case
// keywords and reads only the first word of an unquoted title, and it
// neither keeps CATALOG nor any REM but DATE, nor says a track's number,
// and drops an ISRC written in quotes; it
// also prints every character it cannot place on standard error. So lines
// are tidied before it sees them, those it would not keep are read here,
// and lines that are no sheet keyword at all are left out.
struct CueSheetLines {
    // For libcue: keywords in upper case, free text in quotes.
    QString libcueText;
    // Read here: catalog and remarks of the disc; one track per TRACK line,
    // with its number, ISRC and remarks.
    CueSheet sheet;
    // Why libcue is not to be given the sheet at all: a track without an
    // INDEX, or a TRACK line it would refuse. Empty when it may.
    QString refusal;
};

CueSheetLines splitCueSheetLines(const QString& text);

// A value read from the sheet without its quotes and escapes.
QString unquotedCueValue(QString value);

// A value libcue gives back, as the sheet wrote it.
QString restoredCueValue(const char* value);

} // namespace decant
