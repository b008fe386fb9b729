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

} // namespace decant::test
