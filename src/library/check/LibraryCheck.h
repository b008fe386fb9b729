#pragma once

#include "library/model/Result.h"

#include <QList>
#include <QString>

namespace decant::library {

class Library;

// Something wrong with a library, as decant-library check finds it.
struct LibraryProblem {
    enum class Kind {
        InterruptedImport, // a track's file was on its way into place
        HalfWrittenFile,   // a pending file an interrupted import left
        OrphanedFile,      // a media file no track lists
        MissingFile,       // a track whose file is gone
        DuplicateTrack,    // a second track from one source and audio
        UntaggedTrack,     // a track still named after its source
        TagsNotWritten,    // a file whose tags lag behind its track
        DamagedFile,       // a file that no longer decodes as it did when verified
        LostTrack,         // a file whose own tags hold a track the database lacks, or
                           // one whose listed file is missing
        BackupFailed,      // the last backup of the database could not be made
    };
    Kind kind;
    qint64 trackId = 0;     // the track it is about; 0 for a file, or a lost track
    qint64 keptTrackId = 0; // for a duplicate: the track that stays
    QString file;           // relative to the library folder
    QString description;    // one sentence, for a user
};

// Every problem of the library, tracks and files alike; the reason when the
// library cannot be read. Changes nothing. A file no track lists is read
// for its provenance: one that holds a track the database lacks is that
// track, lost, never an orphan to throw away. Moves that a live process is
// making are no problem.
Result<QList<LibraryProblem>> findLibraryProblems(const Library& library);

struct Repair {
    bool mended = false;
    QString description; // what was done, or why nothing was
};

// Mends one problem: files no track lists go to the trash, tracks without
// a file and second copies are removed, lagging tags are written, a damaged
// file's track is marked to be encoded again by the next import of its FLAC
// file, a lost track is recorded again from its file, a failed backup is
// made again. An untagged track is left: only importing its FLAC file again
// can tag it. With `keepFiles` (just after the database was rebuilt), no
// file goes to the trash.
Repair repairLibraryProblem(Library& library, const LibraryProblem& problem,
                            bool keepFiles = false);

} // namespace decant::library
