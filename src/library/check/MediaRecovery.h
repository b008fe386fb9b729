#pragma once

#include "library/model/Result.h"
#include "library/model/TrackRecord.h"
#include "library/tags/MediaFileReader.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace decant::library {

class Library;

// What a media file's own tags make of it beside the tracks the database
// lists. A file with the provenance tag (see Provenance.h) names its track
// by source and audio; one without it is known only by where it is.
struct FileVerdict {
    enum class Kind {
        Listed,  // a track lists the file, and its tags hold no other track
        Refresh, // a track lists the file, which holds that same track
        Relink,  // holds a track whose own file is missing: the file moved
        Add,     // holds a track the database lacks
        Copy,    // holds a track whose own file is there: a second copy
        Unknown, // no track lists it, and nothing says what it holds
    };
    Kind kind = Kind::Unknown;
    qint64 trackId = 0; // the track it is about, for Refresh, Relink and Copy
};

// The tracks of a library by file and by source and audio, and how each
// media file stands beside them.
class MediaIndex {
public:
    MediaIndex(const Library& library, const QList<TrackRecord>& tracks);

    // `file` is relative to the library folder ("Media/…").
    FileVerdict judge(const QString& file, const MediaFileContents& contents) const;
    // The file is now the track's (after a Relink or an Add).
    void place(qint64 trackId, const QString& file, const MediaFileContents& contents);
    const TrackRecord* track(qint64 id) const;

private:
    const Library& library_;
    QHash<qint64, TrackRecord> byId_;
    QHash<QString, qint64> byFile_;
    QHash<QString, qint64> byIdentity_; // source, '/', audio digest
};

// The track a file holds, ready for Library::restoreTrack: its tags, its
// name (the file's, without the extension, when it has no title), its
// source from its provenance or, for the files of the oldest versions, the
// path hash its name still is; under `trackId` (0 for a new track). A file
// without provenance is marked to have its tags written, which adds it.
TrackRecord trackFromFile(const QString& file, const MediaFileContents& contents, qint64 trackId);

// After the database was restored from a backup or made anew: reads every
// media file and makes the database agree with them. A file that holds a
// track the database lists brings its row up to date with its own tags (the
// file was written after the backup); one whose track's file is missing
// gives it back (the file moved since); one the database lacks becomes a
// track again; a file without provenance that no track lists becomes a
// track whose source is unknown. Second copies are left where they are.
// What was done, for a user to read; the reason when the library cannot be
// read.
Result<QStringList> recoverTracksFromMedia(Library& library);

// For a database made anew: the import settings most of its tracks were
// encoded with, so that the next import of their FLAC files does not encode
// them all again in the default ones. What was set, for a user to read;
// nothing when no track tells.
std::optional<QString> adoptImportSettingsOfTracks(Library& library);

} // namespace decant::library
