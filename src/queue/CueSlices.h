#pragma once

#include "queue/Comments.h"
#include "queue/CueSheet.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace decant {

// The audio stream a sheet is cut against, as its STREAMINFO gives it.
struct CueStream {
    // The FLAC file's name, which a sheet beside it must name in a FILE
    // line. Nothing for a sheet kept inside the file itself, whose FILE
    // names whatever the ripper wrote to: then it must name one file only.
    std::optional<QString> fileName;
    unsigned sampleRate = 0;
    uint64_t totalSamples = 0; // per channel
};

// One track of the file: samples [firstSample, endSample) of the stream.
struct CueSlice {
    CueTrack track;
    uint64_t firstSample = 0;
    uint64_t endSample = 0;
};

// The file's tracks, as a CD player plays them: a track runs from its
// INDEX 01 to the next track's INDEX 01, so a pregap (INDEX 00) stays with
// the track before it, and the last track runs to the end of the stream.
// Audio before the first track's INDEX 01 (a hidden track in the first
// pregap) is left out, as a player starts track 1 at its INDEX 01. Frames
// become samples as frames * rate / 75, rounded down where the rate is not
// a multiple of 75.
// In a sheet that names several FILEs, the tracks of the FILEs that match
// the stream's name (cueFileNameMatches) are this file's.
// Refused: no track of this file; more than 99; a track without INDEX 01;
// positions that do not increase; a track at or past the end of the stream
// or of no length; a stream of unknown length.
CueResult<QList<CueSlice>> cutCueSheet(const CueSheet& sheet, const CueStream& stream);

// A slice's tags: the FLAC file's own, with what the sheet says in their
// place (TITLE, ARTIST from the track's PERFORMER else the disc's,
// ALBUMARTIST, COMPOSER from SONGWRITER, ISRC, TRACKNUMBER, TRACKTOTAL,
// ALBUM, DATE, GENRE, DISCNUMBER, DISCTOTAL from REM TOTALDISCS, COMMENT,
// BARCODE from CATALOG; a track's REM before the disc's). The file's tags
// that describe the whole image and would be wrong on one track are dropped
// even where the sheet gives nothing in their place: TITLE, TRACKNUMBER,
// track totals, ISRC, MusicBrainz track ids, track ReplayGain, and the
// CUESHEET comment itself. The disc's tags (ALBUM, ARTIST, DATE...) stay.
CommentsDictionary cueSliceComments(const CueSheet& sheet, const CueSlice& slice, int trackTotal,
                                    const CommentsDictionary& fileComments);

} // namespace decant
