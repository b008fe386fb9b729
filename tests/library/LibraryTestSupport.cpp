#include "LibraryTestSupport.h"

#include "TestEnvironment.h"
#include "library/media/FFmpegHandles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <sqlite3.h>
#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <thread>

namespace decant::test {
namespace {

namespace ffmpeg = library::ffmpeg;

struct ConnectionCloser {
    void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

Connection connect(const QString& path) {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    Connection connection(raw);
    sqlite3_busy_timeout(raw, 5000);
    return connection;
}

QVariant columnValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_TEXT:
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
    default:
        return {};
    }
}

int32_t scaledSample(const AVFrame& frame, int channel, int index) {
    const auto format = AVSampleFormat(frame.format);
    const int channels = frame.ch_layout.nb_channels;
    const bool planar = av_sample_fmt_is_planar(format);
    const uint8_t* plane = frame.extended_data[planar ? channel : 0];
    const int position = planar ? index : index * channels + channel;
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
        return int32_t((uint32_t(plane[position]) - 128) << 24);
    case AV_SAMPLE_FMT_S16:
        return int32_t(uint32_t(reinterpret_cast<const int16_t*>(plane)[position]) << 16);
    default:
        return reinterpret_cast<const int32_t*>(plane)[position];
    }
}

float normalisedSample(const AVFrame& frame, int channel, int index) {
    const auto format = AVSampleFormat(frame.format);
    const bool planar = av_sample_fmt_is_planar(format);
    const uint8_t* plane = frame.extended_data[planar ? channel : 0];
    const int position = planar ? index : index * frame.ch_layout.nb_channels + channel;
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_FLT:
        return reinterpret_cast<const float*>(plane)[position];
    case AV_SAMPLE_FMT_DBL:
        return float(reinterpret_cast<const double*>(plane)[position]);
    default:
        return float(std::ldexp(scaledSample(frame, channel, index), -31));
    }
}

// A plain WAV header of one or two channels names no speakers, and every
// player takes them as mono or stereo.
AVChannelLayout namedLayout(const AVChannelLayout& layout) {
    AVChannelLayout named{};
    if (layout.order == AV_CHANNEL_ORDER_UNSPEC && layout.nb_channels <= 2) {
        av_channel_layout_default(&named, layout.nb_channels);
    } else {
        av_channel_layout_copy(&named, &layout);
    }
    return named;
}

void nameSpeakers(DecodedAudio& audio, const AVChannelLayout& decoded) {
    AVChannelLayout layout = namedLayout(decoded);
    for (int channel = 0; channel < layout.nb_channels; ++channel) {
        const AVChannel speaker = av_channel_layout_channel_from_index(&layout, channel);
        char name[16] = {};
        if (speaker != AV_CHAN_NONE) {
            av_channel_name(name, sizeof name, speaker);
        }
        audio.speakers.append(QString::fromLatin1(name));
    }
    av_channel_layout_uninit(&layout);
}

void appendFrame(DecodedAudio& audio, const AVFrame& frame) {
    if (audio.speakers.isEmpty()) {
        nameSpeakers(audio, frame.ch_layout);
        audio.channelSamples.resize(std::size_t(frame.ch_layout.nb_channels));
    }
    audio.frames += frame.nb_samples;
    for (int channel = 0; channel < int(audio.channelSamples.size()); ++channel) {
        for (int index = 0; index < frame.nb_samples; ++index) {
            audio.channelSamples[std::size_t(channel)].push_back(
                normalisedSample(frame, channel, index));
        }
    }
    const auto packed = av_get_packed_sample_fmt(AVSampleFormat(frame.format));
    if (packed == AV_SAMPLE_FMT_FLT || packed == AV_SAMPLE_FMT_DBL) {
        return;
    }
    for (int index = 0; index < frame.nb_samples; ++index) {
        for (int channel = 0; channel < frame.ch_layout.nb_channels; ++channel) {
            audio.samples.push_back(scaledSample(frame, channel, index));
        }
    }
}

// Feeds the decoder until it is drained; false on a decoding error.
bool decodeAll(AVFormatContext* container, AVCodecContext* decoder, int stream,
               DecodedAudio& audio) {
    const ffmpeg::Packet packet(av_packet_alloc());
    const ffmpeg::Frame frame(av_frame_alloc());
    bool draining = false;
    for (;;) {
        const int received = avcodec_receive_frame(decoder, frame.get());
        if (received >= 0) {
            appendFrame(audio, *frame);
            av_frame_unref(frame.get());
            continue;
        }
        if (received == AVERROR_EOF) {
            return true;
        }
        if (received != AVERROR(EAGAIN) || draining) {
            return false;
        }
        if (av_read_frame(container, packet.get()) < 0) {
            draining = true;
            avcodec_send_packet(decoder, nullptr);
            continue;
        }
        if (packet->stream_index == stream && avcodec_send_packet(decoder, packet.get()) < 0) {
            return false;
        }
        av_packet_unref(packet.get());
    }
}

} // namespace

ScratchLibrary::ScratchLibrary()
    : folder_(scratchDirectory() + QStringLiteral("/library-test-XXXXXX")) {
    QDir(folder_.path()).mkpath(QStringLiteral("input"));
    setenv("DECANT_LIBRARY", QFile::encodeName(libraryPath()).constData(), 1);
}

ScratchLibrary::~ScratchLibrary() {
    unsetenv("DECANT_LIBRARY");
}

QString ScratchLibrary::libraryPath() const {
    return folder_.filePath(QStringLiteral("library"));
}

QString ScratchLibrary::inputPath(const QString& fileName) const {
    return folder_.filePath(QStringLiteral("input/") + fileName);
}

QUrl ScratchLibrary::writeWav(const QString& fileName, const WavFixture& fixture) const {
    writeWavFixture(inputPath(fileName), fixture);
    return QUrl::fromLocalFile(inputPath(fileName));
}

QUrl ScratchLibrary::writeFile(const QString& fileName, const QByteArray& bytes) const {
    QFile file(inputPath(fileName));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
    return QUrl::fromLocalFile(inputPath(fileName));
}

std::shared_ptr<library::Library>
ScratchLibrary::open(const library::LibraryOptions& options) const {
    return library::Library::open(library::Library::defaultLocation(), options).valueOr(nullptr);
}

QStringList ScratchLibrary::mediaFiles() const {
    const QString media = libraryPath() + QStringLiteral("/Media");
    QStringList files;
    QDirIterator entries(media, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        files.append(QDir(media).relativeFilePath(entries.next()));
    }
    files.sort();
    return files;
}

QStringList ScratchLibrary::mediaFolders() const {
    const QString media = libraryPath() + QStringLiteral("/Media");
    QStringList folders;
    QDirIterator entries(media, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        folders.append(QDir(media).relativeFilePath(entries.next()));
    }
    folders.sort();
    return folders;
}

void PrintTo(library::ImportFormat format, std::ostream* out) {
    *out << library::formatName(format).toStdString();
}

std::optional<DecodedAudio> decodeAudioFile(const QString& path) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr) < 0) {
        return std::nullopt;
    }
    const ffmpeg::InputContext container(raw);
    const AVCodec* codec = nullptr;
    if (avformat_find_stream_info(raw, nullptr) < 0) {
        return std::nullopt;
    }
    const int stream = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream < 0) {
        return std::nullopt;
    }
    const ffmpeg::CodecContext decoder(avcodec_alloc_context3(codec));
    if (avcodec_parameters_to_context(decoder.get(), raw->streams[stream]->codecpar) < 0 ||
        avcodec_open2(decoder.get(), codec, nullptr) < 0) {
        return std::nullopt;
    }
    DecodedAudio audio;
    audio.codec = QString::fromLatin1(codec->name);
    audio.sampleRate = decoder->sample_rate;
    audio.channels = decoder->ch_layout.nb_channels;
    const AVCodecParameters& parameters = *raw->streams[stream]->codecpar;
    audio.bitsPerSample = parameters.bits_per_raw_sample > 0 ? parameters.bits_per_raw_sample
                                                             : parameters.bits_per_coded_sample;
    audio.bitRate = parameters.bit_rate;
    if (!decodeAll(raw, decoder.get(), stream, audio)) {
        return std::nullopt;
    }
    return audio;
}

QByteArray attachedPicture(const QString& path) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.toUtf8().constData(), nullptr, nullptr) < 0) {
        return {};
    }
    const ffmpeg::InputContext container(raw);
    for (unsigned index = 0; index < raw->nb_streams; ++index) {
        const AVStream* stream = raw->streams[index];
        if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) {
            return QByteArray(reinterpret_cast<const char*>(stream->attached_pic.data),
                              stream->attached_pic.size);
        }
    }
    return {};
}

std::vector<int32_t> scaledFixtureSamples(const WavFixture& fixture) {
    std::vector<int32_t> samples = wavFixtureSamples(fixture);
    for (int32_t& sample : samples) {
        sample = int32_t(uint32_t(sample) << (32 - fixture.bitsPerSample));
    }
    return samples;
}

QMap<QString, QStringList> readTags(const QString& path) {
    const TagLib::FileRef file(QFile::encodeName(path).constData(), false);
    QMap<QString, QStringList> tags;
    if (file.isNull()) {
        return tags;
    }
    for (const auto& [key, values] : file.file()->properties()) {
        QStringList texts;
        for (const TagLib::String& value : values) {
            texts.append(QString::fromStdString(value.to8Bit(true)));
        }
        tags.insert(QString::fromStdString(key.to8Bit(true)), texts);
    }
    return tags;
}

QVariantMap storedTrackRow(const QString& databasePath, qint64 id) {
    return queryRows(databasePath, QStringLiteral("SELECT * FROM tracks WHERE id = %1").arg(id))
        .value(0);
}

QList<QVariantMap> queryRows(const QString& databasePath, const QString& sql) {
    const Connection connection = connect(databasePath);
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(connection.get(), sql.toUtf8().constData(), -1, &raw, nullptr);
    const Statement statement(raw);
    QList<QVariantMap> rows;
    while (raw && sqlite3_step(raw) == SQLITE_ROW) {
        QVariantMap row;
        for (int column = 0; column < sqlite3_column_count(raw); ++column) {
            row.insert(QString::fromUtf8(sqlite3_column_name(raw, column)),
                       columnValue(raw, column));
        }
        rows.append(row);
    }
    return rows;
}

bool executeSql(const QString& databasePath, const QString& sql) {
    const Connection connection = connect(databasePath);
    return connection && sqlite3_exec(connection.get(), sql.toUtf8().constData(), nullptr, nullptr,
                                      nullptr) == SQLITE_OK;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

} // namespace decant::test
