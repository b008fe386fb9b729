#pragma once

// Names for tracks' files that neither the database nor the disk holds.
#include "library/model/Result.h"
#include "library/store/Connection.h"

#include <QString>

#include <functional>
#include <optional>

namespace decant::library {

// True when a file name (relative to the library folder) is free on disk.
using NameIsFree = std::function<bool(const QString& file)>;

// The first name like `wanted` ("Media/song.m4a", then "Media/song 2.m4a",
// ...) that no track, move or removal lists and that is free on disk;
// `own`, the name the track holds now, counts as free for it. Run inside
// the write transaction that takes the name. Nothing when every one is
// taken.
Result<std::optional<QString>> freeName(sqlite::Connection& connection, const QString& wanted,
                                        const NameIsFree& isFree, const QString& own = {});

// The reason for a file that no free name like `wanted` is left for.
Error everyNameTaken(const QString& wanted);

} // namespace decant::library
