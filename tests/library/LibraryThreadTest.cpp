#include "LibraryTestSupport.h"

#include <gtest/gtest.h>

#include <barrier>
#include <thread>
#include <vector>

namespace decant::library {
namespace {

using namespace std::chrono_literals;

// Long enough for a loudness, so that albums have one.
constexpr test::WavFixture tinyWav{8000, 1, 16, 4000, false};

// Property sets race the writer, which saves whenever a track has been quiet
// for a millisecond and works out the batch's album loudness before, writes
// asked for at once and organise, each holding the tracks' locks: whatever
// interleaving happens, the last value set must end up in the database and
// in the file, and no dirty mark may be lost.
TEST(LibraryThreads, racingSetsAndSavesEndWithTheLastValues) {
    test::ScratchLibrary scratch;
    LibraryOptions options;
    options.tagQuietPeriod = 1ms;
    const auto library = scratch.open(options);
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(ImportFormat::Wav)));
    constexpr int setters = 3;
    QList<QUrl> urls;
    for (int index = 0; index < setters; ++index) {
        urls.append(scratch.writeWav(QStringLiteral("track%1.wav").arg(index), tinyWav));
    }
    const auto tracks = library->convert(urls);
    ASSERT_EQ(tracks.size(), setters);

    constexpr int rounds = 40;
    std::barrier start(setters + 2);
    std::vector<std::jthread> threads;
    for (int index = 0; index < setters; ++index) {
        threads.emplace_back([&, track = tracks[index]] {
            start.arrive_and_wait();
            for (int round = 1; round <= rounds; ++round) {
                EXPECT_TRUE(track->setProperty(QStringLiteral("artist"),
                                               QStringLiteral("round %1").arg(round)));
                EXPECT_TRUE(track->setProperty(QStringLiteral("trackNumber"), qint64(round)));
                EXPECT_TRUE(track->setProperty(QStringLiteral("album"),
                                               QStringLiteral("album %1").arg(round % 2)));
                if (round % 10 == 0) {
                    EXPECT_TRUE(library->writeTagsNow(track->id()));
                }
            }
        });
    }
    threads.emplace_back([&] {
        start.arrive_and_wait();
        for (int round = 0; round < 5; ++round) {
            EXPECT_TRUE(library->organise());
        }
    });
    // Meanwhile another batch arrives, from a thread without an event loop.
    QList<std::shared_ptr<Track>> converted;
    threads.emplace_back([&] {
        start.arrive_and_wait();
        converted = library->convert({scratch.writeWav(QStringLiteral("late.wav"), tinyWav)});
    });
    threads.clear(); // joins
    ASSERT_TRUE(library->flush(30s));

    EXPECT_EQ(converted.size(), 1);
    for (const auto& track : tracks) {
        const auto record = track->record();
        EXPECT_EQ(record->text(QStringLiteral("artist")), QStringLiteral("round 40"));
        EXPECT_EQ(record->tagsDirty, 0);
        const auto tags = test::readTags(track->filePath());
        EXPECT_EQ(tags.value("ARTIST"), QStringList{"round 40"});
        EXPECT_EQ(tags.value("TRACKNUMBER"), QStringList{"40"});
    }
}

} // namespace
} // namespace decant::library
