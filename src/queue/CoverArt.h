#pragma once

#include <QByteArray>

namespace decant {

// The image that stands for a FLAC file's album: the bytes of its
// front-cover picture (a PICTURE block of type 3), else of its first
// picture; for a file with none, of an image in its folder named "cover",
// "folder" or "front" (in that order of preference) with ".jpg", ".jpeg"
// or ".png", in any case. Only the first `mostBytes` bytes of a folder
// image are read. Empty when there is none or nothing can be read.
//
// Opens the files read-only; reads one picture at a time, so at most two
// are held at once. Runs on the calling thread.
QByteArray readCoverArt(const QByteArray& flacPath, qsizetype mostBytes);

} // namespace decant
