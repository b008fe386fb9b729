#include "library/verify/SoundCheck.h"

#include "LibraryTestSupport.h"
#include "library/media/FFmpegHandles.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cmath>
#include <ebur128.h>
#include <memory>

namespace decant::library {
namespace {

using namespace std::chrono_literals;
using test::ScratchLibrary;
using test::WavFixture;

// Two seconds of a 1 kHz tone in both channels: BS.1770 gives such a tone
// of peak A the loudness 20 log10(A) LUFS.
WavFixture tone(double level) {
    WavFixture fixture{44100, 2, 16, 88200, false, WavFixture::Signal::Tones};
    fixture.toneLevel = level;
    fixture.toneHertz = 1000;
    return fixture;
}

const double loud = 0.5;
const double quiet = 0.5 / std::sqrt(10.0); // 10 dB below

struct StateDestroyer {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};
using State = std::unique_ptr<ebur128_state, StateDestroyer>;

// libebur128's own figure for the fixture, in its exact mode: our meter keeps
// every gating block as that mode does, and agrees with it to far within the
// 0.05 LU held to below.
State measured(const WavFixture& fixture) {
    State state(ebur128_init(fixture.channels, fixture.sampleRate,
                             EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK));
    std::vector<short> samples;
    for (const int32_t sample : test::wavFixtureSamples(fixture)) {
        samples.push_back(short(sample));
    }
    ebur128_add_frames_short(state.get(), samples.data(), fixture.frames);
    return state;
}

double loudnessOf(const State& state) {
    double loudness = 0;
    ebur128_loudness_global(state.get(), &loudness);
    return loudness;
}

// The tags as FFmpeg's readers show them, ffprobe's view.
QMap<QString, QString> probeTags(const QString& path) {
    AVFormatContext* raw = nullptr;
    QMap<QString, QString> tags;
    if (avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr) < 0) {
        return tags;
    }
    const ffmpeg::InputContext container(raw);
    avformat_find_stream_info(raw, nullptr);
    for (const AVDictionary* metadata : {raw->metadata, raw->streams[0]->metadata}) {
        const AVDictionaryEntry* entry = nullptr;
        while ((entry = av_dict_get(metadata, "", entry, AV_DICT_IGNORE_SUFFIX))) {
            tags.insert(QString::fromUtf8(entry->key).toUpper(), QString::fromUtf8(entry->value));
        }
    }
    return tags;
}

class SoundCheck : public testing::TestWithParam<ImportFormat> {
protected:
    ScratchLibrary scratch;
};

// Two tones of one album, 10 dB apart: each track's loudness is
// libebur128's figure for it, the album's that of both as one programme,
// and each format's players find the gains where they look: ReplayGain in
// FLAC and MP3, Sound Check's iTunNORM in MP4 and MP3, R128 gains in Opus.
TEST_P(SoundCheck, measuresEachTrackAndTheAlbumAndTagsThemForPlayers) {
    const ImportFormat encoder = GetParam();
    const auto library = scratch.open();
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(encoder)));

    const auto tracks = library->convert(
        {scratch.writeWav("loud.wav", tone(loud)), scratch.writeWav("quiet.wav", tone(quiet))});
    ASSERT_EQ(tracks.size(), 2);
    for (const auto& track : tracks) {
        EXPECT_TRUE(track->setProperty("album", QStringLiteral("Tones")));
    }
    ASSERT_TRUE(library->flush(10s));

    const State loudState = measured(tone(loud));
    const State quietState = measured(tone(quiet));
    ebur128_state* both[] = {loudState.get(), quietState.get()};
    double album = 0;
    ebur128_loudness_global_multiple(both, 2, &album);
    const auto loudRecord = tracks[0]->record();
    const auto quietRecord = tracks[1]->record();
    ASSERT_TRUE(loudRecord && loudRecord->loudness && quietRecord && quietRecord->loudness);
    EXPECT_NEAR(loudRecord->loudness->integrated, loudnessOf(loudState), 0.05);
    EXPECT_NEAR(quietRecord->loudness->integrated, loudnessOf(quietState), 0.05);
    EXPECT_NEAR(loudRecord->loudness->integrated, 20 * std::log10(loud), 0.1);
    EXPECT_NEAR(loudRecord->loudness->integrated - quietRecord->loudness->integrated, 10, 0.1);
    EXPECT_NEAR(loudRecord->loudness->peak, loud, 1e-3);
    ASSERT_TRUE(loudRecord->albumLoudness && quietRecord->albumLoudness);
    EXPECT_NEAR(loudRecord->albumLoudness->integrated, album, 0.05);
    EXPECT_EQ(quietRecord->albumLoudness, loudRecord->albumLoudness);
    EXPECT_NEAR(loudRecord->albumLoudness->peak, loud, 1e-3);

    for (const auto& record : {*loudRecord, *quietRecord}) {
        const auto tags = probeTags(scratch.libraryPath() + u'/' + record.file);
        const Loudness track = *record.loudness;
        const Loudness albumLoudness = *record.albumLoudness;
        if (encoder == ImportFormat::Opus) {
            EXPECT_EQ(tags.value("R128_TRACK_GAIN"), QString::number(r128Gain(track)));
            EXPECT_EQ(tags.value("R128_ALBUM_GAIN"), QString::number(r128Gain(albumLoudness)));
            EXPECT_FALSE(tags.contains("REPLAYGAIN_TRACK_GAIN"));
            continue;
        }
        if (encoder == ImportFormat::Aac || encoder == ImportFormat::Mp3) {
            EXPECT_EQ(tags.value("ITUNNORM"), iTunNORM(track));
        }
        if (encoder == ImportFormat::Flac || encoder == ImportFormat::Mp3) {
            EXPECT_EQ(tags.value("REPLAYGAIN_TRACK_GAIN"), replayGainText(track));
            EXPECT_EQ(tags.value("REPLAYGAIN_TRACK_PEAK"), replayPeakText(track));
            EXPECT_EQ(tags.value("REPLAYGAIN_ALBUM_GAIN"), replayGainText(albumLoudness));
            EXPECT_EQ(tags.value("REPLAYGAIN_ALBUM_PEAK"), replayPeakText(albumLoudness));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FormatsWithTheirOwnFields, SoundCheck,
                         testing::Values(ImportFormat::Flac, ImportFormat::Mp3, ImportFormat::Aac,
                                         ImportFormat::Opus),
                         [](const testing::TestParamInfo<ImportFormat>& info) {
                             return formatName(info.param).toStdString();
                         });

// Silence is as quiet as BS.1770 measures, with no infinite gain; a track
// under 0.4 s has no loudness, and says so; with Sound Check off nothing is
// measured and no gain is written.
TEST(SoundCheckEdges, silenceGetsTheGateShortTracksNothingAndOffMeasuresNothing) {
    ScratchLibrary scratch;
    const auto library = scratch.open();
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(ImportFormat::Flac)));
    const WavFixture silence{44100, 2, 16, 44100, false, WavFixture::Signal::Silence};
    WavFixture brief = tone(loud);
    brief.frames = 44100 * 3 / 10;

    const auto tracks = library->convert(
        {scratch.writeWav("silence.wav", silence), scratch.writeWav("brief.wav", brief)});
    ASSERT_TRUE(library->setSoundCheck(false));
    const auto unmeasured = library->convert({scratch.writeWav("off.wav", tone(loud))});
    ASSERT_TRUE(library->flush(10s));

    ASSERT_EQ(tracks.size(), 2);
    ASSERT_EQ(unmeasured.size(), 1);
    const auto silent = tracks[0]->record();
    ASSERT_TRUE(silent && silent->loudness);
    EXPECT_EQ(*silent->loudness, (Loudness{quietestLoudness, 0}));
    EXPECT_EQ(replayGainText(*silent->loudness), "+52.00 dB");
    EXPECT_EQ(test::readTags(tracks[0]->filePath()).value("REPLAYGAIN_TRACK_GAIN"),
              QStringList{"+52.00 dB"});
    EXPECT_FALSE(tracks[1]->record()->loudness);
    EXPECT_FALSE(test::readTags(tracks[1]->filePath()).contains("REPLAYGAIN_TRACK_GAIN"));
    QProcess list;
    list.start(QStringLiteral(DECANT_LIBRARY_TOOL), {"--library", scratch.libraryPath(), "list"});
    ASSERT_TRUE(list.waitForFinished(30000));
    const QString listed = QString::fromUtf8(list.readAllStandardOutput());
    EXPECT_TRUE(listed.contains(QRegularExpression(R"(\n2 +brief .* too short )")))
        << listed.toStdString();
    EXPECT_FALSE(unmeasured[0]->record()->loudness);
    EXPECT_FALSE(test::readTags(unmeasured[0]->filePath()).contains("REPLAYGAIN_TRACK_GAIN"));
}

} // namespace
} // namespace decant::library
