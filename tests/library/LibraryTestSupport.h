#pragma once

#include "WavFixture.h"
#include "library/Library.h"

#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <QVariant>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace decant::test {

// A scratch folder for one test: WAV inputs in "input", the library in
// "library", which DECANT_LIBRARY names while the test runs.
class ScratchLibrary {
public:
    ScratchLibrary();
    ~ScratchLibrary();

    QString libraryPath() const;
    QString inputPath(const QString& fileName) const;

    // Writes a fixture WAV file into the input folder and gives its URL.
    QUrl writeWav(const QString& fileName, const WavFixture& fixture = {}) const;
    // Writes any bytes into the input folder and gives the file's URL.
    QUrl writeFile(const QString& fileName, const QByteArray& bytes) const;

    std::shared_ptr<library::Library> open(const library::LibraryOptions& options = {}) const;

    // Files below the media folder, hidden ones included, relative to it
    // ("Artist/Album/01 Song.m4a"), sorted.
    QStringList mediaFiles() const;
    // Folders below the media folder, relative to it, sorted.
    QStringList mediaFolders() const;

private:
    QTemporaryDir folder_;
};

// Audio decoded by FFmpeg, independently of the library's own code.
struct DecodedAudio {
    QString codec;
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0; // as the stream declares it
    int64_t bitRate = 0;   // as the container declares it, or measures it
    int64_t frames = 0;
    // Interleaved integer samples, scaled to fill 32 bits (a 16-bit sample
    // is shifted left by 16); empty for float codecs.
    std::vector<int32_t> samples;
    // Each channel's speaker as the decoder names it ("FL", "LFE"...);
    // empty names when the stream names none.
    QStringList speakers;
    // Each channel's samples, from -1 to 1, whatever the codec.
    std::vector<std::vector<float>> channelSamples;

    double duration() const { return sampleRate ? double(frames) / sampleRate : 0; }
};

// Names encoders in test failure messages.
void PrintTo(library::ImportFormat format, std::ostream* out);

// Nothing when FFmpeg cannot decode the file.
std::optional<DecodedAudio> decodeAudioFile(const QString& path);

// The bytes of the file's attached picture as FFmpeg's demuxer finds it
// (the way players show cover art); empty when it has none.
QByteArray attachedPicture(const QString& path);

// The fixture's samples, scaled as DecodedAudio holds them.
std::vector<int32_t> scaledFixtureSamples(const WavFixture& fixture);

// The file's tags as TagLib reads them, by TagLib's property names.
QMap<QString, QStringList> readTags(const QString& path);

// One row of the tracks table, read with a connection of its own.
QVariantMap storedTrackRow(const QString& databasePath, qint64 id);

// The rows a query gives, read with a connection of its own.
QList<QVariantMap> queryRows(const QString& databasePath, const QString& sql);

// Runs SQL on the database with a connection of its own; false on failure.
bool executeSql(const QString& databasePath, const QString& sql);

// Polls until `done` holds or the time is up; returns `done()`.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

} // namespace decant::test
