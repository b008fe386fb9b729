#pragma once

#include "library/model/ImportSettings.h"
#include "library/model/Loudness.h"
#include "library/model/Verification.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace decant::library {

// A track as the import hands it over, before it has an id.
struct NewTrack {
    QString file; // relative to the library folder: the name it would like
    QString kind;
    QString name;
    double duration = 0;
    int sampleRate = 0;
    int channels = 0;
    int bitRate = 0;
    qint64 size = 0;
    QDateTime dateAdded;
    QString source;      // the base name of the file it was converted from
    QString audioDigest; // the MD5 of that file's audio
    ImportSettings settings;
    QString sourceFormat; // see TrackRecord
    Verification verification;
    // Nothing when not measured; a replacement then keeps what the track had.
    std::optional<Loudness> loudness;
};

} // namespace decant::library
