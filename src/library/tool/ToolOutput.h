#pragma once

// What decant-library's commands share in what they print.
#include "library/model/Result.h"
#include "library/tool/LibraryTool.h"

#include <QCoreApplication>
#include <QString>
#include <QTextStream>

namespace decant::library {

// Says on `err` why the library could not be read; the exit status.
inline int cannotRead(const Error& error, QTextStream& err) {
    err << "decant-library: "
        << QCoreApplication::translate("decant-library", "cannot read the library: %1")
               .arg(error.message)
        << '\n';
    return ToolLibraryFailed;
}

} // namespace decant::library
