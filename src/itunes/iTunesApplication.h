#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <QVariant>

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
    // results to the library and replies with the new tracks. A file that
    // cannot be converted has no track in the reply; an absent reply is an
    // empty list.
    virtual QList<iTunesTrackPointer> convert(const QList<QUrl>& files) = 0;

    long timeout() const { return timeout_; }
    void setTimeout(long timeout) { timeout_ = timeout; }

private:
    long timeout_ = 0;
};

using iTunesApplicationPointer = std::shared_ptr<iTunesApplication>;

} // namespace decant
