#pragma once

#include "library/model/ImportSettings.h"
#include "library/model/Loudness.h"
#include "library/model/TrackProperty.h"
#include "library/model/Verification.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace decant::library {

// What the library knows about one track, as read from its database at one
// moment. A plain value: reading it takes no lock.
struct TrackRecord {
    qint64 id = 0;
    QString file;        // relative to the library folder: "Media/Song.m4a"
    QString kind;        // "AAC audio file", ...
    double duration = 0; // seconds
    int sampleRate = 0;
    int channels = 0;
    int bitRate = 0; // kbit/s, averaged over the whole file
    qint64 size = 0; // bytes, as of the last write of the file
    QDateTime dateAdded;
    // Non-zero while the file's tags lag behind the properties below.
    qint64 tagsDirty = 0;
    // Where the track came from: the base name of the file it was converted
    // from, and the MD5 of that file's audio; empty where a library made
    // before they were recorded cannot tell.
    QString source;
    QString audioDigest;
    // The settings its file was encoded with; nothing when not recorded.
    std::optional<ImportSettings> encodedWith;
    // The digest of its artwork (see Artwork); empty for none.
    QString artwork;
    // Why the last image given to it was skipped; empty when none was.
    QString artworkNote;
    // Why values given for its properties were dropped, one sentence each
    // (see valueProblem).
    QStringList propertyNotes;
    // The source WAV file's codec ("pcm_s16le"), in whose layout of the
    // samples a lossless file's MD5 is taken; empty when not recorded.
    QString sourceFormat;
    // What decoding its file back proved when it was encoded.
    Verification verification;
    // Measured while it was encoded; nothing when it was not (too short,
    // Sound Check off, or encoded before loudness was measured). The
    // album's is that of the tracks of its album encoded in the same batch.
    std::optional<Loudness> loudness;
    std::optional<Loudness> albumLoudness;
    // The properties that have a value, by scripting name ("name" always).
    QMap<QString, PropertyValue> properties;

    // The property's value in its kind; empty text, 0 or false when unset.
    QString text(const QString& scriptingName) const;
    qint64 integer(const QString& scriptingName) const;
    bool boolean(const QString& scriptingName) const;
    // No tags were ever set: the track is still named after its source.
    bool untagged() const;
};

} // namespace decant::library
