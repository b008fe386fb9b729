#include "FlacFixture.h"
#include "LibraryTestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace decant::library {
namespace {

using test::ScratchLibrary;
using test::WavFixture;

// A tenth of a second keeps these tests about batches, not encoders.
constexpr WavFixture shortWav{44100, 2, 16, 4410, false};

QStringList namesOf(const QList<std::shared_ptr<Track>>& tracks) {
    QStringList names;
    for (const auto& track : tracks) {
        names.append(track->name());
    }
    return names;
}

class ConvertBatch : public testing::Test {
protected:
    void SetUp() override {
        LibraryOptions options;
        options.parallelConversions = 3; // more than the files that succeed
        library = scratch.open(options);
        ASSERT_TRUE(library);
    }

    ScratchLibrary scratch;
    std::shared_ptr<Library> library;
};

TEST_F(ConvertBatch, leavesOutFilesThatFailAndKeepsTheOrderOfTheRest) {
    QDir().mkpath(scratch.inputPath(QStringLiteral("folder.wav")));
    const QList<QUrl> urls{
        scratch.writeWav(QStringLiteral("one.wav"), shortWav),
        QUrl(QStringLiteral("http://localhost/two.wav")),
        QUrl::fromLocalFile(scratch.inputPath(QStringLiteral("missing.wav"))),
        scratch.writeWav(QStringLiteral("three.wav"), shortWav),
        scratch.writeFile(QStringLiteral("text.wav"), "just some words, not audio\n"),
        scratch.writeFile(QStringLiteral("flac.wav"), test::encodeFlacFixture({})),
        scratch.writeWav(QStringLiteral("empty.wav"), {44100, 2, 16, 0, false}),
        QUrl::fromLocalFile(scratch.inputPath(QStringLiteral("folder.wav"))),
        scratch.writeWav(QStringLiteral("four.wav"), shortWav),
    };

    const auto outcomes = library->convertFiles(urls);

    ASSERT_EQ(outcomes.size(), urls.size());
    const QList<ConversionError> expected{
        ConversionError::None,        ConversionError::NotLocalFile, ConversionError::Unreadable,
        ConversionError::None,        ConversionError::NotWav,       ConversionError::NotWav,
        ConversionError::Undecodable, ConversionError::Unreadable,   ConversionError::None};
    for (qsizetype index = 0; index < urls.size(); ++index) {
        SCOPED_TRACE(urls[index].toString().toStdString());
        EXPECT_EQ(outcomes[index].failure.error, expected[index]);
        EXPECT_EQ(outcomes[index].track != nullptr, expected[index] == ConversionError::None);
    }
    QList<std::shared_ptr<Track>> tracks;
    for (const auto& outcome : outcomes) {
        if (outcome.track) {
            tracks.append(outcome.track);
        }
    }
    EXPECT_EQ(namesOf(tracks), QStringList({"one", "three", "four"}));
    EXPECT_LT(tracks[0]->id(), tracks[1]->id());
    EXPECT_LT(tracks[1]->id(), tracks[2]->id());
    // Nothing half-written is left behind, and every file is recorded.
    EXPECT_EQ(scratch.mediaFiles(), QStringList({"four.m4a", "one.m4a", "three.m4a"}));
    EXPECT_EQ(library->trackCount(), 3);
}

TEST_F(ConvertBatch, convertRepliesWithTheNewTracksOnly) {
    const auto tracks = library->convert({
        QUrl::fromLocalFile(scratch.inputPath(QStringLiteral("missing.wav"))),
        scratch.writeWav(QStringLiteral("kept.wav"), shortWav),
    });

    EXPECT_EQ(namesOf(tracks), QStringList{QStringLiteral("kept")});
    EXPECT_TRUE(library->convert({}).isEmpty());
}

TEST_F(ConvertBatch, takenNamesGetTheNextFreeNumberWithoutReplacingAnything) {
    QFile existing(library->mediaPath() + QStringLiteral("/song.m4a"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("someone else's file");
    existing.close();
    const QUrl song = scratch.writeWav(QStringLiteral("song.wav"), shortWav);

    // The same file twice in one batch races for one name: both must win one.
    const auto first = library->convert({song, song});
    const auto second = library->convert({song});

    ASSERT_EQ(first.size(), 2);
    ASSERT_EQ(second.size(), 1);
    EXPECT_EQ(namesOf(first + second), QStringList({"song", "song", "song"}));
    EXPECT_EQ(scratch.mediaFiles(),
              QStringList({"song 2.m4a", "song 3.m4a", "song 4.m4a", "song.m4a"}));
    EXPECT_EQ(QFileInfo(second[0]->filePath()).fileName(), QStringLiteral("song 4.m4a"));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("someone else's file"));
}

// Decant's decoder announces no data when a FLAC stream did not say how long
// it is; the samples follow all the same.
TEST_F(ConvertBatch, readsTheWholeFileWhenTheHeaderAnnouncesNoData) {
    ASSERT_TRUE(library->setImportSettings(defaultSettings(Encoder::Flac)));
    WavFixture unknownLength = shortWav;
    unknownLength.zeroDataSize = true;

    const auto tracks =
        library->convert({scratch.writeWav(QStringLiteral("x.wav"), unknownLength)});

    ASSERT_EQ(tracks.size(), 1);
    const auto decoded = test::decodeAudioFile(tracks[0]->filePath());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->frames, qint64(unknownLength.frames));
}

// The tool may change the settings while Decant runs: each batch reads them.
TEST_F(ConvertBatch, eachBatchUsesTheSettingsStoredAtItsStart) {
    LibraryOptions options;
    options.writeTags = false;
    const auto tool = Library::open(library->location(), options);
    ASSERT_TRUE(tool);
    ASSERT_TRUE(tool->setImportSettings({Encoder::Mp3, 128}));

    const auto tracks = library->convert({scratch.writeWav(QStringLiteral("a.wav"), shortWav)});

    ASSERT_EQ(tracks.size(), 1);
    EXPECT_TRUE(tracks[0]->filePath().endsWith(QStringLiteral("/a.mp3")));
    EXPECT_EQ(tracks[0]->record()->kind, QStringLiteral("MPEG audio file"));
}

} // namespace
} // namespace decant::library
