// Any bytes as a store page: the reader must give a list (maybe empty) and
// never crash, hang or read out of bounds.
#include "store/iTunesMetadataFetcher.h"

#include <QSet>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using decant::CommentsDictionary;
using decant::iTunesMetadataFetcher;

// Only the seven mapped fields may come out of a page.
void checkFields(const QList<CommentsDictionary>& songs) {
    static const QSet<QString> fields{"ALBUM",      "ARTIST", "COMPOSER",   "DATE",
                                      "DISCNUMBER", "TITLE",  "TRACKNUMBER"};
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
        checkFields(iTunesMetadataFetcher::songsFromServerData(*serverData));
    }
    // Random bytes seldom carry both markers, so the walk also gets them raw.
    checkFields(iTunesMetadataFetcher::songsFromServerData(bytes));
    return 0;
}
