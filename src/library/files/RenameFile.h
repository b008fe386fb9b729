#pragma once

#include <QString>

namespace decant::library {

// Gives `from` the name `to` in one step. Without `replace`, fails with
// EEXIST in errno when `to` is taken, never replacing it.
bool renameFile(const QString& from, const QString& to, bool replace);

} // namespace decant::library
