#pragma once

#include <QByteArray>
#include <QList>

namespace decant::test {

// Canned store pages: server data whose "results" object is `results`
// (JSON text), and an HTML page that carries server data the way the store
// does.
inline QByteArray serverDataWithResults(const QByteArray& results) {
    return R"({"pageData":{"storePlatformData":{"product-dv":{"results":)" + results + "}}}}";
}

inline QByteArray albumPage(const QByteArray& serverData) {
    return "<html><head><script>var x = 1;</script><script>its.serverData=" + serverData +
           "</script></head><body>Album</body></html>";
}

// One product record whose songs are the given child records, in order;
// ids "1", "2", ...
inline QByteArray productWithSongs(const QList<QByteArray>& songs) {
    QByteArray ids;
    QByteArray children;
    for (qsizetype index = 0; index < songs.size(); ++index) {
        const QByteArray id = QByteArray::number(index + 1);
        ids += (index ? "," : "") + ('"' + id + '"');
        children += (index ? "," : "") + ('"' + id + "\":" + songs[index]);
    }
    return R"({"childrenIds":[)" + ids + R"(],"children":{)" + children + "}}";
}

// A song record with a title and a track number.
inline QByteArray song(const QByteArray& title, int trackNumber) {
    return R"({"kind":"song","name":")" + title + R"(","trackNumber":)" +
           QByteArray::number(trackNumber) + "}";
}

// Today's album page: its data in a script of its own, no "its.serverData=".
inline const QByteArray pageWithoutServerData =
    R"(<html><head><script type="application/json" id="serialized-server-data">)"
    R"([{"data":{"sections":[]}}]</script></head><body>Blue</body></html>)";

// The album record of a lookup answer.
inline const QByteArray lookupAlbum =
    R"({"wrapperType":"collection","collectionType":"Album","artistName":"Ann and Band",)"
    R"("collectionName":"Blue","trackCount":3,"primaryGenreName":"Jazz",)"
    R"("releaseDate":"2019-03-15T07:00:00Z"})";

// A track record of a lookup answer, on an album of two discs of two tracks.
inline QByteArray lookupTrack(const QByteArray& title, int disc, int track,
                              const QByteArray& kind = "song") {
    return R"({"wrapperType":"track","kind":")" + kind + R"(","trackName":")" + title +
           R"(","artistName":"Ann","collectionName":"Blue","trackNumber":)" +
           QByteArray::number(track) + R"(,"trackCount":2,"discNumber":)" +
           QByteArray::number(disc) +
           R"(,"discCount":2,"releaseDate":"2019-03-15T07:00:00Z","primaryGenreName":"Jazz"})";
}

inline QByteArray lookupAnswer(const QList<QByteArray>& records) {
    QByteArray results;
    for (const QByteArray& record : records) {
        results += (results.isEmpty() ? "" : ",") + record;
    }
    return R"({"resultCount":)" + QByteArray::number(records.size()) + R"(,"results":[)" + results +
           "]}";
}

// The album the service answers in its own order: the album, then songs
// out of order and a video among them. Its songs in disc and track order are
// "One", "Two" and "Three".
inline const QByteArray shuffledLookupAnswer =
    lookupAnswer({lookupAlbum, lookupTrack("Three", 2, 1), lookupTrack("Two", 1, 2),
                  lookupTrack("Video", 1, 3, "music-video"), lookupTrack("One", 1, 1)});

} // namespace decant::test
