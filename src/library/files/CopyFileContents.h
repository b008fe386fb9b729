#pragma once

#include <QString>

namespace decant::library {

// Copies the bytes and permissions of `from` into the existing file `to`.
bool copyFileContents(const QString& from, const QString& to);

} // namespace decant::library
