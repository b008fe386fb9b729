#pragma once

#include "library/model/Result.h"

#include <QString>

namespace decant::library {

// A full disk told as its user can act on it, with the space left and the
// disk's size: "the library's disk is full: 0 bytes free of 20 MB". Other
// errors come back unchanged. `folder` is any folder on the library's disk.
Error withDiskSpace(Error error, const QString& folder);

} // namespace decant::library
