#include "store/iTunesMetadataFetcher.h"

#include "store/JsonDocument.h"

#include <QHash>
#include <QLocale>
#include <QNetworkRequest>
#include <QSet>

#include <algorithm>

namespace decant {
namespace {

constexpr QByteArrayView serverDataStart("its.serverData=");
constexpr QByteArrayView serverDataEnd("</script>");

// From the top-level object down to the object whose member values are the
// page's product records.
constexpr const char* pathToResults[] = {"pageData", "storePlatformData", "product-dv", "results"};

struct FieldMapping {
    QString field;
    QList<const char*> keyPath; // member names, outermost first
};

const FieldMapping fieldMap[] = {
    {QStringLiteral("ALBUM"), {"collectionName"}},      {QStringLiteral("ARTIST"), {"artistName"}},
    {QStringLiteral("COMPOSER"), {"composer", "name"}}, {QStringLiteral("DATE"), {"releaseDate"}},
    {QStringLiteral("DISCNUMBER"), {"discNumber"}},     {QStringLiteral("TITLE"), {"name"}},
    {QStringLiteral("TRACKNUMBER"), {"trackNumber"}},
};

const JsonValue* valueAtKeyPath(const JsonValue& record, const QList<const char*>& keyPath) {
    const JsonValue* value = &record;
    for (const char* name : keyPath) {
        value = member(value, name);
    }
    return value;
}

CommentsDictionary commentsOfSong(const JsonValue& song) {
    CommentsDictionary comments;
    for (const auto& [field, keyPath] : fieldMap) {
        if (const JsonValue* value = valueAtKeyPath(song, keyPath)) {
            comments.insert(field, commentsValue(*value));
        }
    }
    return comments;
}

// An id names its child record by its text: a text as it is, a number in
// plain decimal digits. Integers are exact (ids pass 2^53); any other number
// takes the fewest digits that read back as the same double, never an
// exponent, so 12.0 names "12" and 12.5 names "12.5".
std::optional<QByteArray> idAsText(const JsonValue& id) {
    if (id.isString()) {
        return id.bytes();
    }
    if (id.isInt64()) {
        return QByteArray::number(qint64(id.toInt64()));
    }
    if (id.isUint64()) {
        return QByteArray::number(quint64(id.toUint64()));
    }
    if (id.isDouble()) {
        return QString::number(id.toDouble(), 'f', QLocale::FloatingPointShortest).toLatin1();
    }
    return std::nullopt;
}

// The child records by name, a repeated name keeping its last record (as a
// lookup of the name would find it); looked up once per id, so a long album
// costs no search per song.
QHash<QByteArray, const JsonValue*> childrenByName(const JsonValue* children) {
    QHash<QByteArray, const JsonValue*> byName;
    if (children == nullptr || !children->isObject()) {
        return byName;
    }
    byName.reserve(qsizetype(children->object().size()));
    for (const auto& [name, child] : children->object()) {
        byName.insert(name, &child);
    }
    return byName;
}

bool isSong(const JsonValue* child) {
    const JsonValue* kind = member(child, "kind");
    return kind != nullptr && kind->isString() && kind->bytes() == "song";
}

void appendSongsOfProduct(const JsonValue& product, QList<CommentsDictionary>& songs) {
    const JsonValue* ids = member(&product, "childrenIds");
    if (ids == nullptr || !ids->isArray()) {
        return;
    }
    const QHash<QByteArray, const JsonValue*> children =
        childrenByName(member(&product, "children"));
    // An id listed again yields an equal dictionary; sharing the first one
    // keeps a page that repeats one id millions of times from costing a
    // dictionary each.
    QHash<QByteArray, std::optional<CommentsDictionary>> made;
    for (const JsonValue& id : ids->array()) {
        const std::optional<QByteArray> name = idAsText(id);
        if (!name) {
            continue;
        }
        auto song = made.find(*name);
        if (song == made.end()) {
            const JsonValue* child = children.value(*name);
            song = made.insert(*name, isSong(child) ? std::optional(commentsOfSong(*child))
                                                    : std::nullopt);
        }
        if (*song) {
            songs.append(**song);
        }
    }
}

// The product records in the order the text writes them. A name written
// twice counts once, with its last record at the place of its last
// occurrence, as a lookup by name would find it.
QList<const JsonValue*> productsInTextOrder(const JsonValue& results) {
    QList<const JsonValue*> products;
    QSet<QByteArray> seen;
    const JsonValue::Object& members = results.object();
    for (auto product = members.rbegin(); product != members.rend(); ++product) {
        if (!seen.contains(product->first)) {
            seen.insert(product->first);
            products.append(&product->second);
        }
    }
    std::reverse(products.begin(), products.end());
    return products;
}

} // namespace

QNetworkRequest iTunesMetadataFetcher::albumPageRequest(const QUrl& url) {
    QNetworkRequest request(url);
    request.setRawHeader("User-Agent", userAgent);
    return request;
}

QList<CommentsDictionary> iTunesMetadataFetcher::fetchMetadataFromAlbumURL(const QUrl& url) {
    return fetchMetadataFromAlbumURL(url, PageLoadLimits{});
}

QList<CommentsDictionary>
iTunesMetadataFetcher::fetchMetadataFromAlbumURL(const QUrl& url, const PageLoadLimits& limits,
                                                 const PageLoadCancellation* cancellation) {
    const PageLoadResult page = PageLoader::get(albumPageRequest(url), limits, cancellation);
    const std::optional<QByteArray> serverData = extractServerDataFromBody(page.body);
    return serverData ? songsFromServerData(*serverData) : QList<CommentsDictionary>{};
}

std::optional<QByteArray>
iTunesMetadataFetcher::extractServerDataFromBody(const std::optional<QByteArray>& body) {
    // The body is UTF-8 whatever charset the response declares. In valid
    // UTF-8 no byte of a multi-byte character is ASCII, so searching the
    // bytes for the ASCII markers finds what searching the decoded text
    // would, and the bytes between are that text's UTF-8.
    if (!body || !QByteArrayView(*body).isValidUtf8()) {
        return std::nullopt;
    }
    const qsizetype marker = body->indexOf(serverDataStart);
    if (marker < 0) {
        return std::nullopt;
    }
    const qsizetype start = marker + serverDataStart.size();
    const qsizetype end = body->indexOf(serverDataEnd, start);
    if (end < 0) {
        return std::nullopt;
    }
    return body->mid(start, end - start);
}

QList<CommentsDictionary> iTunesMetadataFetcher::songsFromServerData(const QByteArray& serverData) {
    const std::optional<JsonValue> document = parseStrictJson(serverData);
    if (!document || !document->isObject()) {
        return {};
    }
    const JsonValue* results = &*document;
    for (const char* name : pathToResults) {
        results = member(results, name);
    }
    if (results == nullptr || !results->isObject()) {
        return {};
    }
    QList<CommentsDictionary> songs;
    for (const JsonValue* product : productsInTextOrder(*results)) {
        appendSongsOfProduct(*product, songs);
    }
    return songs;
}

} // namespace decant
