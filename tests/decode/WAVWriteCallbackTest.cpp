#include "DecodeTestSupport.h"
#include "decode/WAVDecodeContext.h"
#include "decode/WAVOutputFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace decant {
namespace {

// Frames handed straight to the write callback, as libFLAC would: the cases
// here need more audio than a test can write, or frames no encoder makes.
class WAVWriteCallbackTest : public testing::Test {
protected:
    WAVWriteCallbackTest() {
        context.sampleRate = 44100;
        context.channels = 2;
        context.bitsPerSample = 16;
        context.hasStreamInfo = true;
        context.file = &file;
    }

    FLAC__StreamDecoderWriteStatus deliverFrame(unsigned samples) {
        left.assign(samples, 1000);
        right.assign(samples, -1000);
        const FLAC__int32* const buffers[] = {left.data(), right.data()};
        FLAC__Frame frame{};
        frame.header.blocksize = samples;
        frame.header.sample_rate = 44100;
        frame.header.channels = 2;
        frame.header.bits_per_sample = 16;
        return wavWriteCallback(nullptr, &frame, buffers, &context);
    }

    QTemporaryDir folder;
    WAVOutputFile file{folder.filePath(QStringLiteral("out.wav")).toUtf8(), std::nullopt};
    WAVDecodeContext context;
    std::vector<FLAC__int32> left, right;
};

TEST_F(WAVWriteCallbackTest, stopsBeforeTheDataOutgrowsWhatAWAVHeaderCanState) {
    // Room for exactly 100 more sample instants of 4 bytes.
    context.dataBytesWritten = maximumWAVDataBytes - 400;
    EXPECT_EQ(deliverFrame(100), FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE);
    EXPECT_EQ(deliverFrame(1), FLAC__STREAM_DECODER_WRITE_STATUS_ABORT);
    EXPECT_EQ(context.failure, DecodeOutcome::TooLargeForWAV);
    EXPECT_EQ(context.dataBytesWritten, maximumWAVDataBytes);
    ASSERT_TRUE(file.close());
    EXPECT_EQ(test::fileContents(folder.filePath(QStringLiteral("out.wav"))).size(), 400);
}

TEST_F(WAVWriteCallbackTest, abortsAFrameThatArrivesBeforeAnyStreamInfo) {
    context = WAVDecodeContext{};
    context.file = &file;
    EXPECT_EQ(deliverFrame(16), FLAC__STREAM_DECODER_WRITE_STATUS_ABORT);
    EXPECT_EQ(context.failure, DecodeOutcome::MissingStreamInfo);
}

} // namespace
} // namespace decant
