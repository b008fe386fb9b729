#include "library/TagFile.h"

#include "library/SoundCheckTags.h"

#include <QFile>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/oggfile.h>
#include <taglib/tpropertymap.h>

#include <array>

namespace decant::library {
namespace {

struct TagKey {
    const char* property;
    const char* key;
};

// TagLib's names, which it translates into each format's own fields.
constexpr std::array textKeys{
    TagKey{"name", "TITLE"},
    TagKey{"artist", "ARTIST"},
    TagKey{"albumArtist", "ALBUMARTIST"},
    TagKey{"album", "ALBUM"},
    TagKey{"composer", "COMPOSER"},
    TagKey{"genre", "GENRE"},
    TagKey{"comment", "COMMENT"},
    TagKey{"grouping", "GROUPING"},
    TagKey{"lyrics", "LYRICS"},
    TagKey{"sortName", "TITLESORT"},
    TagKey{"sortArtist", "ARTISTSORT"},
    TagKey{"sortAlbum", "ALBUMSORT"},
    TagKey{"sortAlbumArtist", "ALBUMARTISTSORT"},
    TagKey{"sortComposer", "COMPOSERSORT"},
};

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

void put(TagLib::PropertyMap& tags, const char* key, const QString& value) {
    tags.erase(key);
    if (!value.isEmpty()) {
        tags.insert(key, TagLib::StringList(tagText(value)));
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
    for (const TagKey& text : textKeys) {
        put(tags, text.key, record.text(name(text.property)));
    }
    put(tags, "DATE", positive(record.integer(QStringLiteral("year"))));
    put(tags, "BPM", positive(record.integer(QStringLiteral("bpm"))));
    put(tags, "COMPILATION",
        record.boolean(QStringLiteral("compilation")) ? QStringLiteral("1") : QString());
    putCounts(tags, record, separateTotals);
}

} // namespace

bool writeTags(const QString& path, const TrackRecord& record, QString* error) {
    const QByteArray fileName = QFile::encodeName(path);
    TagLib::FileRef reference(fileName.constData(), false);
    TagLib::File* file = reference.file();
    if (reference.isNull() || !file->isValid()) {
        *error = QStringLiteral("TagLib cannot open %1").arg(path);
        return false;
    }
    const bool vorbisComments = dynamic_cast<TagLib::Ogg::File*>(file) != nullptr ||
                                dynamic_cast<TagLib::FLAC::File*>(file) != nullptr;
    TagLib::PropertyMap tags = file->properties();
    putProperties(tags, record, vorbisComments);
    putLoudness(tags, *file, record);
    file->setProperties(tags);
    putSoundCheck(*file, record);
    if (!file->save()) {
        *error = QStringLiteral("TagLib cannot save %1").arg(path);
        return false;
    }
    return true;
}

} // namespace decant::library
