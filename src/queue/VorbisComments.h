#pragma once

#include "queue/Comments.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace decant {

// The entries of the file's first Vorbis comment block, in order, vendor
// string excluded. Nothing when the file is missing, unreadable, not a
// regular file, not FLAC or has no such block. Bytes that are not UTF-8
// become replacement characters; empty entries are left out.
std::optional<QStringList> vorbisCommentEntries(const QByteArray& path);

// Tags from comment entries: each "NAME=value" entry under NAME
// upper-cased, the value being everything after the first "=". Entries
// without "=" are skipped; a later entry with the same name wins.
CommentsDictionary commentsFromEntries(const QStringList& entries);

// The file's tags, as above. Empty when nothing could be read.
CommentsDictionary commentsForFLACFile(const QByteArray& path);

} // namespace decant
