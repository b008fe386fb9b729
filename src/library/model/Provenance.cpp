#include "library/model/Provenance.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace decant::library {
namespace {

constexpr int version = 1;

QString timeText(const QDateTime& time) {
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime timeFrom(const QJsonValue& value) {
    return QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
}

void putLoudness(QJsonObject& object, const char* loudnessKey, const char* peakKey,
                 const std::optional<Loudness>& loudness) {
    if (loudness) {
        object.insert(QLatin1String(loudnessKey), loudness->integrated);
        object.insert(QLatin1String(peakKey), loudness->peak);
    }
}

std::optional<Loudness> loudnessFrom(const QJsonObject& object, const char* loudnessKey,
                                     const char* peakKey) {
    const QJsonValue integrated = object.value(QLatin1String(loudnessKey));
    const QJsonValue peak = object.value(QLatin1String(peakKey));
    if (!integrated.isDouble() || !peak.isDouble()) {
        return std::nullopt;
    }
    return Loudness{integrated.toDouble(), peak.toDouble()};
}

void putText(QJsonObject& object, const char* key, const QString& text) {
    if (!text.isEmpty()) {
        object.insert(QLatin1String(key), text);
    }
}

} // namespace

QString provenanceText(const TrackRecord& record) {
    QJsonObject object{{"v", version}};
    putText(object, "source", record.source);
    putText(object, "audioMD5", record.audioDigest);
    if (record.dateAdded.isValid()) {
        object.insert(QLatin1String("added"), timeText(record.dateAdded));
    }
    if (record.encodedWith) {
        object.insert(QLatin1String("encoder"), formatName(record.encodedWith->format));
        object.insert(QLatin1String("bitRate"), record.encodedWith->bitRate);
    }
    putText(object, "sourceFormat", record.sourceFormat);
    if (record.verification.proof != Verification::Proof::None) {
        object.insert(QLatin1String("proof"), proofName(record.verification.proof));
        object.insert(QLatin1String("proofMD5"), record.verification.digest);
        object.insert(QLatin1String("verified"), timeText(record.verification.when));
    }
    putLoudness(object, "loudness", "peak", record.loudness);
    putLoudness(object, "albumLoudness", "albumPeak", record.albumLoudness);
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

bool readProvenance(const QString& text, TrackRecord& record) {
    const QJsonObject object = QJsonDocument::fromJson(text.toUtf8()).object();
    const QString source = object.value(QLatin1String("source")).toString();
    if (source.isEmpty()) {
        return false;
    }
    record.source = source;
    record.audioDigest = object.value(QLatin1String("audioMD5")).toString();
    record.dateAdded = timeFrom(object.value(QLatin1String("added")));
    const auto encoder = formatNamed(object.value(QLatin1String("encoder")).toString());
    record.encodedWith = encoder ? std::optional(ImportSettings{
                                       *encoder, object.value(QLatin1String("bitRate")).toInt()})
                                 : std::nullopt;
    record.sourceFormat = object.value(QLatin1String("sourceFormat")).toString();
    record.verification.proof = proofNamed(object.value(QLatin1String("proof")).toString());
    record.verification.digest = object.value(QLatin1String("proofMD5")).toString();
    record.verification.when = timeFrom(object.value(QLatin1String("verified")));
    record.loudness = loudnessFrom(object, "loudness", "peak");
    record.albumLoudness = loudnessFrom(object, "albumLoudness", "albumPeak");
    return true;
}

} // namespace decant::library
