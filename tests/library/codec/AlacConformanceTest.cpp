// Our ALAC coder held to FFmpeg's: what our encoder writes, FFmpeg's decoder
// and muxer take and give back bit for bit, and on FFmpeg's own streams our
// decoder gives what FFmpeg's does.
#include "AlacSignals.h"
#include "FfmpegAlac.h"
#include "library/codec/alac/AlacDecoder.h"
#include "library/codec/alac/AlacEncoder.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

namespace decant::library::alac {
namespace {

using test::AlacSignal;
using test::Planes;

// What a stream holds: two full frames of a signal, or music whose last
// frame is short, or a single sample of music.
enum class Content { Silence, Noise, Music, ShortLastFrame, OneSample };

AlacSignal signalOf(Content content) {
    switch (content) {
    case Content::Silence:
        return AlacSignal::Silence;
    case Content::Noise:
        return AlacSignal::Noise;
    default:
        break;
    }
    return AlacSignal::MusicLike;
}

int64_t samplesOf(Content content) {
    switch (content) {
    case Content::ShortLastFrame:
        return 2 * 4096 + 1234;
    case Content::OneSample:
        return 1;
    default:
        break;
    }
    return 2 * 4096;
}

struct Encoded {
    test::AlacStream stream;
    std::vector<int> frameSamples;
};

Encoded encodeOurs(const Planes& planes, int bits, int sampleRate) {
    AlacEncoderSettings settings;
    settings.channels = int(planes.size());
    settings.bitsPerSample = bits;
    settings.sampleRate = sampleRate;
    AlacEncoder encoder(settings);
    Encoded encoded;
    encoded.stream.cookie = encoder.magicCookie();
    const int64_t length = int64_t(planes[0].size());
    for (int64_t start = 0; start < length; start += encoder.frameLength()) {
        const int count = int(std::min<int64_t>(encoder.frameLength(), length - start));
        const auto packet = encoder.encode(test::planePointers(planes, start).data(), count);
        EXPECT_LE(packet.size(), encoder.config().maxFrameBytes);
        encoded.stream.packets.emplace_back(packet.begin(), packet.end());
        encoded.frameSamples.push_back(count);
    }
    return encoded;
}

// The frame of `planes` from `start` on.
Planes frameOf(const Planes& planes, int64_t start, int count) {
    Planes frame;
    for (const auto& plane : planes) {
        frame.emplace_back(plane.begin() + start, plane.begin() + start + count);
    }
    return frame;
}

Planes decodedByOurs(AlacDecoder& decoder, std::span<const uint8_t> packet) {
    const AlacDecoder::Result result = decoder.decode(packet);
    EXPECT_EQ(result.error, AlacError::None) << describeAlacError(result.error).toStdString();
    Planes planes(decoder.config().channels);
    for (size_t c = 0; c < planes.size() && result.error == AlacError::None; ++c) {
        planes[c].assign(decoder.channel(int(c)), decoder.channel(int(c)) + result.samples);
    }
    return planes;
}

using OursParameters = std::tuple<int, int, Content>;

class OurAlacStream : public testing::TestWithParam<OursParameters> {};

// Every depth and channel count Decant writes ALAC in, each rate with each
// depth, on what is stored compressed and what is not, with full and short
// frames.
TEST_P(OurAlacStream, decodesBitForBitWithFfmpegAndOurs) {
    const auto [bits, channels, content] = GetParam();
    const int rates[] = {44100, 48000, 96000};
    const int rate = rates[(channels + bits / 8) % 3];
    const Planes source =
        test::alacSignal(signalOf(content), channels, bits, rate, samplesOf(content));
    const Encoded encoded = encodeOurs(source, bits, rate);

    const auto config = readMagicCookie(encoded.stream.cookie);
    ASSERT_TRUE(config);
    EXPECT_EQ(config->channels, channels);
    EXPECT_EQ(config->bitDepth, bits);
    EXPECT_EQ(config->sampleRate, uint32_t(rate));
    EXPECT_EQ(config->frameLength, 4096u);
    test::FfmpegAlacDecoder ffmpeg(encoded.stream.cookie);
    ASSERT_TRUE(ffmpeg.isOpen());
    AlacError error;
    const auto ours = AlacDecoder::create(encoded.stream.cookie, &error);
    ASSERT_TRUE(ours);

    int64_t start = 0;
    for (size_t i = 0; i < encoded.stream.packets.size(); ++i) {
        const int count = encoded.frameSamples[i];
        const Planes expected = frameOf(source, start, count);
        const auto theirs = ffmpeg.decode(encoded.stream.packets[i]);
        ASSERT_TRUE(theirs) << "FFmpeg refused packet " << i;
        EXPECT_EQ(*theirs, expected) << "packet " << i;
        EXPECT_EQ(decodedByOurs(*ours, encoded.stream.packets[i]), expected) << "packet " << i;
        start += count;
    }
}

INSTANTIATE_TEST_SUITE_P(AlacCodec, OurAlacStream,
                         testing::Combine(testing::Values(16, 24), testing::Range(1, 9),
                                          testing::Values(Content::Silence, Content::Noise,
                                                          Content::Music, Content::ShortLastFrame,
                                                          Content::OneSample)));

using FfmpegParameters = std::tuple<int, int, Content>;

class FfmpegAlacStream : public testing::TestWithParam<FfmpegParameters> {};

// Our decoder is the proof of an import only because it decodes as FFmpeg's
// does; on music, our encoder is to write no more than FFmpeg's does.
TEST_P(FfmpegAlacStream, decodesAsFfmpegDoesAndOursIsNoLarger) {
    const auto [bits, channels, content] = GetParam();
    const Planes source =
        test::alacSignal(AlacSignal::MusicLike, channels, bits, 44100, 3 * samplesOf(content));
    const test::AlacStream theirs = test::ffmpegAlacEncode(source, bits, 44100);
    ASSERT_FALSE(theirs.packets.empty());
    test::FfmpegAlacDecoder ffmpeg(theirs.cookie);
    AlacError error;
    const auto ours = AlacDecoder::create(theirs.cookie, &error);
    ASSERT_TRUE(ours);
    size_t theirBytes = 0;
    for (const auto& packet : theirs.packets) {
        const auto expected = ffmpeg.decode(packet);
        ASSERT_TRUE(expected);
        EXPECT_EQ(decodedByOurs(*ours, packet), *expected);
        theirBytes += packet.size();
    }
    const Encoded ourStream = encodeOurs(source, bits, 44100);
    size_t ourBytes = 0;
    for (const auto& packet : ourStream.stream.packets) {
        ourBytes += packet.size();
    }
    EXPECT_LE(double(ourBytes), 1.01 * double(theirBytes));
    // The cookie is FFmpeg's byte for byte but for two numbers FFmpeg
    // guesses: the largest packet, which ours gives exactly, and the bit
    // rate, which ours says it does not know.
    const auto blank = [](std::vector<uint8_t> cookie) {
        for (size_t i = 24; i < 32 && i < cookie.size(); ++i) {
            cookie[i] = 0;
        }
        return cookie;
    };
    ASSERT_EQ(ourStream.stream.cookie.size(), 36u);
    EXPECT_EQ(blank(ourStream.stream.cookie), blank(theirs.cookie));
}

INSTANTIATE_TEST_SUITE_P(AlacCodec, FfmpegAlacStream,
                         testing::Combine(testing::Values(16, 24), testing::Range(1, 9),
                                          testing::Values(Content::Music,
                                                          Content::ShortLastFrame)));

class AlacFile : public testing::TestWithParam<int> {};

// The library hands our packets and cookie to FFmpeg's MP4 muxer.
TEST_P(AlacFile, holdsOurPacketsForFfmpeg) {
    const int channels = GetParam();
    const int bits = channels % 2 ? 24 : 16;
    const Planes source = test::alacSignal(AlacSignal::MusicLike, channels, bits, 48000,
                                           samplesOf(Content::ShortLastFrame));
    const Encoded encoded = encodeOurs(source, bits, 48000);
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("ours.m4a"));
    ASSERT_TRUE(test::writeAlacFile(path, encoded.stream, channels, bits, 48000,
                                    int64_t(source[0].size())));
    EXPECT_EQ(test::readAlacFile(path), source);
}

INSTANTIATE_TEST_SUITE_P(AlacCodec, AlacFile, testing::Range(1, 9));

} // namespace
} // namespace decant::library::alac
