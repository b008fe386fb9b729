#pragma once

#include "library/model/TrackRecord.h"

namespace TagLib {
class File;
} // namespace TagLib

namespace decant::library {

// Writes what TagLib's property names miss the way taggers such as Picard
// write it: MP4 has no name for the AcoustID or the arranger, which go in
// freeform atoms; ID3v2 gets MusicBrainz's user text frames under the
// mixed-case descriptions Picard gives them rather than TagLib's upper
// case, and the disc subtitle in its own frame (TSST). Call after the properties are set; changes
// the file in memory only.
void fillTagLibGaps(TagLib::File& file, const TrackRecord& record);

// Reads back what fillTagLibGaps wrote where TagLib's properties do not
// reach it (the MP4 freeform atoms, TSST) into the record.
void readTagLibGaps(TagLib::File& file, TrackRecord& record);

} // namespace decant::library
