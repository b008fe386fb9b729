#pragma once

#include "library/model/Result.h"

#include <QString>

namespace decant::library {

// What an errno value from a file operation means for the library: "the
// disk is full", "the file system is mounted read-only", ...
QString describeFileError(int error);

// What an errno value means for a caller to branch on: a full disk, a
// file system or folder that cannot be written.
Error::Kind kindOfFileError(int error);

// `sentence` ("cannot copy %1: %2") about `file`, with errno's reason and
// kind, read at once.
Error fileError(const QString& sentence, const QString& file);

} // namespace decant::library
