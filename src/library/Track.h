#pragma once

#include "library/model/Result.h"
#include "library/model/TrackProperty.h"
#include "library/model/TrackRecord.h"

#include <QString>

#include <memory>
#include <optional>

namespace decant::library {

class Library;

// A handle on one track of an open library. Thread-safe. The handle keeps
// its library open: the library closes when its last handle, and the last
// of its tracks' handles, are gone.
class Track {
    struct Key {
        explicit Key() = default;
    };

public:
    // Made by the library only.
    Track(Key, std::shared_ptr<Library> library, qint64 id, QString name);
    ~Track();
    Track(const Track&) = delete;
    Track& operator=(const Track&) = delete;

    qint64 id() const;

    // The track's name as the database holds it now.
    QString name() const;

    // Stores the value under the scripting name: in the database at once,
    // in the file's tags soon after (see Library::flush). A value of another
    // kind is converted where that is unambiguous (see coerceToKind); an
    // unknown name, or a value that cannot be converted, is ignored, as a
    // scripting interface ignores what it does not know. The reason when
    // the value cannot be stored.
    Status setProperty(const QString& scriptingName, const PropertyValue& value);

    // Gives the track the image (the bytes of a JPEG or PNG file) as its
    // artwork, in the database at once and in the file's tags soon after.
    // An image the library cannot use (see checkArtwork) is skipped, and
    // the reason kept as the track's artworkNote. The reason when the
    // artwork, or that note, cannot be stored.
    Status setArtwork(const QByteArray& image);

    // The property's stored value; nothing when unset or unknown.
    std::optional<PropertyValue> property(const QString& scriptingName) const;

    // Everything the database holds about the track; nothing when it is
    // gone, or cannot be read.
    std::optional<TrackRecord> record() const;

    // The media file's absolute path.
    QString filePath() const;

private:
    friend class Library;

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace decant::library
