#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <memory>

namespace decant {

// A track of the music library, as its scripting interface shows it.
class iTunesTrack {
public:
    virtual ~iTunesTrack() = default;

    // The name the library gave the track. A track converted from an
    // untagged file is named after the file, without its extension.
    virtual QString name() const = 0;
    // Stores a property by its scripting name ("artist", "trackNumber") with
    // a text, integer or boolean value. Failures are not reported.
    virtual void setValueForKey(const QVariant& value, const QString& key) = 0;
    // Reads a property by its scripting name; a null value for one the
    // track does not have. Besides the properties set by name, the library
    // answers "verification": what decoding the track's file back proved
    // ("lossless, MD5 ...", "length exact").
    virtual QVariant valueForKey(const QString& key) const {
        Q_UNUSED(key);
        return {};
    }
    // Gives the track the image (the bytes of a JPEG or PNG file) as its
    // artwork. An image the library cannot use (one larger than
    // largestArtwork, say) is skipped, never failing the track; the library
    // keeps the reason.
    virtual void setArtworkData(const QByteArray& image) { Q_UNUSED(image); }

    static constexpr qsizetype largestArtwork = 16 * 1024 * 1024;
};

using iTunesTrackPointer = std::shared_ptr<iTunesTrack>;

// The music library application, reached only through its scripting
// interface. Commands block the caller until the application replies.
class iTunesApplication {
public:
    // The reply timeout that means "wait as long as it takes".
    static constexpr long noTimeout = -2;

    virtual ~iTunesApplication() = default;

    // Converts each file with the library's own import settings, adds the
    // results to the library and replies with the new tracks. A file whose
    // track the library holds already (the same source and audio) gives that
    // track instead of a second one, named after the file like a new one. A
    // file that cannot be converted has no track in the reply; an absent
    // reply is an empty list.
    virtual QList<iTunesTrackPointer> convert(const QList<QUrl>& files) = 0;
    // The same, told what the writer of each file proved of its audio: the
    // MD5 of its samples as the file stores them, in lower-case hex, or
    // empty where it proved none; one for each file. A library that knows
    // its sources by that digest then need not read the files to take it.
    // `leadIns`, where not empty, names for each file the file whose audio
    // runs on into it without a break (the track before it, both cut from
    // one album-long file), or holds an empty URL: a lossy encoder then
    // starts the track as it sounds in the album rather than from silence.
    // `sampleChecks`, where not empty, holds beside each MD5 the writer's
    // XXH3-128 digest of the same bytes, in lower-case hex, or nothing: a
    // library that proves its files against their sources may compare with
    // that, which is quicker to take.
    virtual QList<iTunesTrackPointer> convertProven(const QList<QUrl>& files,
                                                    const QStringList& audioDigests,
                                                    const QList<QUrl>& leadIns = {},
                                                    const QStringList& sampleChecks = {}) {
        Q_UNUSED(audioDigests);
        Q_UNUSED(leadIns);
        Q_UNUSED(sampleChecks);
        return convert(files);
    }

    // Writes the tracks' tags and artwork into their files now and puts
    // each file where its tags say, as the library otherwise does by itself
    // a little later: one reason per track, in order, empty for a track
    // whose file is complete on disk ("the library's disk is full: 0 bytes
    // free of 20 MB"). A library that writes as it goes has nothing left to
    // do. Blocks the caller until done.
    virtual QStringList writeTracksNow(const QList<iTunesTrackPointer>& tracks) {
        return QStringList(tracks.size());
    }

    // Why the last convert gave no track for `file`: empty when it gave one,
    // or when the library said nothing. Any thread.
    virtual QString failureReasonForFile(const QUrl& file) const {
        Q_UNUSED(file);
        return {};
    }

    // Told about each file of a convert as the library finishes with it,
    // converted or not, in any order; runs on a thread of the library's.
    using ConversionObserver = std::function<void(const QUrl& file, bool converted)>;
    virtual void setConversionObserver(ConversionObserver observer) { Q_UNUSED(observer); }

    // Where the library keeps its database and media files, for the user to
    // see and open; empty when there is no such place. Any thread.
    virtual QString location() const { return {}; }

    // Asks a convert under way to end soon: the file under way is finished
    // or abandoned cleanly, the others are not converted (their reason says
    // so). Any thread; returns at once.
    virtual void stopConverting() {}
    // Forgets a stop that no convert has seen yet. Any thread.
    virtual void withdrawStopRequest() {}

    long timeout() const { return timeout_; }
    void setTimeout(long timeout) { timeout_ = timeout; }

private:
    long timeout_ = 0;
};

using iTunesApplicationPointer = std::shared_ptr<iTunesApplication>;

} // namespace decant
