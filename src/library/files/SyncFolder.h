#pragma once

#include <QString>

namespace decant::library {

// Makes the folder's entries durable: a rename is only safe from a power cut
// once its folder is synced.
bool syncFolder(const QString& folder);

} // namespace decant::library
