#pragma once

#include "AlacSignals.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

namespace decant::test {

// FFmpeg's own ALAC coder, the measure ours is held to.
struct AlacStream {
    std::vector<uint8_t> cookie; // the codec's extradata
    std::vector<std::vector<uint8_t>> packets;
};

// FFmpeg's encoder at its default settings, in frames of its own length.
// `planes` are in FFmpeg's channel order, values of `bits` (16 or 24) bits.
AlacStream ffmpegAlacEncode(const Planes& planes, int bits, int sampleRate);

// The same with FFmpeg's frames made once, so that a benchmark times the
// encoder alone.
class FfmpegAlacEncoder {
public:
    FfmpegAlacEncoder(const Planes& planes, int bits, int sampleRate);
    ~FfmpegAlacEncoder();
    AlacStream encode() const;

private:
    int bits_;
    int sampleRate_;
    int channels_;
    std::vector<struct AVFrame*> frames_;
};

// FFmpeg's decoder, on one thread.
class FfmpegAlacDecoder {
public:
    explicit FfmpegAlacDecoder(std::span<const uint8_t> cookie);
    ~FfmpegAlacDecoder();

    // False when FFmpeg refused the cookie.
    bool isOpen() const { return context_ != nullptr; }

    // The packet's samples, one plane a channel of values of the stream's
    // bit depth, or nothing when FFmpeg refuses the packet.
    std::optional<Planes> decode(std::span<const uint8_t> packet);
    // Decodes without handing the samples over: how many there were, or
    // -1 when FFmpeg refuses.
    int decodeCount(std::span<const uint8_t> packet);

private:
    AVCodecContext* context_ = nullptr;
    struct AVPacket* packet_;
    struct AVFrame* frame_;
    int send(std::span<const uint8_t> packet);
};

// Puts a stream of `samples` samples a channel, in frames of 4096, into an
// MP4 (iPod) file with FFmpeg's muxer, as the library writes its ALAC
// files. False when FFmpeg refused.
bool writeAlacFile(const QString& path, const AlacStream& stream, int channels, int bits,
                   int sampleRate, int64_t samples);

// Reads an ALAC file back with FFmpeg's demuxer and decoder: all of its
// samples, or nothing when FFmpeg refuses.
std::optional<Planes> readAlacFile(const QString& path);

} // namespace decant::test
