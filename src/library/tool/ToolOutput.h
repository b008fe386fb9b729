#pragma once

// What decant-library's commands share in what they print.
#include "library/model/Result.h"
#include "library/tool/LibraryTool.h"

#include <QString>
#include <QTextStream>

namespace decant::library {

// Says on `err` why the library could not be read; the exit status.
inline int cannotRead(const Error& error, QTextStream& err) {
    err << "decant-library: cannot read the library: " << error.message << '\n';
    return ToolLibraryFailed;
}

// "1 track", "3 tracks".
inline QString countOf(qsizetype count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace decant::library
