#include "decode/FLACSliceDecoder.h"

#include "DecodeTestSupport.h"
#include "FlacFixture.h"
#include "SampleCheckHex.h"
#include "decode/FLACToWAVDecoder.h"
#include "decode/WAVHeader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace decant {
namespace {

using test::FlacFixture;

struct SliceCase {
    const char* name;
    unsigned bitsPerSample;
    unsigned channels;
    // Cut points in samples; the last slice ends at the stream's end.
    std::vector<uint64_t> starts;
};

class SliceDecodeTest : public testing::TestWithParam<SliceCase> {
protected:
    QByteArray path(const QString& name) const { return QFile::encodeName(folder.filePath(name)); }

    QTemporaryDir folder;
};

// Every slice holds exactly its part of what the one-file decode gives, and
// its digest is that part's MD5, whatever frames the cuts fall in.
TEST_P(SliceDecodeTest, writesEachSliceAsItsPartOfTheWholeDecode) {
    FlacFixture fixture;
    fixture.bitsPerSample = GetParam().bitsPerSample;
    fixture.channels = GetParam().channels;
    fixture.samples = 20001;
    fixture.blockSize = 4096;
    ASSERT_TRUE(test::writeFlacFixture(path("album.flac"), fixture));
    ASSERT_EQ(decodeFLACToWAVWithResult(path("album.flac"), path("whole.wav")).outcome,
              DecodeOutcome::Decoded);
    const QByteArray whole = test::readWAV(folder.filePath("whole.wav"))->data;
    const uint32_t align =
        blockAlign({44100, uint16_t(fixture.channels), uint16_t(fixture.bitsPerSample)});

    const std::vector<uint64_t>& starts = GetParam().starts;
    QList<WAVSlice> slices;
    for (std::size_t index = 0; index < starts.size(); ++index) {
        const uint64_t end = index + 1 < starts.size() ? starts[index + 1] : fixture.samples;
        slices.append({starts[index], end, path(QStringLiteral("%1.wav").arg(index))});
    }
    const SlicedDecodeResult result = decodeFLACToWAVSlices(path("album.flac"), slices);

    ASSERT_EQ(result.stream.outcome, DecodeOutcome::Decoded);
    ASSERT_EQ(result.audioDigests.size(), std::size_t(slices.size()));
    for (qsizetype index = 0; index < slices.size(); ++index) {
        const WAVSlice& slice = slices[index];
        const QByteArray expected =
            whole.mid(qsizetype(slice.firstSample * align),
                      qsizetype((slice.endSample - slice.firstSample) * align));
        const auto wav = test::readWAV(QFile::decodeName(slice.destination));
        ASSERT_TRUE(wav) << index;
        EXPECT_EQ(wav->dataSize, uint32_t(expected.size())) << index;
        EXPECT_EQ(wav->data, expected + QByteArray(qsizetype(padBytes(expected.size())), '\0'))
            << index;
        EXPECT_EQ(result.audioDigests[std::size_t(index)],
                  QCryptographicHash::hash(expected, QCryptographicHash::Md5).toHex().toStdString())
            << index;
        EXPECT_EQ(result.sampleChecks[std::size_t(index)], test::sampleCheckHex(expected)) << index;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, SliceDecodeTest,
    testing::Values(SliceCase{"CDTracksAcrossFrames", 16, 2, {0, 3000, 4096, 17000}},
                    SliceCase{"HiddenTrackLeftOut", 24, 2, {1000, 12345}},
                    SliceCase{"OddEightBitMono", 8, 1, {0, 7, 8193}},
                    SliceCase{"OneSampleAtTheEnd", 16, 6, {0, 20000}}),
    [](const auto& info) { return info.param.name; });

// A stream that fails its check fails every slice; slices that do not fit
// the stream are refused before anything is written.
TEST(SliceDecodeFailureTest, failsEverySliceWithTheStreamsReason) {
    QTemporaryDir folder;
    const auto path = [&](const char* name) { return QFile::encodeName(folder.filePath(name)); };
    FlacFixture fixture;
    fixture.samples = 20000;
    fixture.blockSize = 4096;
    ASSERT_TRUE(test::writeFlacFixture(path("good.flac"), fixture));
    fixture.damagedFrame = 3;
    ASSERT_TRUE(test::writeFlacFixture(path("damaged.flac"), fixture));

    const struct {
        const char* source;
        QList<std::pair<uint64_t, uint64_t>> cuts;
        DecodeOutcome outcome;
    } cases[] = {
        {"damaged.flac", {{0, 10000}, {10000, 20000}}, DecodeOutcome::MD5Mismatch},
        {"good.flac", {{0, 10000}, {10000, 20001}}, DecodeOutcome::SliceOutsideStream},
        {"good.flac", {{0, 10000}, {9999, 20000}}, DecodeOutcome::SliceOutsideStream},
        {"good.flac", {{5000, 5000}}, DecodeOutcome::SliceOutsideStream},
        {"missing.flac", {{0, 10}}, DecodeOutcome::SourceUnreadable},
    };
    for (const auto& test : cases) {
        QList<WAVSlice> slices;
        for (const auto& [first, end] : test.cuts) {
            slices.append({first, end, path("slice.wav") + QByteArray::number(slices.size())});
            QFile::remove(QFile::decodeName(slices.last().destination));
        }
        const SlicedDecodeResult result = decodeFLACToWAVSlices(path(test.source), slices);
        EXPECT_EQ(result.stream.outcome, test.outcome) << test.source;
        EXPECT_TRUE(result.audioDigests.empty()) << test.source;
        if (test.outcome == DecodeOutcome::SliceOutsideStream) {
            EXPECT_FALSE(QFile::exists(QFile::decodeName(slices.first().destination)));
        }
    }
}

} // namespace
} // namespace decant
