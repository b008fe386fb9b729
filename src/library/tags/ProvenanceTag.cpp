#include "library/tags/ProvenanceTag.h"

#include "library/model/Provenance.h"

#include <taglib/mp4file.h>
#include <taglib/tpropertymap.h>

namespace decant::library {
namespace {

const TagLib::String mp4Item = TagLib::String("----:com.apple.iTunes:") + provenanceTagName;

TagLib::StringList tagValue(const TrackRecord& record) {
    return TagLib::StringList(
        TagLib::String(provenanceText(record).toStdString(), TagLib::String::UTF8));
}

QString textOf(const TagLib::StringList& values) {
    return values.isEmpty() ? QString() : QString::fromStdString(values.front().to8Bit(true));
}

} // namespace

void putProvenance(TagLib::PropertyMap& tags, const TagLib::File& file, const TrackRecord& record) {
    if (dynamic_cast<const TagLib::MP4::File*>(&file)) {
        return;
    }
    tags.erase(provenanceTagName);
    tags.insert(provenanceTagName, tagValue(record));
}

void putMp4Provenance(TagLib::File& file, const TrackRecord& record) {
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file); mp4 && mp4->tag()) {
        mp4->tag()->setItem(mp4Item, tagValue(record));
    }
}

QString provenanceIn(const TagLib::File& file) {
    if (const auto* mp4 = dynamic_cast<const TagLib::MP4::File*>(&file)) {
        const TagLib::MP4::Tag* tag = mp4->tag();
        return tag && tag->contains(mp4Item) ? textOf(tag->item(mp4Item).toStringList())
                                             : QString();
    }
    return textOf(file.properties()[provenanceTagName]);
}

} // namespace decant::library
