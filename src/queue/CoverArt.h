#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace decant {

// Why the PICTURE block whose header is at `headerOffset`, its body
// `bodyLength` bytes long, can give no image, in words for the user: a
// length, the block's or the picture's, that claims more than the file or
// the block holds. Nothing for a block that reads whole. Reads only the
// lengths, never the picture. `descriptor` is the FLAC file, open.
std::optional<QString> pictureBlockProblem(int descriptor, uint64_t headerOffset,
                                           uint32_t bodyLength, uint64_t fileSize);

// The image that stands for a FLAC file's album: the bytes of its
// front-cover picture (a PICTURE block of type 3), else of its first
// picture; for a file with none, of an image in its folder named "cover",
// "folder" or "front" (in that order of preference) with ".jpg", ".jpeg"
// or ".png", in any case. Only the first `mostBytes` bytes of a folder
// image are read. Empty when there is none or nothing can be read. A
// picture block with a problem (pictureBlockProblem) is passed over: intake
// has noted why.
//
// Opens the files read-only; reads one picture at a time, so at most two
// are held at once. Runs on the calling thread.
QByteArray readCoverArt(const QByteArray& flacPath, qsizetype mostBytes);

} // namespace decant
