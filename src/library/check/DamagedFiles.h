#pragma once

#include "library/check/LibraryCheck.h"

#include <QList>

namespace decant::library {

class Library;

// Decodes every verified track's file again and compares it with what its
// import proved: a problem for each that no longer matches, a check for bit
// rot. Reads every file whole, as many at once as there are processors. The
// reason when the library cannot be read.
Result<QList<LibraryProblem>> findDamagedFiles(const Library& library);

} // namespace decant::library
