#pragma once

#include "queue/Comments.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace decant {

class MetadataBlockReader;

// A comment larger than this is left out, unread, with a note: no tag is
// that long, and one that is would sit in memory for every queued file.
inline constexpr uint32_t largestComment = 1000 * 1000;

// A VORBIS_COMMENT block: its entries, as vorbisCommentEntries gives them,
// and why any were left out.
struct CommentBlock {
    QStringList entries;
    QStringList notes;
};

// Reads the block's body an entry at a time: memory never holds more than
// one entry of at most largestComment bytes. A block whose lengths run past
// its end gives the entries before that point.
CommentBlock readCommentBlock(MetadataBlockReader& body);

// The entries of the file's first Vorbis comment block, in order, vendor
// string excluded. Nothing when the file is missing, unreadable, not a
// regular file, not FLAC or has no such block. Bytes that are not UTF-8
// become replacement characters; empty entries are left out.
std::optional<QStringList> vorbisCommentEntries(const QByteArray& path);

// Tags from comment entries: each "NAME=value" entry under NAME
// upper-cased, the value being everything after the first "=". Entries
// without "=" are skipped; the values of entries with the same name are
// kept in order, joined by commentValueSeparator.
CommentsDictionary commentsFromEntries(const QStringList& entries);

// The file's tags, as above. Empty when nothing could be read.
CommentsDictionary commentsForFLACFile(const QByteArray& path);

} // namespace decant
