#include "DecodeTestSupport.h"
#include "FlacFixture.h"
#include "decode/FLACToWAVDecoder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <array>
#include <barrier>
#include <thread>

namespace decant {
namespace {

// The queue runs one decode per processor; calls must share nothing.
TEST(DecodeThreads, decodesSeveralFilesAtOnce) {
    QTemporaryDir folder;
    constexpr std::size_t threadCount = 4;
    std::array<QString, threadCount> sources, destinations;
    for (std::size_t index = 0; index < threadCount; ++index) {
        test::FlacFixture fixture;
        fixture.channels = unsigned(index + 1);
        fixture.bitsPerSample = index % 2 ? 24 : 16;
        fixture.samples = 150000; // several buffers written by each decode
        sources[index] = folder.filePath(QStringLiteral("%1.flac").arg(index));
        destinations[index] = folder.filePath(QStringLiteral("%1.wav").arg(index));
        ASSERT_TRUE(test::writeFlacFixture(sources[index], fixture));
    }

    std::array<DecodeOutcome, threadCount> outcomes{};
    std::barrier start(threadCount);
    {
        std::array<std::jthread, threadCount> threads;
        for (std::size_t index = 0; index < threadCount; ++index) {
            threads[index] = std::jthread([&, index] {
                start.arrive_and_wait();
                outcomes[index] = decodeFLACToWAVWithOutcome(sources[index], destinations[index]);
            });
        }
    }
    for (std::size_t index = 0; index < threadCount; ++index) {
        EXPECT_EQ(outcomes[index], DecodeOutcome::Decoded);
        const auto wav = test::readWAV(destinations[index]);
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(wav->channels, index + 1);
        EXPECT_EQ(wav->data, test::referenceSampleData(sources[index]));
    }
}

} // namespace
} // namespace decant
