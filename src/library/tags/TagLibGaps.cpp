#include "library/tags/TagLibGaps.h"

#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mp4tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>

#include <array>
#include <memory>

namespace decant::library {
namespace {

struct FreeformAtom {
    const char* property;
    const char* atom;
};

constexpr std::array mp4FreeformAtoms{
    FreeformAtom{"acoustId", "----:com.apple.iTunes:Acoustid Id"},
    FreeformAtom{"arranger", "----:com.apple.iTunes:ARRANGER"},
};

// The descriptions Picard reads and writes; TagLib matches them in any case
// when it reads a file back.
constexpr std::array picardDescriptions{
    "MusicBrainz Album Id",
    "MusicBrainz Artist Id",
    "MusicBrainz Album Artist Id",
    "MusicBrainz Release Group Id",
    "MusicBrainz Work Id",
    "MusicBrainz Release Track Id",
    "MusicBrainz Album Type",
    "MusicBrainz Album Status",
    "MusicBrainz Album Release Country",
    "Acoustid Id",
};

TagLib::StringList tagValues(const TrackRecord& record, const char* property) {
    TagLib::StringList values;
    const QString text = record.text(QLatin1String(property));
    for (const QString& part : text.split(valueSeparator, Qt::SkipEmptyParts)) {
        values.append(TagLib::String(part.toStdString(), TagLib::String::UTF8));
    }
    return values;
}

void putText(TrackRecord& record, const char* property, const TagLib::StringList& values) {
    QStringList texts;
    for (const TagLib::String& value : values) {
        texts.append(QString::fromStdString(value.to8Bit(true)));
    }
    if (const QString text = texts.join(valueSeparator); !text.isEmpty()) {
        record.properties.insert(QLatin1String(property), text);
    }
}

void putMp4Freeforms(TagLib::MP4::Tag& tag, const TrackRecord& record) {
    for (const FreeformAtom& freeform : mp4FreeformAtoms) {
        const TagLib::StringList values = tagValues(record, freeform.property);
        if (values.isEmpty()) {
            tag.removeItem(freeform.atom);
        } else {
            tag.setItem(freeform.atom, TagLib::MP4::Item(values));
        }
    }
}

void usePicardDescriptions(TagLib::ID3v2::Tag& tag) {
    for (TagLib::ID3v2::Frame* frame : tag.frameList("TXXX")) {
        auto* text = dynamic_cast<TagLib::ID3v2::UserTextIdentificationFrame*>(frame);
        if (!text) {
            continue;
        }
        const TagLib::String description = text->description().upper();
        for (const char* picard : picardDescriptions) {
            if (description == TagLib::String(picard).upper()) {
                text->setDescription(picard);
            }
        }
    }
}

// ID3v2.4's own frame for the disc subtitle, which TagLib's names do not
// reach: it would write a TXXX frame instead.
void putDiscSubtitle(TagLib::ID3v2::Tag& tag, const TrackRecord& record) {
    while (auto* userText =
               TagLib::ID3v2::UserTextIdentificationFrame::find(&tag, "DISCSUBTITLE")) {
        tag.removeFrame(userText);
    }
    tag.removeFrames("TSST");
    if (const TagLib::StringList values = tagValues(record, "discSubtitle"); !values.isEmpty()) {
        auto frame =
            std::make_unique<TagLib::ID3v2::TextIdentificationFrame>("TSST", TagLib::String::UTF8);
        frame->setText(values);
        tag.addFrame(frame.release());
    }
}

} // namespace

void readTagLibGaps(TagLib::File& file, TrackRecord& record) {
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file); mp4 && mp4->tag()) {
        for (const FreeformAtom& freeform : mp4FreeformAtoms) {
            putText(record, freeform.property, mp4->tag()->item(freeform.atom).toStringList());
        }
    }
    auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file);
    if (!mpeg || !mpeg->hasID3v2Tag()) {
        return;
    }
    for (TagLib::ID3v2::Frame* frame : mpeg->ID3v2Tag()->frameList("TSST")) {
        if (auto* text = dynamic_cast<TagLib::ID3v2::TextIdentificationFrame*>(frame)) {
            putText(record, "discSubtitle", text->fieldList());
        }
    }
}

void fillTagLibGaps(TagLib::File& file, const TrackRecord& record) {
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file); mp4 && mp4->tag()) {
        putMp4Freeforms(*mp4->tag(), record);
    }
    // The properties just set made the tag when the file had none.
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        usePicardDescriptions(*mpeg->ID3v2Tag(true));
        putDiscSubtitle(*mpeg->ID3v2Tag(true), record);
    }
}

} // namespace decant::library
