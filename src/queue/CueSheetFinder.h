#pragma once

#include "queue/CueSheet.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace decant {

struct FLACMetadata;

enum class CueSheetOrigin {
    BesideFile,    // a .cue file in the FLAC file's folder
    CommentInFile, // the file's CUESHEET Vorbis comment, the sheet's whole text
    BlockInFile,   // the file's CUESHEET block: positions and ISRCs, no titles
};

struct FoundCueSheet {
    CueSheet sheet;
    CueSheetOrigin origin = CueSheetOrigin::BesideFile;
    QByteArray sheetPath; // the .cue file, for a sheet beside the FLAC file
};

// What looking for a FLAC file's sheet gave: a sheet, or none, with the
// reason when a sheet was there but could not be read (empty when the file
// simply has none).
struct CueSheetSearch {
    std::optional<FoundCueSheet> found;
    QString reason;
};

// The sheet of a FLAC file, looked for in this order: a .cue file beside it
// that names it in a FILE line (cueFileNameMatches: "album.wav" names
// "album.flac"), the first by name when several do; the file's CUESHEET
// comment; its CUESHEET block, whose lead-out track is left out. A sheet
// that cannot be read gives way to the next place; its reason is kept when
// no place has a readable one.
CueSheetSearch findCueSheet(const QByteArray& flacPath);
// The same for a file whose metadata has been read already.
CueSheetSearch findCueSheet(const QByteArray& flacPath, const FLACMetadata& metadata);

// The FLAC files in a .cue file's folder that its FILE lines name, in the
// order of those lines, each once. Refused when the sheet cannot be read.
CueResult<QList<QByteArray>> flacFilesOfCueSheet(const QByteArray& cuePath);

// At most cueMaximumSheetBytes + 1 bytes of the file, enough for
// parseCueSheet to tell a sheet from a file too large to be one; nothing
// when it cannot be read.
std::optional<QByteArray> readCueSheetFile(const QByteArray& path);

} // namespace decant
