#pragma once

#include "library/TrackRecord.h"

#include <QString>

namespace decant::library {

// Writes the track's properties into its media file's own tags, in the
// form each format's players read, and removes the managed tags whose
// property has no value. Tags the library does not manage (the encoder's
// name, say) are kept. False, with the reason, when the file cannot be
// opened or saved.
bool writeTags(const QString& path, const TrackRecord& record, QString* error);

} // namespace decant::library
