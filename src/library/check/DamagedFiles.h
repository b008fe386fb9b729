#pragma once

#include "library/check/LibraryCheck.h"

#include <QList>

#include <functional>

namespace decant::library {

class Library;

// Told, on a thread of the check's, each time a file has been decoded:
// how many of how many tracks are done. False stops the check.
using CheckProgress = std::function<bool(qsizetype done, qsizetype total)>;

// Decodes every verified track's file again and compares it with what its
// import proved: a problem for each that no longer matches, a check for bit
// rot. Reads every file whole, as many at once as there are processors. The
// reason when the library cannot be read, or when `progress` stopped it.
Result<QList<LibraryProblem>> findDamagedFiles(const Library& library,
                                               const CheckProgress& progress = {});

} // namespace decant::library
