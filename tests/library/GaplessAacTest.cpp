#include "LibraryTestSupport.h"
#include "library/FFmpegHandles.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>
#include <taglib/mp4file.h>

namespace decant::library {
namespace {

using namespace std::chrono_literals;

// The body of the box at the end of `path` (moov, trak...), read from the
// file's bytes as ISO 14496-12 lays them out; empty when there is none.
QByteArray findBox(const QByteArray& data, const QList<QByteArray>& path) {
    QByteArray level = data;
    for (const QByteArray& type : path) {
        QByteArray found;
        for (qsizetype at = 0; at + 8 <= level.size();) {
            const auto* header = reinterpret_cast<const uchar*>(level.constData() + at);
            qint64 size = qFromBigEndian<quint32>(header);
            qsizetype body = 8;
            if (size == 1 && at + 16 <= level.size()) {
                size = qint64(qFromBigEndian<quint64>(header + 8));
                body = 16;
            } else if (size == 0) {
                size = level.size() - at;
            }
            if (size < body || at + size > level.size()) {
                return {};
            }
            if (level.mid(at + 4, 4) == type) {
                found = level.mid(at + body, size - body);
                break;
            }
            at += size;
        }
        if (found.isEmpty()) {
            return {};
        }
        level = found;
    }
    return level;
}

quint64 bigEndian(const QByteArray& bytes, qsizetype at, int size) {
    quint64 value = 0;
    for (int byte = 0; byte < size; ++byte) {
        value = value << 8 | uchar(bytes[at + byte]);
    }
    return value;
}

struct EditList {
    quint64 movieTimeScale = 0;
    quint64 duration = 0; // of the first edit, in the movie time scale
    qint64 mediaTime = 0; // where it starts, in the track's time scale
};

EditList readEditList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray data = file.readAll();
    const QByteArray mvhd = findBox(data, {"moov", "mvhd"});
    const QByteArray elst = findBox(data, {"moov", "trak", "edts", "elst"});
    // Both boxes begin with a version byte: 1 for 64-bit times.
    const int time = elst.isEmpty() || elst[0] != 1 ? 4 : 8;
    if (mvhd.size() < 32 || elst.size() < 8 + 2 * time) {
        return {};
    }
    EditList edits;
    edits.movieTimeScale = bigEndian(mvhd, mvhd[0] == 1 ? 20 : 12, 4);
    edits.duration = bigEndian(elst, 8, time);
    edits.mediaTime = qint64(bigEndian(elst, 8 + time, time));
    return edits;
}

QString iTunSMPB(const QString& path) {
    TagLib::MP4::File file(QFile::encodeName(path).constData(), false);
    const TagLib::MP4::Item item = file.tag()->item("----:com.apple.iTunes:iTunSMPB");
    const TagLib::StringList texts = item.toStringList();
    return texts.isEmpty() ? QString() : QString::fromStdString(texts.front().to8Bit(true));
}

// AAC frames in the file, counted by FFmpeg's demuxer.
qint64 countPackets(const QString& path) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr) < 0) {
        return -1;
    }
    const ffmpeg::InputContext container(raw);
    const ffmpeg::Packet packet(av_packet_alloc());
    qint64 packets = 0;
    while (av_read_frame(raw, packet.get()) >= 0) {
        ++packets;
        av_packet_unref(packet.get());
    }
    return packets;
}

// A track of 88,217 samples, not a whole number of milliseconds or of AAC
// frames: the edit list says so to the sample, in the track's own rate, and
// iTunSMPB gives the priming, the padding to the last frame and the
// length, as music applications write them; rewriting the tags keeps it.
TEST(GaplessAac, editListAndITunSMPBPlaceTheTrackToTheSample) {
    constexpr qint64 length = 88217;
    constexpr qint64 priming = 1024; // FFmpeg's AAC encoder
    test::ScratchLibrary scratch;
    LibraryOptions options;
    options.tagQuietPeriod = 1h; // only flush writes
    const auto library = scratch.open(options);
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(Encoder::Aac)));

    const auto tracks =
        library->convert({scratch.writeWav("gapless.wav", {44100, 2, 16, quint64(length)})});

    ASSERT_EQ(tracks.size(), 1);
    const QString file = tracks[0]->filePath();
    const EditList edits = readEditList(file);
    EXPECT_EQ(edits.movieTimeScale, 44100u);
    EXPECT_EQ(edits.duration, quint64(length));
    EXPECT_EQ(edits.mediaTime, priming);
    const qint64 padding = countPackets(file) * 1024 - priming - length;
    ASSERT_TRUE(padding >= 0 && padding < 1024) << padding;
    const QString expected = QStringLiteral(" 00000000 %1 %2 %3") // 8 zero fields follow
                                 .arg(priming, 8, 16, QChar(u'0'))
                                 .arg(padding, 8, 16, QChar(u'0'))
                                 .arg(length, 16, 16, QChar(u'0'))
                                 .toUpper() +
                             QString(" 00000000").repeated(8);
    EXPECT_EQ(iTunSMPB(file), expected);

    tracks[0]->setProperty("artist", QStringLiteral("Gapless Artist"));
    ASSERT_TRUE(library->flush(10s));

    EXPECT_EQ(test::readTags(file).value("ARTIST"), QStringList{"Gapless Artist"});
    EXPECT_EQ(iTunSMPB(file), expected);
    EXPECT_EQ(readEditList(file).duration, quint64(length));
}

} // namespace
} // namespace decant::library
