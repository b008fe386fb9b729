#include "queue/VorbisComments.h"

#include <FLAC/metadata.h>

#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace decant {
namespace {

struct MetadataDeleter {
    void operator()(FLAC__StreamMetadata* block) const { FLAC__metadata_object_delete(block); }
};
using MetadataBlock = std::unique_ptr<FLAC__StreamMetadata, MetadataDeleter>;

// libFLAC opens whatever it is given; a FIFO or a device would block the
// main thread or read forever, so only regular files (links followed) are read.
bool isRegularFile(const QByteArray& path) {
    struct stat info {};
    return stat(path.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

QString textOfEntry(const FLAC__StreamMetadata_VorbisComment_Entry& entry) {
    const auto* bytes = reinterpret_cast<const char*>(entry.entry);
    // The entry is read as a C string: it ends at its first NUL, if any.
    const auto length = static_cast<qsizetype>(strnlen(bytes, entry.length));
    return QString::fromUtf8(bytes, length);
}

} // namespace

std::optional<QStringList> vorbisCommentEntries(const QByteArray& path) {
    if (!isRegularFile(path)) {
        return std::nullopt;
    }
    FLAC__StreamMetadata* rawBlock = nullptr;
    if (!FLAC__metadata_get_tags(path.constData(), &rawBlock)) {
        return std::nullopt;
    }
    const MetadataBlock block(rawBlock);
    if (block == nullptr || block->type != FLAC__METADATA_TYPE_VORBIS_COMMENT) {
        return std::nullopt;
    }

    const auto& comments = block->data.vorbis_comment;
    QStringList entries;
    entries.reserve(comments.num_comments);
    for (FLAC__uint32 index = 0; index < comments.num_comments; ++index) {
        const auto& entry = comments.comments[index];
        if (entry.length == 0 || entry.entry == nullptr) {
            continue;
        }
        entries.append(textOfEntry(entry));
    }
    return entries;
}

CommentsDictionary commentsForFLACFile(const QByteArray& path) {
    const QStringList entries = vorbisCommentEntries(path).value_or(QStringList());
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

} // namespace decant
