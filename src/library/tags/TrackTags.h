#pragma once

#include "library/model/TrackRecord.h"

namespace TagLib {
class File;
} // namespace TagLib

namespace decant::library {

// Puts the track's properties into the open file's tags, in the form each
// format's players read, with its loudness as Sound Check and ReplayGain
// tags (see SoundCheckTags.h) and its provenance (see Provenance.h), and
// removes the managed tags whose property has no value. Tags the library
// does not manage (the encoder's name, say) are kept. Changes the file in
// memory only: the caller saves it.
void putTrackTags(TagLib::File& file, const TrackRecord& record);

} // namespace decant::library
