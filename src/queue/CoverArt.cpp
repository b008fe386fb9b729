#include "queue/CoverArt.h"

#include "queue/DecodeBatch.h"
#include "queue/FLACHandles.h"
#include "queue/MetadataBlockReader.h"

#include <QCoreApplication>

#include <array>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace decant {
namespace {

constexpr FLAC__StreamMetadata_Picture_Type frontCover =
    FLAC__STREAM_METADATA_PICTURE_TYPE_FRONT_COVER;

QByteArray dataOf(const FLAC__StreamMetadata_Picture& picture) {
    return QByteArray(reinterpret_cast<const char*>(picture.data), qsizetype(picture.data_length));
}

// The block's header: one byte of type, three of length.
constexpr uint64_t blockHeaderSize = 4;
// A picture's width, height, colour depth and colour count.
constexpr uint32_t pictureDimensionsSize = 16;

QString describeOverlongPicture(uint64_t claimedEnd, uint64_t bodyOffset, uint64_t fileSize) {
    return QCoreApplication::translate(
               "decant::CoverArt", "A picture that claims %1 was left out: the file holds only %2.")
        .arg(formatByteCount(claimedEnd - bodyOffset), formatByteCount(fileSize));
}

QString describeMalformedPicture() {
    return QCoreApplication::translate("decant::CoverArt",
                                       "A picture was left out: its lengths do not fit its block.");
}

bool isReadablePicture(const FLAC__Metadata_SimpleIterator* iterator, int descriptor,
                       uint64_t fileSize) {
    return !pictureBlockProblem(
        descriptor, uint64_t(FLAC__metadata_simple_iterator_get_block_offset(iterator)),
        FLAC__metadata_simple_iterator_get_block_length(iterator), fileSize);
}

// The front cover, else the first picture; empty for a file without one.
QByteArray pictureBlockOf(const QByteArray& path) {
    // As at intake: libFLAC would block on a FIFO.
    struct stat info {};
    const FLACIterator iterator(FLAC__metadata_simple_iterator_new());
    if (stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode) || !iterator ||
        !FLAC__metadata_simple_iterator_init(iterator.get(), path.constData(),
                                             /*read_only=*/true,
                                             /*preserve_file_stats=*/false)) {
        return {};
    }
    const ReadOnlyFile file(path);
    QByteArray first;
    do {
        if (FLAC__metadata_simple_iterator_get_block_type(iterator.get()) !=
                FLAC__METADATA_TYPE_PICTURE ||
            !isReadablePicture(iterator.get(), file.descriptor(), uint64_t(info.st_size))) {
            continue;
        }
        const FLACBlock block(FLAC__metadata_simple_iterator_get_block(iterator.get()));
        if (!block) {
            continue;
        }
        if (block->data.picture.type == frontCover) {
            return dataOf(block->data.picture);
        }
        if (first.isEmpty()) {
            first = dataOf(block->data.picture);
        }
    } while (FLAC__metadata_simple_iterator_next(iterator.get()));
    return first;
}

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

// Lower is better: "cover.jpg" 0, ..., "front.png" 8; nothing for a name
// that is no folder image.
std::optional<int> folderImageRank(const QByteArray& name) {
    static constexpr std::array stems{"cover", "folder", "front"};
    static constexpr std::array extensions{".jpg", ".jpeg", ".png"};
    const QByteArray lower = name.toLower(); // ASCII letters only
    for (std::size_t stem = 0; stem < stems.size(); ++stem) {
        for (std::size_t extension = 0; extension < extensions.size(); ++extension) {
            if (lower == QByteArray(stems[stem]) + extensions[extension]) {
                return int(stem * extensions.size() + extension);
            }
        }
    }
    return std::nullopt;
}

bool isRegularFile(int folder, const char* name) {
    struct stat info {};
    return fstatat(folder, name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

// The best folder image of the folder, by name; ties (two spellings of one
// name) go to the lower bytes, so the choice never depends on the order in
// which the folder lists them.
QByteArray folderImageName(DIR* directory) {
    QByteArray best;
    int bestRank = 0;
    while (const dirent* entry = readdir(directory)) {
        const QByteArray name(entry->d_name);
        const auto rank = folderImageRank(name);
        if (!rank || !isRegularFile(dirfd(directory), entry->d_name)) {
            continue;
        }
        if (best.isEmpty() || *rank < bestRank || (*rank == bestRank && name < best)) {
            best = name;
            bestRank = *rank;
        }
    }
    return best;
}

QByteArray readStart(int folder, const QByteArray& name, qsizetype mostBytes) {
    // Not blocking: the name may have been given to a FIFO since it was seen.
    const int descriptor = openat(folder, name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        return {};
    }
    struct stat info {};
    QByteArray bytes;
    if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(std::min<qsizetype>(qsizetype(info.st_size), mostBytes));
        qsizetype done = 0;
        ssize_t got = 0;
        while (done < bytes.size() && (got = read(descriptor, bytes.data() + done,
                                                  std::size_t(bytes.size() - done))) > 0) {
            done += got;
        }
        bytes.truncate(got < 0 ? 0 : done);
    }
    close(descriptor);
    return bytes;
}

QByteArray folderImageBeside(const QByteArray& flacPath, qsizetype mostBytes) {
    const qsizetype slash = flacPath.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : flacPath.left(std::max<qsizetype>(slash, 1));
    const Directory directory(opendir(folder.constData()));
    if (!directory) {
        return {};
    }
    const QByteArray name = folderImageName(directory.get());
    return name.isEmpty() ? QByteArray() : readStart(dirfd(directory.get()), name, mostBytes);
}

} // namespace

std::optional<QString> pictureBlockProblem(int descriptor, uint64_t headerOffset,
                                           uint32_t bodyLength, uint64_t fileSize) {
    const uint64_t bodyOffset = headerOffset + blockHeaderSize;
    if (bodyOffset + bodyLength > fileSize) {
        return describeOverlongPicture(bodyOffset + bodyLength, bodyOffset, fileSize);
    }
    // Its type, its MIME type and description (each a length, then the
    // bytes), its dimensions, then the image's length and the image.
    MetadataBlockReader body(descriptor, bodyOffset, bodyLength);
    std::optional<uint32_t> mimeTypeLength;
    std::optional<uint32_t> descriptionLength;
    const bool fieldsFit = body.skip(4) && (mimeTypeLength = body.readBigEndian32()) &&
                           body.skip(*mimeTypeLength) &&
                           (descriptionLength = body.readBigEndian32()) &&
                           body.skip(*descriptionLength) && body.skip(pictureDimensionsSize);
    const std::optional<uint32_t> dataLength = fieldsFit ? body.readBigEndian32() : std::nullopt;
    if (!dataLength) {
        return describeMalformedPicture();
    }
    if (*dataLength <= body.remaining()) {
        return std::nullopt;
    }
    const uint64_t claimedEnd = body.offset() + *dataLength;
    return claimedEnd > fileSize ? describeOverlongPicture(claimedEnd, body.offset(), fileSize)
                                 : describeMalformedPicture();
}

QByteArray readCoverArt(const QByteArray& flacPath, qsizetype mostBytes) {
    const QByteArray picture = pictureBlockOf(flacPath);
    return picture.isEmpty() ? folderImageBeside(flacPath, mostBytes) : picture;
}

} // namespace decant
