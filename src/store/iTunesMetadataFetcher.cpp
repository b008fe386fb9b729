#include "store/iTunesMetadataFetcher.h"

#include "store/JsonMemberOrder.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QNetworkRequest>
#include <QSet>

namespace decant {
namespace {

constexpr QByteArrayView serverDataStart("its.serverData=");
constexpr QByteArrayView serverDataEnd("</script>");

// From the top-level object down to the object whose member values are the
// page's product records.
const QStringList pathToResults{QStringLiteral("pageData"), QStringLiteral("storePlatformData"),
                                QStringLiteral("product-dv"), QStringLiteral("results")};

struct FieldMapping {
    QString field;
    QStringList keyPath; // member names, outermost first
};

const FieldMapping fieldMap[] = {
    {QStringLiteral("ALBUM"), {QStringLiteral("collectionName")}},
    {QStringLiteral("ARTIST"), {QStringLiteral("artistName")}},
    {QStringLiteral("COMPOSER"), {QStringLiteral("composer"), QStringLiteral("name")}},
    {QStringLiteral("DATE"), {QStringLiteral("releaseDate")}},
    {QStringLiteral("DISCNUMBER"), {QStringLiteral("discNumber")}},
    {QStringLiteral("TITLE"), {QStringLiteral("name")}},
    {QStringLiteral("TRACKNUMBER"), {QStringLiteral("trackNumber")}},
};

// The member of an object; undefined for anything else or a missing member.
QJsonValue member(const QJsonValue& value, const QString& name) {
    return value.isObject() ? value.toObject().value(name) : QJsonValue(QJsonValue::Undefined);
}

QJsonValue valueAtKeyPath(const QJsonObject& record, const QStringList& keyPath) {
    QJsonValue value = record;
    for (const QString& name : keyPath) {
        value = member(value, name);
    }
    return value;
}

// Comments values are texts and numbers; a JSON null becomes a null
// QVariant (QJsonValue::toVariant would give std::nullptr_t, which no reader
// of comments expects). Numbers keep the parser's split: qint64 for
// integral values that fit, double otherwise.
QVariant commentsValue(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        return {};
    case QJsonValue::Array: {
        QVariantList list;
        for (const QJsonValue& element : value.toArray()) {
            list.append(commentsValue(element));
        }
        return list;
    }
    case QJsonValue::Object: {
        QVariantMap map;
        const QJsonObject object = value.toObject();
        for (auto item = object.begin(); item != object.end(); ++item) {
            map.insert(item.key(), commentsValue(item.value()));
        }
        return map;
    }
    case QJsonValue::Bool:
    case QJsonValue::Double:
    case QJsonValue::String:
        break;
    }
    return value.toVariant();
}

CommentsDictionary commentsOfSong(const QJsonObject& song) {
    CommentsDictionary comments;
    for (const auto& [field, keyPath] : fieldMap) {
        const QJsonValue value = valueAtKeyPath(song, keyPath);
        if (!value.isUndefined()) {
            comments.insert(field, commentsValue(value));
        }
    }
    return comments;
}

// An id names its child record by its text: a text as it is, a number in
// plain decimal digits. Integers are exact (ids pass 2^31); any other number
// takes the fewest digits that read back as the same double, never an
// exponent, so 12.0 names "12" and 12.5 names "12.5".
std::optional<QString> idAsText(const QJsonValue& id) {
    if (id.isString()) {
        return id.toString();
    }
    if (!id.isDouble()) {
        return std::nullopt;
    }
    const QVariant number = id.toVariant();
    if (number.userType() == QMetaType::LongLong) {
        return QString::number(number.toLongLong());
    }
    return QString::number(number.toDouble(), 'f', QLocale::FloatingPointShortest);
}

// The song of the child record of that name, or nothing when it is no song.
std::optional<CommentsDictionary> songNamed(const QString& name, const QJsonValue& children) {
    const QJsonValue child = member(children, name);
    if (!child.isObject() ||
        member(child, QStringLiteral("kind")) != QJsonValue(QStringLiteral("song"))) {
        return std::nullopt;
    }
    return commentsOfSong(child.toObject());
}

void appendSongsOfProduct(const QJsonValue& product, QList<CommentsDictionary>& songs) {
    const QJsonValue ids = member(product, QStringLiteral("childrenIds"));
    const QJsonValue children = member(product, QStringLiteral("children"));
    // An id listed again yields an equal dictionary; sharing the first one
    // keeps a page that repeats one id millions of times from costing a
    // dictionary each.
    QHash<QString, std::optional<CommentsDictionary>> made;
    for (const QJsonValue& id : ids.toArray()) {
        const std::optional<QString> name = idAsText(id);
        if (!name) {
            continue;
        }
        auto song = made.find(*name);
        if (song == made.end()) {
            song = made.insert(*name, songNamed(*name, children));
        }
        if (*song) {
            songs.append(**song);
        }
    }
}

// The product records' names in the order the text writes them, so that the
// songs of several products come out as the page lists them.
QStringList productOrder(const QByteArray& serverData, const QJsonObject& results) {
    if (results.size() < 2) {
        return results.keys();
    }
    QStringList names = memberNamesInTextOrder(serverData, pathToResults);
    // Cannot miss one for a text the parser took; kept as a safety net.
    const QSet<QString> found(names.cbegin(), names.cend());
    for (const QString& name : results.keys()) {
        if (!found.contains(name)) {
            names.append(name);
        }
    }
    return names;
}

} // namespace

QList<CommentsDictionary> iTunesMetadataFetcher::fetchMetadataFromAlbumURL(const QUrl& url) {
    return fetchMetadataFromAlbumURL(url, PageLoadLimits{});
}

QList<CommentsDictionary>
iTunesMetadataFetcher::fetchMetadataFromAlbumURL(const QUrl& url, const PageLoadLimits& limits,
                                                 const PageLoadCancellation* cancellation) {
    QNetworkRequest request(url);
    request.setRawHeader("User-Agent", userAgent);
    const PageLoadResult page = PageLoader::get(request, limits, cancellation);
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
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(serverData, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return {};
    }
    QJsonValue results = document.object();
    for (const QString& name : pathToResults) {
        results = member(results, name);
    }
    if (!results.isObject()) {
        return {};
    }
    const QJsonObject products = results.toObject();
    QList<CommentsDictionary> songs;
    for (const QString& name : productOrder(serverData, products)) {
        appendSongsOfProduct(products.value(name), songs);
    }
    return songs;
}

} // namespace decant
