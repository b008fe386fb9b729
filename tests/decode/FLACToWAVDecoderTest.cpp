#include "decode/FLACToWAVDecoder.h"

#include "DecodeTestSupport.h"
#include "FlacFixture.h"
#include "SampleCheckHex.h"
#include "decode/WAVHeader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

namespace decant {
namespace {

using test::FlacFixture;

class DecodedAudioTest : public testing::Test {
protected:
    QString source(const FlacFixture& fixture) {
        const QString path = folder.filePath(QStringLiteral("source.flac"));
        EXPECT_TRUE(test::writeFlacFixture(path, fixture));
        return path;
    }

    QString source(const QByteArray& bytes) {
        const QString path = folder.filePath(QStringLiteral("source.flac"));
        EXPECT_TRUE(test::writeFile(path, bytes));
        return path;
    }

    QString destination() const { return folder.filePath(QStringLiteral("decoded.wav")); }

    test::WAVContents decoded() const {
        const auto wav = test::readWAV(destination());
        EXPECT_TRUE(wav.has_value()) << "no WAV header at " << destination().toStdString();
        return wav.value_or(test::WAVContents{});
    }

    QTemporaryDir folder;
};

TEST_F(DecodedAudioTest, writesTheHeaderOfAnOrdinaryCDFileByteForByte) {
    FlacFixture fixture;
    fixture.samples = 441000;
    const QString path = source(fixture);
    ASSERT_EQ(decodeFLACToWAVWithOutcome(path, destination()), DecodeOutcome::Decoded);

    const QByteArray expected("RIFF\xc4\xea\x1a\x00"
                              "WAVEfmt \x10\x00\x00\x00\x01\x00\x02\x00"
                              "\x44\xac\x00\x00\x10\xb1\x02\x00\x04\x00\x10\x00"
                              "data\xa0\xea\x1a\x00",
                              44);
    const QByteArray bytes = test::fileContents(destination());
    EXPECT_EQ(bytes.left(44).toHex(' '), expected.toHex(' '));
    EXPECT_EQ(bytes.size(), 44 + 1764000);
    EXPECT_EQ(bytes.mid(44), test::referenceSampleData(path));
}

TEST_F(DecodedAudioTest, acceptsAStreamWithoutSignatureEvenWhenAFrameIsDamaged) {
    FlacFixture fixture;
    fixture.blockSize = 1024;
    fixture.zeroMD5 = true;
    // libFLAC delivers this frame as silence: the stream keeps its length.
    fixture.damagedFrame = 2;
    EXPECT_TRUE(decodeFLACToWAV(source(fixture), destination()));
}

TEST_F(DecodedAudioTest, failsOnADamagedFrameButLeavesTheWholeFile) {
    FlacFixture fixture;
    fixture.blockSize = 1024;
    fixture.damagedFrame = 2;
    EXPECT_EQ(decodeFLACToWAVWithOutcome(source(fixture), destination()),
              DecodeOutcome::MD5Mismatch);
    const auto wav = decoded();
    EXPECT_EQ(wav.dataSize, fixture.samples * 4);
    EXPECT_EQ(wav.data.size(), qsizetype(fixture.samples * 4));
}

TEST_F(DecodedAudioTest, writesFramesLargerThanTheOutputBuffer) {
    FlacFixture fixture;
    fixture.bitsPerSample = 32;
    fixture.channels = 8;
    fixture.blockSize = 65535; // 2 MiB a frame once decoded
    fixture.samples = 140000;
    const QString path = source(fixture);
    ASSERT_EQ(decodeFLACToWAVWithOutcome(path, destination()), DecodeOutcome::Decoded);
    EXPECT_TRUE(decoded().data == test::referenceSampleData(path));
}

// STREAMINFO's total may be unknown (0) or smaller than what follows; the
// header must describe the samples that follow it all the same.
class StreamInfoTotalTest : public DecodedAudioTest,
                            public testing::WithParamInterface<uint64_t> {};

TEST_P(StreamInfoTotalTest, sizesDescribeTheSamplesWritten) {
    FlacFixture fixture;
    fixture.channels = 3;
    fixture.bitsPerSample = 24;
    // The reference tool refuses a stream shorter than its STREAMINFO says,
    // so it decodes the file as it was encoded.
    const QString original = source(fixture);
    const QByteArray reference = test::referenceSampleData(original);
    QByteArray flac = test::encodeFlacFixture(fixture);
    test::setStreamInfoField(flac, test::totalSamplesBit, test::totalSamplesWidth, GetParam());

    ASSERT_EQ(decodeFLACToWAVWithOutcome(source(flac), destination()), DecodeOutcome::Decoded);
    const auto wav = decoded();
    const uint32_t dataBytes = uint32_t(fixture.samples) * 9;
    EXPECT_EQ(wav.dataSize, dataBytes);
    EXPECT_EQ(wav.riffSize, dataBytes + 36);
    EXPECT_EQ(wav.data, reference);
}

INSTANTIATE_TEST_SUITE_P(UnknownOrShort, StreamInfoTotalTest, testing::Values(0, 1, 4409));

// Fewer samples than STREAMINFO announces: the file was cut short, or the
// total is wrong, which no decoder can tell apart. Without a signature
// nothing else would notice.
struct ShortStream {
    const char* name;
    bool zeroMD5;
    double keptShare;          // of the encoded file
    uint64_t announcedSamples; // 0: as encoded
    std::optional<unsigned> damagedFrame = std::nullopt;
};

class ShortStreamTest : public DecodedAudioTest, public testing::WithParamInterface<ShortStream> {};

TEST_P(ShortStreamTest, failsSayingHowFarTheStreamGot) {
    FlacFixture fixture;
    fixture.samples = 44100;
    fixture.blockSize = 4096;
    fixture.zeroMD5 = GetParam().zeroMD5;
    fixture.damagedFrame = GetParam().damagedFrame;
    QByteArray flac = test::encodeFlacFixture(fixture);
    flac.truncate(qsizetype(double(flac.size()) * GetParam().keptShare));
    uint64_t announced = fixture.samples;
    if (GetParam().announcedSamples != 0) {
        announced = GetParam().announcedSamples;
        test::setStreamInfoField(flac, test::totalSamplesBit, test::totalSamplesWidth, announced);
    }

    const QByteArray path = source(flac).toUtf8();
    const DecodeResult result =
        decodeFLACToWAVWithResult(path.constData(), destination().toUtf8().constData());
    EXPECT_EQ(result.outcome, DecodeOutcome::StreamTruncated);
    EXPECT_LT(result.samplesDecoded, announced);
    EXPECT_EQ(describeResult(result), "stream ends after " + std::to_string(result.samplesDecoded) +
                                          " of " + std::to_string(announced) + " samples");
    // What was decoded is described truly, for whoever looks at it.
    EXPECT_EQ(decoded().dataSize, result.samplesDecoded * 4);
    EXPECT_EQ(decoded().data.size(), qsizetype(result.samplesDecoded * 4));
}

INSTANTIATE_TEST_SUITE_P(Streams, ShortStreamTest,
                         testing::Values(ShortStream{"cutWithoutSignature", true, 0.6, 0},
                                         ShortStream{"cutWithSignature", false, 0.6, 0},
                                         ShortStream{"totalTooLarge", true, 1.0, 44101},
                                         // A frame damaged so that libFLAC drops it whole.
                                         ShortStream{"frameLostWithoutSignature", true, 1.0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DecodedAudioTest, refusesAStreamLongerThanAWAVFileCanDescribe) {
    FlacFixture fixture;
    QByteArray flac = test::encodeFlacFixture(fixture);
    // 2^30 sample instants of 4 bytes: exactly 4 GiB of data.
    test::setStreamInfoField(flac, test::totalSamplesBit, test::totalSamplesWidth, 1ull << 30);
    EXPECT_EQ(decodeFLACToWAVWithOutcome(source(flac), destination()),
              DecodeOutcome::TooLargeForWAV);
    EXPECT_EQ(test::fileContents(destination()).size(), 0);
}

// Every depth FLAC has in common use, every channel count, low to high
// rates: the samples must be exactly those the reference decoder gives.
using Format = std::tuple<unsigned, unsigned, unsigned>; // bits, channels, rate

class FormatMatrixTest : public DecodedAudioTest, public testing::WithParamInterface<Format> {};

TEST_P(FormatMatrixTest, matchesTheReferenceDecoderSampleForSample) {
    const auto [bits, channels, rate] = GetParam();
    FlacFixture fixture;
    fixture.bitsPerSample = bits;
    fixture.channels = channels;
    fixture.sampleRate = rate;
    // A full frame and a short one; an odd count, so 8 and 24 bits on an odd
    // number of channels make an odd-sized data chunk.
    fixture.samples = 4501;
    const QString path = source(fixture);
    const DecodeResult result = decodeFLACToWAVWithResult(
        QFile::encodeName(path).constData(), QFile::encodeName(destination()).constData());
    ASSERT_EQ(result.outcome, DecodeOutcome::Decoded);

    const auto wav = decoded();
    const unsigned container = (bits + 7) / 8;
    EXPECT_EQ(wav.riff, "RIFF");
    EXPECT_EQ(wav.waveFmt, "WAVEfmt ");
    EXPECT_EQ(wav.fmtSize, 16u);
    EXPECT_EQ(wav.format, 1u);
    EXPECT_EQ(wav.channels, channels);
    EXPECT_EQ(wav.sampleRate, rate);
    EXPECT_EQ(wav.bitsPerSample, 8 * container);
    EXPECT_EQ(wav.blockAlign, channels * container);
    EXPECT_EQ(wav.byteRate, rate * channels * container);
    EXPECT_EQ(wav.dataTag, "data");
    EXPECT_EQ(wav.dataSize, fixture.samples * channels * container);
    // RIFF counts the pad byte after an odd-sized chunk; the chunk does not.
    const uint32_t pad = wav.dataSize % 2;
    EXPECT_EQ(wav.riffSize, wav.dataSize + 36 + pad);
    const QByteArray reference = test::referenceSampleData(path);
    ASSERT_FALSE(reference.isEmpty()) << "the reference flac tool failed or is missing";
    EXPECT_TRUE(wav.data == reference + QByteArray(pad, '\0'))
        << "sample data differs from the reference decoder";
    EXPECT_EQ(wavFileSize(wav.dataSize), uint64_t(44 + wav.data.size()));
    // STREAMINFO's signature is the MD5 of these very bytes only where FLAC
    // and WAV store samples alike.
    const bool sameBytes = bits == 16 || bits == 24 || bits == 32;
    const QByteArray samples = wav.data.left(qsizetype(wav.dataSize));
    EXPECT_EQ(QString::fromStdString(result.audioDigest),
              sameBytes ? QString::fromLatin1(
                              QCryptographicHash::hash(samples, QCryptographicHash::Md5).toHex())
                        : QString());
    EXPECT_EQ(result.sampleCheck, sameBytes ? test::sampleCheckHex(samples) : std::string());
}

std::string formatName(const testing::TestParamInfo<Format>& info) {
    const auto [bits, channels, rate] = info.param;
    return std::to_string(bits) + "bit_" + std::to_string(channels) + "ch_" + std::to_string(rate) +
           "Hz";
}

INSTANTIATE_TEST_SUITE_P(DepthsChannelsRates, FormatMatrixTest,
                         testing::Combine(testing::Values(8u, 12u, 16u, 20u, 24u, 32u),
                                          testing::Range(1u, 9u),
                                          testing::Values(8000u, 44100u, 384000u)),
                         formatName);

} // namespace
} // namespace decant
