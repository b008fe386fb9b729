#pragma once

#include "library/model/TrackRecord.h"

#include <QString>

namespace decant::library {

// The most bytes one component of a path may have on the file systems a
// library is kept on or copied to.
inline constexpr qsizetype mostNameBytes = 255;

// Where the track's file belongs in the media folder, by its properties:
// "<album artist, else artist>/<album>/<disc->NN <title>.<extension>", the
// disc only for an album of more than one disc and NN only with a track
// number, keeping the extension of its current file. Room is left in the
// file's name for the " 2" that tells two files of one name apart.
QString organisedFile(const TrackRecord& record);

// `text` as one component of a path that every common file system takes
// (ext4, Btrfs, APFS, NTFS, exFAT, FAT32): no "/", NUL, control character or
// character Windows reserves (each becomes "_"), no leading dot or space,
// no trailing space or dot, no name Windows reserves for a device ("CON"),
// at most `mostBytes` bytes of UTF-8, cut between characters. `fallback`
// when nothing is left.
QString safeNameComponent(const QString& text, const QString& fallback,
                          qsizetype mostBytes = mostNameBytes);

// A stem usable as a file name: not empty, no longer than file systems take.
QString usableStem(const QString& name);

} // namespace decant::library
