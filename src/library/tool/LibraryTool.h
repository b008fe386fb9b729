#pragma once

#include <QStringList>
#include <QTextStream>

namespace decant::library {

// Exit statuses of decant-library.
enum ToolStatus : int {
    ToolSucceeded = 0,
    ToolLibraryFailed = 1, // the library could not be read or changed
    ToolUsageError = 2,    // bad arguments
    ToolProblemsFound = 3, // check found problems (with --repair: some it could not mend)
};

// Runs decant-library with these arguments (the program's name first),
// writing results to `out` and messages to `err`; the exit status.
int runLibraryTool(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace decant::library
