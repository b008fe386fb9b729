#include "library/tags/MediaFileReader.h"

#include "library/model/ImportSettings.h"
#include "library/model/Provenance.h"
#include "library/tags/ArtworkTag.h"
#include "library/tags/ProvenanceTag.h"
#include "library/tags/TagKeys.h"
#include "library/tags/TagLibGaps.h"
#include "library/verify/SoundCheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>

namespace decant::library {
namespace {

QString firstValue(const TagLib::PropertyMap& tags, const char* key) {
    const auto found = tags.find(key);
    return found == tags.end() || found->second.isEmpty()
               ? QString()
               : QString::fromStdString(found->second.front().to8Bit(true));
}

// Every value of the field, as putTrackTags was given them.
QString allValues(const TagLib::PropertyMap& tags, const char* key) {
    const auto found = tags.find(key);
    QStringList values;
    if (found != tags.end()) {
        for (const TagLib::String& value : found->second) {
            values.append(QString::fromStdString(value.to8Bit(true)));
        }
    }
    return values.join(valueSeparator);
}

// Sets the number when the text begins with one the property can hold.
void putNumber(TrackRecord& record, const char* property, const QString& text) {
    bool read = false;
    const qint64 number = text.trimmed().toLongLong(&read);
    const TrackProperty* known = findTrackProperty(QLatin1String(property));
    if (read && number > 0 && !valueProblem(*known, number)) {
        record.properties.insert(QLatin1String(property), number);
    }
}

// "3/12" in one field (MP4, ID3v2), or the number and its total in two
// (Vorbis comments).
void putCounted(TrackRecord& record, const TagLib::PropertyMap& tags, const char* numberKey,
                const char* totalKey, const char* numberProperty, const char* countProperty) {
    const QString number = firstValue(tags, numberKey);
    putNumber(record, numberProperty, number.section(u'/', 0, 0));
    const QString total = firstValue(tags, totalKey);
    putNumber(record, countProperty, total.isEmpty() ? number.section(u'/', 1, 1) : total);
}

void putProperties(TrackRecord& record, const TagLib::PropertyMap& tags) {
    for (const TagKey& text : textTagKeys) {
        if (const QString value = allValues(tags, text.key); !value.isEmpty()) {
            record.properties.insert(QLatin1String(text.property), value);
        }
    }
    putCounted(record, tags, "TRACKNUMBER", "TRACKTOTAL", "trackNumber", "trackCount");
    putCounted(record, tags, "DISCNUMBER", "DISCTOTAL", "discNumber", "discCount");
    putNumber(record, "year", firstValue(tags, "DATE").left(4));
    putNumber(record, "bpm", firstValue(tags, "BPM"));
    if (firstValue(tags, "COMPILATION") == QLatin1String("1")) {
        record.properties.insert(QStringLiteral("compilation"), true);
    }
}

// The format the file's container and codec say, for a file whose
// provenance does not.
std::optional<ImportFormat> formatOf(TagLib::File& file) {
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file)) {
        return mp4->audioProperties() &&
                       mp4->audioProperties()->codec() == TagLib::MP4::Properties::ALAC
                   ? ImportFormat::Alac
                   : ImportFormat::Aac;
    }
    if (dynamic_cast<TagLib::MPEG::File*>(&file)) {
        return ImportFormat::Mp3;
    }
    if (dynamic_cast<TagLib::FLAC::File*>(&file)) {
        return ImportFormat::Flac;
    }
    if (dynamic_cast<TagLib::Ogg::Opus::File*>(&file)) {
        return ImportFormat::Opus;
    }
    if (dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
        return ImportFormat::Wav;
    }
    return std::nullopt;
}

void putAudio(TrackRecord& record, TagLib::File& file) {
    if (const TagLib::AudioProperties* audio = file.audioProperties()) {
        record.duration = double(audio->lengthInMilliseconds()) / 1000;
        record.sampleRate = audio->sampleRate();
        record.channels = audio->channels();
        record.bitRate = audio->bitrate();
    }
}

std::optional<Artwork> artworkOf(TagLib::File& file) {
    const QByteArray cover = frontCoverOf(file);
    const auto format = imageFormatOf(cover);
    if (!format) {
        return std::nullopt;
    }
    return Artwork{*format, cover, artworkDigest(cover)};
}

} // namespace

Result<MediaFileContents> readMediaFile(const QString& path) {
    const QByteArray fileName = QFile::encodeName(path);
    TagLib::FileRef reference(fileName.constData(), true, TagLib::AudioProperties::Accurate);
    TagLib::File* file = reference.file();
    if (reference.isNull() || !file->isValid()) {
        return Error{
            Error::Kind::Other,
            QCoreApplication::translate("decant::TagRewrite", "TagLib cannot open %1").arg(path)};
    }
    MediaFileContents contents;
    TrackRecord& record = contents.record;
    const TagLib::PropertyMap tags = file->properties();
    putProperties(record, tags);
    readTagLibGaps(*file, record);
    putAudio(record, *file);
    record.size = QFileInfo(path).size();
    contents.artwork = artworkOf(*file);
    contents.hasProvenance = readProvenance(provenanceIn(*file), record);
    const auto format =
        record.encodedWith ? std::optional(record.encodedWith->format) : formatOf(*file);
    record.kind = format ? kindOfFormat(*format) : QString();
    if (!contents.hasProvenance) {
        record.loudness = loudnessFromReplayGain(firstValue(tags, "REPLAYGAIN_TRACK_GAIN"),
                                                 firstValue(tags, "REPLAYGAIN_TRACK_PEAK"));
        record.albumLoudness = loudnessFromReplayGain(firstValue(tags, "REPLAYGAIN_ALBUM_GAIN"),
                                                      firstValue(tags, "REPLAYGAIN_ALBUM_PEAK"));
    }
    return contents;
}

} // namespace decant::library
