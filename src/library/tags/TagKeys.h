#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace decant::library {

// A text property and TagLib's name for its field, which TagLib turns into
// each format's own: "LABEL" is TPUB in ID3v2, a freeform LABEL atom in MP4
// and a LABEL comment in Vorbis comments. putTrackTags writes under these
// names and readMediaFile reads them back.
struct TagKey {
    const char* property;
    const char* key;
};

inline constexpr std::array textTagKeys{
    TagKey{"name", "TITLE"},
    TagKey{"artist", "ARTIST"},
    TagKey{"albumArtist", "ALBUMARTIST"},
    TagKey{"album", "ALBUM"},
    TagKey{"composer", "COMPOSER"},
    TagKey{"genre", "GENRE"},
    TagKey{"comment", "COMMENT"},
    TagKey{"grouping", "GROUPING"},
    TagKey{"lyrics", "LYRICS"},
    TagKey{"sortName", "TITLESORT"},
    TagKey{"sortArtist", "ARTISTSORT"},
    TagKey{"sortAlbum", "ALBUMSORT"},
    TagKey{"sortAlbumArtist", "ALBUMARTISTSORT"},
    TagKey{"sortComposer", "COMPOSERSORT"},
    TagKey{"musicBrainzTrackId", "MUSICBRAINZ_TRACKID"},
    TagKey{"musicBrainzReleaseTrackId", "MUSICBRAINZ_RELEASETRACKID"},
    TagKey{"musicBrainzAlbumId", "MUSICBRAINZ_ALBUMID"},
    TagKey{"musicBrainzArtistId", "MUSICBRAINZ_ARTISTID"},
    TagKey{"musicBrainzAlbumArtistId", "MUSICBRAINZ_ALBUMARTISTID"},
    TagKey{"musicBrainzReleaseGroupId", "MUSICBRAINZ_RELEASEGROUPID"},
    TagKey{"musicBrainzWorkId", "MUSICBRAINZ_WORKID"},
    TagKey{"acoustId", "ACOUSTID_ID"},
    TagKey{"isrc", "ISRC"},
    TagKey{"label", "LABEL"},
    TagKey{"catalogNumber", "CATALOGNUMBER"},
    TagKey{"barcode", "BARCODE"},
    TagKey{"releaseType", "RELEASETYPE"},
    TagKey{"releaseStatus", "RELEASESTATUS"},
    TagKey{"releaseCountry", "RELEASECOUNTRY"},
    TagKey{"originalDate", "ORIGINALDATE"},
    TagKey{"media", "MEDIA"},
    TagKey{"script", "SCRIPT"},
    TagKey{"language", "LANGUAGE"},
    TagKey{"discSubtitle", "DISCSUBTITLE"},
    TagKey{"conductor", "CONDUCTOR"},
    TagKey{"remixer", "REMIXER"},
    TagKey{"lyricist", "LYRICIST"},
    TagKey{"arranger", "ARRANGER"},
    TagKey{"producer", "PRODUCER"},
    TagKey{"engineer", "ENGINEER"},
    TagKey{"mixer", "MIXER"},
    TagKey{"mood", "MOOD"},
    TagKey{"copyright", "COPYRIGHT"},
};

} // namespace decant::library
