// Any bytes as a store page or a lookup answer: the readers must give a
// list (maybe empty) and never crash, hang or read out of bounds.
#include "store/StoreLookup.h"
#include "store/iTunesMetadataFetcher.h"

#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using decant::CommentsDictionary;
using decant::iTunesMetadataFetcher;

// Only the seven mapped fields may come out of a page.
const QSet<QString> pageFields{"ALBUM",      "ARTIST", "COMPOSER",   "DATE",
                               "DISCNUMBER", "TITLE",  "TRACKNUMBER"};
// And only these ten out of a lookup answer.
const QSet<QString> lookupFields{"TITLE",       "ARTIST",     "ALBUM",      "ALBUMARTIST",
                                 "TRACKNUMBER", "TRACKTOTAL", "DISCNUMBER", "DISCTOTAL",
                                 "DATE",        "GENRE"};

void checkFields(const QList<CommentsDictionary>& songs, const QSet<QString>& fields) {
    for (const CommentsDictionary& comments : songs) {
        for (auto field = comments.keyBegin(); field != comments.keyEnd(); ++field) {
            if (!fields.contains(*field)) {
                std::abort();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const std::optional<QByteArray> serverData =
        iTunesMetadataFetcher::extractServerDataFromBody(bytes);
    if (serverData) {
        // What is cut out lies inside the page.
        if (!bytes.contains(*serverData)) {
            std::abort();
        }
        checkFields(iTunesMetadataFetcher::songsFromServerData(*serverData), pageFields);
    }
    // Random bytes seldom carry both markers, so the walk also gets them raw.
    checkFields(iTunesMetadataFetcher::songsFromServerData(bytes), pageFields);
    if (const auto songs = decant::songsFromLookupAnswer(bytes)) {
        checkFields(*songs, lookupFields);
    }
    return 0;
}
