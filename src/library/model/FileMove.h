#pragma once

#include <QString>

namespace decant::library {

// A file on its way to becoming a track's file, as the library's journal
// records it, so that the next open finishes a move a crash interrupted:
// an encoded file going into place, or a track's file going to a new name.
// Paths are relative to the library folder.
struct FileMove {
    qint64 trackId = 0;
    QString file;     // the track's file, where the pending file goes
    QString pending;  // the encoded file under its hidden name, or the old name
    QString replaced; // removed once the move is done (may be `file`); empty for none

    bool operator==(const FileMove&) const = default;
};

} // namespace decant::library
