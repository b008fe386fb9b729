#pragma once

#include "library/model/TrackRecord.h"

namespace TagLib {
class File;
class PropertyMap;
} // namespace TagLib

namespace decant::library {

// Puts the track's loudness into the file's tags where its players read it
// by property name: REPLAYGAIN_TRACK_GAIN, _PEAK and their album pairs in
// FLAC, Ogg Vorbis and MP3 (as TXXX frames), R128_TRACK_GAIN and
// R128_ALBUM_GAIN in Opus. Removes them for a loudness the track lacks.
void putLoudness(TagLib::PropertyMap& tags, const TagLib::File& file, const TrackRecord& record);

// Writes Sound Check's iTunNORM into an MP4 or MP3 file, where no property
// name reaches: the freeform "----:com.apple.iTunes:iTunNORM" item, or an
// ID3v2 comment described "iTunNORM". Removes it when the track has no
// loudness. Call after setting the file's properties, which would undo it.
void putSoundCheck(TagLib::File& file, const TrackRecord& record);

} // namespace decant::library
