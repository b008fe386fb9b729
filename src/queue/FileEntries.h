#pragma once

#include "queue/QueueEntry.h"

#include <QByteArray>
#include <QList>

namespace decant {

// The queue's entries for one FLAC file: one for each track its CUE sheet
// cuts it into (see findCueSheet and cutCueSheet), else one for the whole
// file. A sheet that cannot be used leaves the whole file, with a note that
// says why. A sheet that gives this file one track of several files (an
// album ripped to a file per track) leaves the whole file too, with the
// track's tags from the sheet.
//
// Reads the file and its folder: runs on an intake thread.
QList<QueueEntryPointer> entriesForFile(const QByteArray& path);

} // namespace decant
