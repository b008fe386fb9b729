#pragma once

#include "library/model/TrackRecord.h"

#include <QString>

namespace TagLib {
class File;
class PropertyMap;
} // namespace TagLib

namespace decant::library {

// Puts the record's provenance (see Provenance.h) into the tags of formats
// whose property names reach any field: a Vorbis comment in FLAC and Opus,
// a TXXX frame in MP3 and WAV. Nothing for MP4: see putMp4Provenance.
void putProvenance(TagLib::PropertyMap& tags, const TagLib::File& file, const TrackRecord& record);

// Puts it into an MP4 file as the freeform item, where no property name
// reaches. Call after setting the file's properties.
void putMp4Provenance(TagLib::File& file, const TrackRecord& record);

// The tag's value in the open file; empty when it has none.
QString provenanceIn(const TagLib::File& file);

} // namespace decant::library
