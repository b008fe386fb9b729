#include "FlacFixture.h"

#include <FLAC/stream_encoder.h>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace decant::test {
namespace {

struct EncoderDeleter {
    void operator()(FLAC__StreamEncoder* encoder) const { FLAC__stream_encoder_delete(encoder); }
};

// libFLAC writes the stream here, then seeks back to complete STREAMINFO.
struct MemoryStream {
    QByteArray bytes;
    qsizetype position = 0;
    std::vector<qsizetype> frameOffsets;
};

FLAC__StreamEncoderWriteStatus writeBytes(const FLAC__StreamEncoder*, const FLAC__byte buffer[],
                                          size_t length, uint32_t samples, uint32_t, void* client) {
    auto& stream = *static_cast<MemoryStream*>(client);
    if (samples > 0) {
        stream.frameOffsets.push_back(stream.position);
    }
    const auto end = stream.position + qsizetype(length);
    if (end > stream.bytes.size()) {
        stream.bytes.resize(end);
    }
    std::copy_n(buffer, length, stream.bytes.data() + stream.position);
    stream.position = end;
    return FLAC__STREAM_ENCODER_WRITE_STATUS_OK;
}

FLAC__StreamEncoderSeekStatus seekTo(const FLAC__StreamEncoder*, FLAC__uint64 offset,
                                     void* client) {
    static_cast<MemoryStream*>(client)->position = qsizetype(offset);
    return FLAC__STREAM_ENCODER_SEEK_STATUS_OK;
}

FLAC__StreamEncoderTellStatus tellPosition(const FLAC__StreamEncoder*, FLAC__uint64* offset,
                                           void* client) {
    *offset = FLAC__uint64(static_cast<MemoryStream*>(client)->position);
    return FLAC__STREAM_ENCODER_TELL_STATUS_OK;
}

void appendLittleEndian32(QByteArray& bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.append(char((value >> shift) & 0xff));
    }
}

QByteArray commentBlockBody(const QList<QByteArray>& entries) {
    QByteArray body;
    const QByteArray vendor = "decant test fixture";
    appendLittleEndian32(body, uint32_t(vendor.size()));
    body.append(vendor);
    appendLittleEndian32(body, uint32_t(entries.size()));
    for (const QByteArray& entry : entries) {
        appendLittleEndian32(body, uint32_t(entry.size()));
        body.append(entry);
    }
    return body;
}

void appendBigEndian32(QByteArray& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.append(char((value >> shift) & 0xff));
    }
}

QByteArray pictureBlockBody(const FlacPicture& picture) {
    QByteArray body;
    appendBigEndian32(body, picture.type);
    appendBigEndian32(body, uint32_t(picture.mimeType.size()));
    body.append(picture.mimeType);
    appendBigEndian32(body, 0); // no description
    for (int field = 0; field < 4; ++field) {
        appendBigEndian32(body, 0); // width, height, depth, colours: unknown
    }
    appendBigEndian32(body, uint32_t(picture.data.size()));
    return body + picture.data;
}

void appendBigEndian64(QByteArray& bytes, uint64_t value) {
    appendBigEndian32(bytes, uint32_t(value >> 32));
    appendBigEndian32(bytes, uint32_t(value));
}

void appendCueTrack(QByteArray& body, uint64_t offset, unsigned number, const QByteArray& isrc,
                    bool hasIndex) {
    appendBigEndian64(body, offset);
    body.append(char(number));
    body.append(isrc.leftJustified(12, '\0', true));
    body.append(14, '\0'); // audio, no pre-emphasis, reserved
    body.append(char(hasIndex ? 1 : 0));
    if (hasIndex) {
        appendBigEndian64(body, 0); // INDEX 01 at the track's offset
        body.append(char(1));
        body.append(3, '\0');
    }
}

// The layout of a CD's CUESHEET block; the lead-out, track 170, marks the
// end of the stream.
QByteArray cueSheetBlockBody(const FlacFixture& fixture) {
    QByteArray body(128, '\0');     // no media catalog number
    appendBigEndian64(body, 88200); // the lead-in a CD has
    body.append(char(0x80));        // a CD
    body.append(258, '\0');
    body.append(char(fixture.cueTracks.size() + 1));
    for (const FlacCueTrack& track : fixture.cueTracks) {
        appendCueTrack(body, track.offset, track.number, track.isrc, true);
    }
    appendCueTrack(body, fixture.samples, 170, {}, false);
    return body;
}

struct MetadataBlock {
    int type;
    QByteArray body;
};

constexpr int vorbisCommentType = 4;
constexpr int pictureType = 6;
constexpr int cueSheetType = 5;

// The encoder always writes a comment block of its own; replace it with
// the fixture's (or none), followed by its pictures, keeping every other
// block. Returns how many bytes the metadata grew by, so frame offsets can
// follow.
qsizetype replaceTagBlocks(QByteArray& bytes, const FlacFixture& fixture) {
    const std::optional<QList<QByteArray>>& comments = fixture.comments;
    std::vector<MetadataBlock> blocks;
    qsizetype position = 4; // past "fLaC"
    for (bool last = false; !last;) {
        const auto header = reinterpret_cast<const unsigned char*>(bytes.constData() + position);
        last = (header[0] & 0x80) != 0;
        const qsizetype length = (qsizetype(header[1]) << 16) | (header[2] << 8) | header[3];
        const int type = header[0] & 0x7f;
        if (type != vorbisCommentType) {
            blocks.push_back({type, bytes.mid(position + 4, length)});
        }
        position += 4 + length;
    }
    for (auto picture = fixture.pictures.crbegin(); picture != fixture.pictures.crend();
         ++picture) {
        blocks.insert(blocks.begin() + 1, {pictureType, pictureBlockBody(*picture)});
    }
    if (!fixture.cueTracks.isEmpty()) {
        blocks.insert(blocks.begin() + 1, {cueSheetType, cueSheetBlockBody(fixture)});
    }
    if (comments) {
        // Right after STREAMINFO, where tag readers look first.
        blocks.insert(blocks.begin() + 1, {vorbisCommentType, commentBlockBody(*comments)});
    }
    QByteArray metadata = "fLaC";
    for (std::size_t index = 0; index < blocks.size(); ++index) {
        const auto& block = blocks[index];
        const bool last = index + 1 == blocks.size();
        metadata.append(char((last ? 0x80 : 0) | block.type));
        metadata.append(char((block.body.size() >> 16) & 0xff));
        metadata.append(char((block.body.size() >> 8) & 0xff));
        metadata.append(char(block.body.size() & 0xff));
        metadata.append(block.body);
    }
    bytes.replace(0, position, metadata);
    return metadata.size() - position;
}

// "fLaC", then STREAMINFO's 4-byte header and 34 bytes of data.
constexpr qsizetype streamInfoData = 8;
constexpr qsizetype totalSamplesOffset = streamInfoData + 13; // low 4 bits, then 4 bytes
constexpr qsizetype md5Offset = streamInfoData + 18;

} // namespace

std::vector<int32_t> fixtureSamples(const FlacFixture& fixture) {
    const int64_t amplitude = (int64_t(1) << (fixture.bitsPerSample - 1)) - 1;
    std::vector<int32_t> samples(fixture.samples * fixture.channels);
    uint64_t noise = 0x9e3779b97f4a7c15ull;
    for (uint64_t index = 0; index < fixture.samples; ++index) {
        for (unsigned channel = 0; channel < fixture.channels; ++channel) {
            // A triangle wave, its period different per channel, plus a little noise.
            const int64_t period = 64 + 37 * channel;
            const int64_t phase = int64_t(index % uint64_t(period));
            const int64_t triangle = (phase < period / 2 ? phase : period - phase) * 4 - period;
            noise = noise * 6364136223846793005ull + 1442695040888963407ull;
            const int64_t jitter = int64_t(noise >> 61) - 4;
            int64_t value = triangle * amplitude / period * 9 / 10 + jitter;
            value = std::clamp(value, -amplitude - 1, amplitude);
            samples[index * fixture.channels + channel] = int32_t(value);
        }
    }
    return samples;
}

QByteArray encodeFlacFixture(const FlacFixture& fixture) {
    const std::unique_ptr<FLAC__StreamEncoder, EncoderDeleter> encoder(FLAC__stream_encoder_new());
    if (!encoder) {
        return {};
    }
    auto* raw = encoder.get();
    FLAC__stream_encoder_set_streamable_subset(raw, false);
    FLAC__stream_encoder_set_channels(raw, fixture.channels);
    FLAC__stream_encoder_set_bits_per_sample(raw, fixture.bitsPerSample);
    FLAC__stream_encoder_set_sample_rate(raw, fixture.sampleRate);
    FLAC__stream_encoder_set_compression_level(raw, 5);
    FLAC__stream_encoder_set_total_samples_estimate(raw, fixture.samples);
    if (fixture.blockSize > 0) {
        FLAC__stream_encoder_set_blocksize(raw, fixture.blockSize);
    }

    MemoryStream stream;
    if (FLAC__stream_encoder_init_stream(raw, writeBytes, seekTo, tellPosition, nullptr, &stream) !=
        FLAC__STREAM_ENCODER_INIT_STATUS_OK) {
        return {};
    }
    const std::vector<int32_t> samples = fixtureSamples(fixture);
    constexpr uint64_t chunk = 8192;
    for (uint64_t start = 0; start < fixture.samples; start += chunk) {
        const auto count = uint32_t(std::min(chunk, fixture.samples - start));
        if (!FLAC__stream_encoder_process_interleaved(
                raw, samples.data() + start * fixture.channels, count)) {
            return {};
        }
    }
    if (!FLAC__stream_encoder_finish(raw)) {
        return {};
    }

    QByteArray bytes = stream.bytes;
    const qsizetype shift = replaceTagBlocks(bytes, fixture);
    if (fixture.zeroMD5) {
        std::fill_n(bytes.data() + md5Offset, 16, '\0');
    }
    if (fixture.zeroTotalSamples) {
        bytes[totalSamplesOffset] = char(bytes[totalSamplesOffset] & 0xf0);
        std::fill_n(bytes.data() + totalSamplesOffset + 1, 4, '\0');
    }
    if (fixture.damagedFrame) {
        const auto frame = *fixture.damagedFrame;
        if (frame >= stream.frameOffsets.size()) {
            return {};
        }
        const qsizetype start = stream.frameOffsets[frame] + shift;
        const qsizetype end = frame + 1 < stream.frameOffsets.size()
                                  ? stream.frameOffsets[frame + 1] + shift
                                  : bytes.size();
        // The middle of the frame: past its header, before its CRC.
        const qsizetype target = start + (end - start) / 2;
        bytes[target] = char(bytes[target] ^ 0x5a);
    }
    return bytes;
}

bool writeFlacFixture(const QString& path, const FlacFixture& fixture) {
    const QByteArray bytes = encodeFlacFixture(fixture);
    QFile file(path);
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

bool writeFlacFixture(const QByteArray& path, const FlacFixture& fixture) {
    const QByteArray bytes = encodeFlacFixture(fixture);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.constData(), "wb"),
                                                               std::fclose);
    return !bytes.isEmpty() && file &&
           std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file.get()) ==
               size_t(bytes.size()) &&
           std::fflush(file.get()) == 0;
}

FlacFixture taggedFixture(const QList<QByteArray>& comments) {
    FlacFixture fixture;
    fixture.comments = comments;
    return fixture;
}

} // namespace decant::test
