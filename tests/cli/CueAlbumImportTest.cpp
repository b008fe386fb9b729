#include "CliTestSupport.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace decant {
namespace {

// Three seconds of CD audio in one file, cut at 2/3 s (track 2's pregap,
// from 0.49 s, stays with track 1) and at 1.2 s; titles in Latin-1.
const QByteArray albumSheet = "PERFORMER \"The Band\"\r\n"
                              "TITLE \"The Album\"\r\n"
                              "FILE \"album.wav\" WAVE\r\n"
                              "  TRACK 01 AUDIO\r\n"
                              "    TITLE \"Un\"\r\n"
                              "    INDEX 01 00:00:00\r\n"
                              "  TRACK 02 AUDIO\r\n"
                              "    TITLE \"Deux \xe9t\xe9\"\r\n"
                              "    INDEX 00 00:00:37\r\n"
                              "    INDEX 01 00:00:50\r\n"
                              "  TRACK 03 AUDIO\r\n"
                              "    TITLE \"Trois\"\r\n"
                              "    INDEX 01 00:01:15\r\n";
constexpr uint64_t cuts[] = {0, 29400, 52920, 132300};

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// Interleaved 16-bit samples as ffmpeg decodes the file, edit list applied.
QByteArray ffmpegSamples(const QString& path) {
    return run(QStringLiteral("ffmpeg"), {"-v", "error", "-i", path, "-f", "s16le", "-"});
}

// The track's length in samples as its container states it.
uint64_t statedLength(const QString& path) {
    return run(QStringLiteral("ffprobe"), {"-v", "error", "-show_entries", "stream=duration_ts",
                                           "-of", "default=nw=1:nk=1", path})
        .trimmed()
        .toULongLong();
}

// The largest difference between a decoded track that starts at sample `at`
// of the album and the album, over the track's samples [from, to).
int largestDifference(const QByteArray& track, const QByteArray& album, int64_t at, int64_t from,
                      int64_t to) {
    const auto* decoded = reinterpret_cast<const int16_t*>(track.constData());
    const auto* original = reinterpret_cast<const int16_t*>(album.constData());
    int largest = 0;
    for (int64_t index = from * 2; index < to * 2 && index < track.size() / 2; ++index) {
        largest = std::max(largest, std::abs(decoded[index] - original[at * 2 + index]));
    }
    return largest;
}

class CueAlbumImport : public testing::TestWithParam<const char*> {
protected:
    test::CliScratch scratch;
};

// One track per CUE track, each exactly its slice of the album: sample for
// sample where the format is lossless, and to the sample in length where
// it is not, so that the album plays without gaps.
TEST_P(CueAlbumImport, importsEachTrackAsItsSliceOfTheAlbum) {
    // A tone, whose error after a lossy encode is small and even, unless
    // the encoder starts a track cold.
    const QString album = scratch.musicPath("Album/album.flac");
    QDir().mkpath(scratch.musicPath("Album"));
    run(QStringLiteral("ffmpeg"),
        {"-v", "error", "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=3",
         "-ac", "2", "-metadata", "ARTIST=The Band", album});
    scratch.writeFile("Album/album.cue", albumSheet);
    QProcess settings;
    settings.setProcessEnvironment(scratch.environment());
    settings.start(QStringLiteral(DECANT_LIBRARY_TOOL), {"settings", "--encoder", GetParam()});
    ASSERT_TRUE(settings.waitForFinished(30000) && settings.exitCode() == 0);

    const auto result = test::runCli(scratch, {scratch.musicPath("Album")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    auto tracks = scratch.libraryTracks();
    ASSERT_EQ(tracks.size(), 3) << result.out.toStdString();
    std::sort(tracks.begin(), tracks.end(),
              [](const auto& first, const auto& second) { return first.id < second.id; });
    const QByteArray source = ffmpegSamples(album);
    const bool lossless = QByteArray(GetParam()) == "alac";
    const QStringList titles{"Un", "Deux été", "Trois"};
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(index);
        const QString path = scratch.libraryPath() + '/' + tracks[index].file;
        EXPECT_TRUE(tracks[index].file.contains(titles[index])) << tracks[index].file.toStdString();
        const uint64_t length = cuts[index + 1] - cuts[index];
        EXPECT_EQ(statedLength(path), length);
        const QByteArray decoded = ffmpegSamples(path);
        if (lossless) {
            EXPECT_EQ(decoded, source.mid(qsizetype(cuts[index] * 4), qsizetype(length * 4)));
        } else if (index > 0) {
            // The track's first samples are about as close to the album's
            // as the last ones of the track before: no click at the cut.
            const auto previous = int64_t(cuts[index] - cuts[index - 1]);
            const QByteArray before =
                ffmpegSamples(scratch.libraryPath() + '/' + tracks[index - 1].file);
            const int ending = largestDifference(before, source, int64_t(cuts[index - 1]),
                                                 previous - 1024, previous);
            const int starting = largestDifference(decoded, source, int64_t(cuts[index]), 0, 256);
            EXPECT_LE(starting, 2 * ending + 64) << ending;
        }
    }
    EXPECT_TRUE(scratch.decodedFiles().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Formats, CueAlbumImport, testing::Values("alac", "aac"));

} // namespace
} // namespace decant
