#include "store/StoreLookup.h"

#include "store/JsonDocument.h"

#include <QUrlQuery>

#include <algorithm>
#include <limits>

namespace decant {
namespace {

// The most the service gives for one album (its own limit).
constexpr int lookupLimit = 200;

struct LookupField {
    QString field;
    const char* member;
};

const LookupField songFields[] = {
    {QStringLiteral("TITLE"), "trackName"},        {QStringLiteral("ARTIST"), "artistName"},
    {QStringLiteral("ALBUM"), "collectionName"},   {QStringLiteral("TRACKNUMBER"), "trackNumber"},
    {QStringLiteral("TRACKTOTAL"), "trackCount"},  {QStringLiteral("DISCNUMBER"), "discNumber"},
    {QStringLiteral("DISCTOTAL"), "discCount"},    {QStringLiteral("DATE"), "releaseDate"},
    {QStringLiteral("GENRE"), "primaryGenreName"},
};

bool memberIsText(const JsonValue& record, const char* name, QByteArrayView text) {
    const JsonValue* value = member(&record, name);
    return value != nullptr && value->isString() && value->bytes() == text;
}

bool isSong(const JsonValue& record) {
    return memberIsText(record, "wrapperType", "track") && memberIsText(record, "kind", "song");
}

bool isAlbum(const JsonValue& record) {
    return memberIsText(record, "wrapperType", "collection");
}

CommentsDictionary commentsOfSong(const JsonValue& song) {
    CommentsDictionary comments;
    for (const auto& [field, name] : songFields) {
        if (const JsonValue* value = member(&song, name)) {
            comments.insert(field, commentsValue(*value));
        }
    }
    return comments;
}

// Where a song goes in the album: disc, then track.
std::pair<qint64, qint64> placeOf(const CommentsDictionary& song) {
    const QVariant disc = song.value(QStringLiteral("DISCNUMBER"));
    const QVariant track = song.value(QStringLiteral("TRACKNUMBER"));
    return {disc.isNull() ? 1 : integerValue(disc),
            track.isNull() ? std::numeric_limits<qint64>::max() : integerValue(track)};
}

} // namespace

QUrl storeLookupURL(const StoreAlbumIdentity& album) {
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(storeWebHost);
    url.setPath(QStringLiteral("/lookup"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("id"), album.albumId);
    query.addQueryItem(QStringLiteral("entity"), QStringLiteral("song"));
    query.addQueryItem(QStringLiteral("country"), album.storefront);
    query.addQueryItem(QStringLiteral("limit"), QString::number(lookupLimit));
    url.setQuery(query);
    return url;
}

std::optional<QList<CommentsDictionary>> songsFromLookupAnswer(const QByteArray& answer) {
    const std::optional<JsonValue> document = parseStrictJson(answer);
    if (!document) {
        return std::nullopt;
    }
    const JsonValue* results = member(&*document, "results");
    if (results == nullptr || !results->isArray()) {
        return QList<CommentsDictionary>{};
    }
    QList<CommentsDictionary> songs;
    const JsonValue* albumArtist = nullptr;
    bool albumSeen = false;
    for (const JsonValue& record : results->array()) {
        if (isSong(record)) {
            songs.append(commentsOfSong(record));
        } else if (!albumSeen && isAlbum(record)) {
            albumSeen = true;
            albumArtist = member(&record, "artistName");
        }
    }
    if (albumArtist != nullptr) {
        for (CommentsDictionary& song : songs) {
            song.insert(QStringLiteral("ALBUMARTIST"), commentsValue(*albumArtist));
        }
    }
    std::stable_sort(songs.begin(), songs.end(),
                     [](const CommentsDictionary& first, const CommentsDictionary& second) {
                         return placeOf(first) < placeOf(second);
                     });
    return songs;
}

} // namespace decant
