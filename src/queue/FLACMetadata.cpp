#include "queue/FLACMetadata.h"

#include "queue/FLACHandles.h"

#include <cstring>
#include <sys/stat.h>

namespace decant {
namespace {

QString textOfEntry(const FLAC__StreamMetadata_VorbisComment_Entry& entry) {
    const auto* bytes = reinterpret_cast<const char*>(entry.entry);
    // The entry is read as a C string: it ends at its first NUL, if any.
    const auto length = static_cast<qsizetype>(strnlen(bytes, entry.length));
    return QString::fromUtf8(bytes, length);
}

QStringList entriesOf(const FLAC__StreamMetadata_VorbisComment& comments) {
    QStringList entries;
    entries.reserve(comments.num_comments);
    for (FLAC__uint32 index = 0; index < comments.num_comments; ++index) {
        const auto& entry = comments.comments[index];
        if (entry.length != 0 && entry.entry != nullptr) {
            entries.append(textOfEntry(entry));
        }
    }
    return entries;
}

void readBlock(FLAC__Metadata_SimpleIterator* iterator, FLACMetadata& metadata) {
    const FLACBlock block(FLAC__metadata_simple_iterator_get_block(iterator));
    if (!block) {
        return;
    }
    if (block->type == FLAC__METADATA_TYPE_STREAMINFO) {
        const auto& info = block->data.stream_info;
        metadata.format =
            WAVFormat{info.sample_rate, uint16_t(info.channels), uint16_t(info.bits_per_sample)};
        metadata.totalSamples = info.total_samples;
    } else if (block->type == FLAC__METADATA_TYPE_VORBIS_COMMENT) {
        metadata.commentEntries = entriesOf(block->data.vorbis_comment);
    }
}

} // namespace

FLACMetadata readFLACMetadata(const QByteArray& path) {
    FLACMetadata metadata;
    // libFLAC opens whatever it is given; a FIFO or a device would block the
    // main thread or read forever, so only regular files (links followed)
    // are read.
    struct stat info {};
    if (stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return metadata;
    }
    const FLACIterator iterator(FLAC__metadata_simple_iterator_new());
    if (!iterator || !FLAC__metadata_simple_iterator_init(iterator.get(), path.constData(),
                                                          /*read_only=*/true,
                                                          /*preserve_file_stats=*/false)) {
        return metadata;
    }
    metadata.fileSize = uint64_t(info.st_size);
    do {
        const FLAC__MetadataType type =
            FLAC__metadata_simple_iterator_get_block_type(iterator.get());
        const bool wanted =
            (type == FLAC__METADATA_TYPE_STREAMINFO && !metadata.format) ||
            (type == FLAC__METADATA_TYPE_VORBIS_COMMENT && !metadata.commentEntries);
        if (wanted) {
            readBlock(iterator.get(), metadata);
        }
    } while ((!metadata.format || !metadata.commentEntries) &&
             FLAC__metadata_simple_iterator_next(iterator.get()));
    return metadata;
}

uint64_t expectedDecodedSize(const FLACMetadata& metadata) {
    if (!metadata.format || metadata.format->sampleRate == 0 || metadata.format->channels == 0 ||
        metadata.format->bitsPerSample == 0) {
        return 0;
    }
    if (metadata.totalSamples == 0) {
        return 2 * metadata.fileSize;
    }
    const uint64_t dataBytes = metadata.totalSamples * blockAlign(*metadata.format);
    return dataBytes > maximumWAVDataBytes ? 0 : wavFileSize(dataBytes);
}

} // namespace decant
