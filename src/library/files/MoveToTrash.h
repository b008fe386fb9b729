#pragma once

#include <QString>

namespace decant::library {

// Moves the file to the desktop's trash, as file managers do; false, with
// the system's reason, when it cannot go there.
bool moveToTrash(const QString& path, QString* error);

} // namespace decant::library
