#include "queue/VorbisComments.h"

#include "queue/FLACMetadata.h"

namespace decant {

std::optional<QStringList> vorbisCommentEntries(const QByteArray& path) {
    return readFLACMetadata(path).commentEntries;
}

CommentsDictionary commentsFromEntries(const QStringList& entries) {
    CommentsDictionary comments;
    for (const QString& entry : entries) {
        const qsizetype equals = entry.indexOf(u'=');
        if (equals < 0) {
            continue;
        }
        // toUpper is Unicode's full mapping and ignores the locale.
        comments.insert(entry.left(equals).toUpper(), entry.mid(equals + 1));
    }
    return comments;
}

CommentsDictionary commentsForFLACFile(const QByteArray& path) {
    return commentsFromEntries(vorbisCommentEntries(path).value_or(QStringList()));
}

} // namespace decant
