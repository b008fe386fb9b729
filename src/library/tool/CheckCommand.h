#pragma once

#include "library/check/DamagedFiles.h"

#include <QString>
#include <QTextStream>

namespace decant::library {

// decant-library check, and Check Library in the window: what it is asked.
struct CheckRequest {
    QString location; // the library folder
    bool verify = false;
    // Told as --verify decodes the files.
    CheckProgress progress;
};

// Finds what is wrong, changing nothing: the database itself first (SQLite's
// quick_check, its full integrity_check with --verify), then the tracks and
// files; the exit status (see ToolStatus).
int checkLibrary(const CheckRequest& request, QTextStream& out, QTextStream& err);

// Mends what check finds, saying what it did: a database that is damaged,
// or gone or empty beside media files, is set aside and restored from the
// newest backup or rebuilt from the files' own tags before anything else,
// and no file goes to the trash in the same run. The exit status.
int repairLibrary(const CheckRequest& request, QTextStream& out, QTextStream& err);

} // namespace decant::library
