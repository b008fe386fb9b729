#include "queue/FLACMetadata.h"

#include "queue/CoverArt.h"
#include "queue/FLACHandles.h"
#include "queue/MetadataBlockReader.h"
#include "queue/VorbisComments.h"

#include <optional>
#include <sys/stat.h>

namespace decant {
namespace {

void readStreamInfo(FLAC__Metadata_SimpleIterator* iterator, FLACMetadata& metadata) {
    const FLACBlock block(FLAC__metadata_simple_iterator_get_block(iterator));
    if (!block || block->type != FLAC__METADATA_TYPE_STREAMINFO) {
        return;
    }
    const auto& info = block->data.stream_info;
    metadata.format =
        WAVFormat{info.sample_rate, uint16_t(info.channels), uint16_t(info.bits_per_sample)};
    metadata.totalSamples = info.total_samples;
}

// Where the body of the block under the iterator starts, after its header.
uint64_t bodyOffset(const FLAC__Metadata_SimpleIterator* iterator) {
    return uint64_t(FLAC__metadata_simple_iterator_get_block_offset(iterator)) + 4;
}

void readComments(const FLAC__Metadata_SimpleIterator* iterator, int descriptor,
                  FLACMetadata& metadata) {
    MetadataBlockReader body(descriptor, bodyOffset(iterator),
                             FLAC__metadata_simple_iterator_get_block_length(iterator));
    CommentBlock block = readCommentBlock(body);
    metadata.commentEntries = std::move(block.entries);
    metadata.notes.append(block.notes);
}

void checkPicture(const FLAC__Metadata_SimpleIterator* iterator, int descriptor,
                  FLACMetadata& metadata) {
    if (const auto problem = pictureBlockProblem(
            descriptor, uint64_t(FLAC__metadata_simple_iterator_get_block_offset(iterator)),
            FLAC__metadata_simple_iterator_get_block_length(iterator), metadata.fileSize)) {
        metadata.notes.append(*problem);
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
    // libFLAC finds the blocks (past an ID3v2 tag, too); their bodies are
    // read here, bounded, once there is one to read.
    std::optional<ReadOnlyFile> file;
    const auto descriptor = [&] { return (file ? *file : file.emplace(path)).descriptor(); };
    // Every block is visited: a picture may come after the comments.
    do {
        switch (FLAC__metadata_simple_iterator_get_block_type(iterator.get())) {
        case FLAC__METADATA_TYPE_STREAMINFO:
            if (!metadata.format) {
                readStreamInfo(iterator.get(), metadata);
            }
            break;
        case FLAC__METADATA_TYPE_VORBIS_COMMENT:
            if (!metadata.commentEntries) {
                readComments(iterator.get(), descriptor(), metadata);
            }
            break;
        case FLAC__METADATA_TYPE_PICTURE:
            checkPicture(iterator.get(), descriptor(), metadata);
            break;
        default:
            break;
        }
    } while (FLAC__metadata_simple_iterator_next(iterator.get()));
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
