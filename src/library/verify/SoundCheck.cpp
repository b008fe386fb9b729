#include "library/verify/SoundCheck.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace decant::library {
namespace {

constexpr double replayGainReference = -18; // LUFS
constexpr double opusReference = -23;       // LUFS, EBU R 128's own

// Players read iTunNORM's fields as 16-bit quantities; 65535 is taken to be
// a marker by some.
constexpr double largestSoundCheckValue = 65534;

QString hexadecimalField(double value) {
    return QStringLiteral(" %1").arg(qint64(value), 8, 16, QChar(u'0')).toUpper();
}

} // namespace

double replayGain(const Loudness& loudness) {
    return replayGainReference - loudness.integrated;
}

int r128Gain(const Loudness& loudness) {
    const double steps = std::round((opusReference - loudness.integrated) * 256);
    return int(std::clamp(steps, double(std::numeric_limits<qint16>::min()),
                          double(std::numeric_limits<qint16>::max())));
}

QString replayGainText(const Loudness& loudness) {
    const double gain = replayGain(loudness);
    // Never "-0.00 dB".
    const double shown = std::abs(gain) < 0.005 ? 0.0 : gain;
    return QStringLiteral("%1%2 dB").arg(shown < 0 ? "" : "+").arg(shown, 0, 'f', 2);
}

std::optional<Loudness> loudnessFromReplayGain(const QString& gain, const QString& peak) {
    bool gainRead = false;
    bool peakRead = false;
    const double decibels = gain.section(u' ', 0, 0, QString::SectionSkipEmpty).toDouble(&gainRead);
    const double highest = peak.trimmed().toDouble(&peakRead);
    if (!gainRead || !peakRead) {
        return std::nullopt;
    }
    return Loudness{replayGainReference - decibels, highest};
}

QString replayPeakText(const Loudness& loudness) {
    return QString::number(loudness.peak, 'f', 6);
}

QString iTunNORM(const Loudness& loudness) {
    const double power = std::pow(10.0, -replayGain(loudness) / 10);
    const auto scaled = [&](double base) {
        return std::clamp(std::round(power * base), 1.0, largestSoundCheckValue);
    };
    const double peak = std::clamp(std::round(loudness.peak * 32768), 0.0, 32768.0);
    const double fields[] = {
        scaled(1000), scaled(1000), scaled(2500), scaled(2500), 0, 0, peak, peak, 0, 0};
    QString text;
    for (const double field : fields) {
        text += hexadecimalField(field);
    }
    return text;
}

} // namespace decant::library
