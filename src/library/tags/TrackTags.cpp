#include "library/tags/TrackTags.h"

#include "library/tags/ProvenanceTag.h"
#include "library/tags/SoundCheckTags.h"
#include "library/tags/TagKeys.h"
#include "library/tags/TagLibGaps.h"

#include <taglib/flacfile.h>
#include <taglib/oggfile.h>
#include <taglib/tpropertymap.h>

#include <array>

namespace decant::library {
namespace {

// A number and its total: "3/12" in MP4, ID3v2 and RIFF, where TagLib splits
// or keeps it as one field; two fields in Vorbis comments, where players
// look for TRACKTOTAL and read "3/12" in TRACKNUMBER as text.
struct CountedKey {
    const char* numberProperty;
    const char* countProperty;
    const char* numberKey;
    const char* countKey;
};

constexpr std::array countedKeys{
    CountedKey{"trackNumber", "trackCount", "TRACKNUMBER", "TRACKTOTAL"},
    CountedKey{"discNumber", "discCount", "DISCNUMBER", "DISCTOTAL"},
};

TagLib::String tagText(const QString& text) {
    return TagLib::String(text.toStdString(), TagLib::String::UTF8);
}

QString name(const char* latin1) {
    return QString::fromLatin1(latin1);
}

// Each of several values in a field of its own: TagLib writes a list as
// repeated Vorbis comments, one ID3v2.4 frame with the values between null
// characters, or one MP4 item with a data atom each.
void put(TagLib::PropertyMap& tags, const char* key, const QString& value) {
    tags.erase(key);
    TagLib::StringList values;
    for (const QString& part : value.split(valueSeparator, Qt::SkipEmptyParts)) {
        values.append(tagText(part));
    }
    if (!values.isEmpty()) {
        tags.insert(key, values);
    }
}

QString positive(qint64 value) {
    return value > 0 ? QString::number(value) : QString();
}

void putCounts(TagLib::PropertyMap& tags, const TrackRecord& record, bool separateTotals) {
    for (const CountedKey& counted : countedKeys) {
        const qint64 number = record.integer(name(counted.numberProperty));
        const qint64 count = record.integer(name(counted.countProperty));
        tags.erase(counted.countKey);
        if (separateTotals) {
            put(tags, counted.numberKey, positive(number));
            put(tags, counted.countKey, positive(count));
        } else if (count > 0) {
            put(tags, counted.numberKey, QStringLiteral("%1/%2").arg(number).arg(count));
        } else {
            put(tags, counted.numberKey, positive(number));
        }
    }
}

void putProperties(TagLib::PropertyMap& tags, const TrackRecord& record, bool separateTotals) {
    for (const TagKey& text : textTagKeys) {
        put(tags, text.key, record.text(name(text.property)));
    }
    put(tags, "DATE", positive(record.integer(QStringLiteral("year"))));
    put(tags, "BPM", positive(record.integer(QStringLiteral("bpm"))));
    put(tags, "COMPILATION",
        record.boolean(QStringLiteral("compilation")) ? QStringLiteral("1") : QString());
    putCounts(tags, record, separateTotals);
}

} // namespace

void putTrackTags(TagLib::File& file, const TrackRecord& record) {
    const bool vorbisComments = dynamic_cast<TagLib::Ogg::File*>(&file) != nullptr ||
                                dynamic_cast<TagLib::FLAC::File*>(&file) != nullptr;
    TagLib::PropertyMap tags = file.properties();
    putProperties(tags, record, vorbisComments);
    putLoudness(tags, file, record);
    putProvenance(tags, file, record);
    file.setProperties(tags);
    putSoundCheck(file, record);
    putMp4Provenance(file, record);
    fillTagLibGaps(file, record);
}

} // namespace decant::library
