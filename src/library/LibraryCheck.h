#pragma once

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
    };
    Kind kind;
    qint64 trackId = 0;     // the track it is about; 0 for a file
    qint64 keptTrackId = 0; // for a duplicate: the track that stays
    QString file;           // relative to the library folder
    QString description;    // one sentence, for a user
};

// Every problem of the library, tracks and files alike. Changes nothing.
QList<LibraryProblem> findLibraryProblems(const Library& library);

// Decodes every verified track's file again and compares it with what its
// import proved: a problem for each that no longer matches, a check for bit
// rot. Reads every file whole, as many at once as there are processors.
QList<LibraryProblem> findDamagedFiles(const Library& library);

struct Repair {
    bool mended = false;
    QString description; // what was done, or why nothing was
};

// Mends one problem: files no track lists go to the trash, tracks without
// a file and second copies are removed, lagging tags are written, a damaged
// file's track is marked to be encoded again by the next import of its FLAC
// file. An untagged track is left: only importing its FLAC file again can
// tag it.
Repair repairLibraryProblem(Library& library, const LibraryProblem& problem);

} // namespace decant::library
