#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace decant::library {

// The formats the library can store its tracks in.
enum class Encoder { Aac, Alac, Mp3, Opus, Flac, Wav };

// What the user can choose when importing: the encoder, and its bit rate in
// kbit/s where it has one (0 for the lossless encoders).
struct ImportSettings {
    Encoder encoder = Encoder::Aac;
    int bitRate = 256;

    friend bool operator==(const ImportSettings&, const ImportSettings&) = default;
};

QList<Encoder> allEncoders();

// "aac", "alac", "mp3", "opus", "flac", "wav": the names the settings use.
QString encoderName(Encoder encoder);
std::optional<Encoder> encoderNamed(const QString& name);

// The media file's extension, without the dot: "m4a", "mp3", ...
QString fileExtension(Encoder encoder);

// How a track of this format is described: "AAC audio file", ...
QString kindOfEncoder(Encoder encoder);

bool isLossless(Encoder encoder);

// The bit rate a lossy encoder starts with; 0 for lossless encoders.
int defaultBitRate(Encoder encoder);

// The encoder's settings with its own default bit rate.
ImportSettings defaultSettings(Encoder encoder);

// Why these settings cannot be used, or nothing when they can.
std::optional<QString> settingsProblem(const ImportSettings& settings);

// "aac, 256 kbit/s" or "flac (lossless)".
QString describeSettings(const ImportSettings& settings);

} // namespace decant::library
