#include "LibraryTestSupport.h"
#include "library/media/FFmpegHandles.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <taglib/mp4file.h>

namespace decant::library {
namespace {

using namespace std::chrono_literals;

QString iTunSMPB(const QString& path) {
    TagLib::MP4::File file(QFile::encodeName(path).constData(), false);
    const TagLib::MP4::Item item = file.tag()->item("----:com.apple.iTunes:iTunSMPB");
    const TagLib::StringList texts = item.toStringList();
    return texts.isEmpty() ? QString() : QString::fromStdString(texts.front().to8Bit(true));
}

// The track as FFmpeg's demuxer reads its edit list: where playing starts
// (the priming it skips) and how long it lasts, and the AAC frames stored.
struct EditedTrack {
    int64_t skipped = -1;
    int64_t duration = -1; // in samples
    int64_t frames = 0;
};

EditedTrack readEditedTrack(const QString& path) {
    AVFormatContext* raw = nullptr;
    EditedTrack track;
    if (avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr) < 0) {
        return track;
    }
    const ffmpeg::InputContext container(raw);
    const AVStream& stream = *raw->streams[0];
    track.duration = av_rescale_q(stream.duration, stream.time_base, {1, 44100});
    const ffmpeg::Packet packet(av_packet_alloc());
    while (av_read_frame(raw, packet.get()) >= 0) {
        size_t size = 0;
        const uint8_t* skip =
            av_packet_get_side_data(packet.get(), AV_PKT_DATA_SKIP_SAMPLES, &size);
        if (track.frames++ == 0 && skip && size >= 4) {
            track.skipped = qFromLittleEndian<quint32>(skip);
        }
        av_packet_unref(packet.get());
    }
    return track;
}

// A track of 88,217 samples, not a whole number of milliseconds or of AAC
// frames: the edit list says so to the sample (in 1/1000 s it would say
// 88,200), and iTunSMPB gives the priming, the padding to the last frame
// and the length, as music applications write them; rewriting the tags
// keeps it.
TEST(GaplessAac, editListAndITunSMPBPlaceTheTrackToTheSample) {
    constexpr qint64 length = 88217;
    constexpr qint64 priming = 1024; // FFmpeg's AAC encoder
    test::ScratchLibrary scratch;
    LibraryOptions options;
    options.tagQuietPeriod = 1h; // only flush writes
    const auto library = scratch.open(options);
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(ImportFormat::Aac)));

    const auto tracks =
        library->convert({scratch.writeWav("gapless.wav", {44100, 2, 16, quint64(length)})});

    ASSERT_EQ(tracks.size(), 1);
    const QString file = tracks[0]->filePath();
    const EditedTrack edited = readEditedTrack(file);
    EXPECT_EQ(edited.skipped, priming);
    EXPECT_EQ(edited.duration, length);
    const qint64 padding = edited.frames * 1024 - priming - length;
    ASSERT_TRUE(padding >= 0 && padding < 1024) << padding;
    const QString expected = QStringLiteral(" 00000000 %1 %2 %3") // 8 zero fields follow
                                 .arg(priming, 8, 16, QChar(u'0'))
                                 .arg(padding, 8, 16, QChar(u'0'))
                                 .arg(length, 16, 16, QChar(u'0'))
                                 .toUpper() +
                             QString(" 00000000").repeated(8);
    EXPECT_EQ(iTunSMPB(file), expected);

    EXPECT_TRUE(tracks[0]->setProperty("artist", QStringLiteral("Gapless Artist")));
    ASSERT_TRUE(library->flush(10s));

    const QString tagged = tracks[0]->filePath();
    EXPECT_EQ(test::readTags(tagged).value("ARTIST"), QStringList{"Gapless Artist"});
    EXPECT_EQ(iTunSMPB(tagged), expected);
    EXPECT_EQ(readEditedTrack(tagged).duration, length);
}

} // namespace
} // namespace decant::library
