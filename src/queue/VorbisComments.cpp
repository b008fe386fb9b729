#include "queue/VorbisComments.h"

#include "queue/DecodeBatch.h"
#include "queue/FLACMetadata.h"
#include "queue/MetadataBlockReader.h"

#include <QCoreApplication>

#include <cstring>

namespace decant {
namespace {

// Enough of a comment's start to hold any sensible field name.
constexpr uint32_t nameSearchLength = 64;

QString textOfEntry(const QByteArray& bytes) {
    // The entry is read as a C string: it ends at its first NUL, if any.
    return QString::fromUtf8(bytes.constData(),
                             qsizetype(qstrnlen(bytes.constData(), bytes.size())));
}

QString describeLeftOutComment(const QByteArray& start, uint32_t length) {
    const qsizetype equals = start.indexOf('=');
    if (equals > 0) {
        return QCoreApplication::translate(
                   "decant::VorbisComments",
                   "The comment %1, of %2, was left out: comments over %3 are not read.")
            .arg(QString::fromUtf8(start.left(equals)).toUpper(), formatByteCount(length),
                 formatByteCount(largestComment));
    }
    return QCoreApplication::translate(
               "decant::VorbisComments",
               "A comment of %1 was left out: comments over %2 are not read.")
        .arg(formatByteCount(length), formatByteCount(largestComment));
}

} // namespace

CommentBlock readCommentBlock(MetadataBlockReader& body) {
    CommentBlock block;
    const std::optional<uint32_t> vendorLength = body.readLittleEndian32();
    if (!vendorLength || !body.skip(*vendorLength)) {
        return block;
    }
    const std::optional<uint32_t> count = body.readLittleEndian32();
    // Each entry takes at least its length field: a count no block can hold
    // ends with the block.
    for (uint32_t index = 0; count && index < *count; ++index) {
        const std::optional<uint32_t> length = body.readLittleEndian32();
        if (!length || *length > body.remaining()) {
            break;
        }
        if (*length > largestComment) {
            const std::optional<QByteArray> start = body.read(nameSearchLength);
            if (!start || !body.skip(*length - nameSearchLength)) {
                break;
            }
            block.notes.append(describeLeftOutComment(*start, *length));
            continue;
        }
        const std::optional<QByteArray> bytes = body.read(*length);
        if (!bytes) {
            break;
        }
        if (!bytes->isEmpty()) {
            block.entries.append(textOfEntry(*bytes));
        }
    }
    return block;
}

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
        const QString name = entry.left(equals).toUpper();
        const QString value = entry.mid(equals + 1);
        const auto earlier = comments.find(name);
        if (earlier == comments.end()) {
            comments.insert(name, value);
        } else {
            *earlier = earlier->toString() + commentValueSeparator + value;
        }
    }
    return comments;
}

CommentsDictionary commentsForFLACFile(const QByteArray& path) {
    return commentsFromEntries(vorbisCommentEntries(path).value_or(QStringList()));
}

} // namespace decant
