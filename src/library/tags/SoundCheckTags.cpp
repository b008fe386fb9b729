#include "library/tags/SoundCheckTags.h"

#include "library/verify/SoundCheck.h"

#include <taglib/commentsframe.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/vorbisfile.h>

namespace decant::library {
namespace {

const char* const soundCheckItem = "----:com.apple.iTunes:iTunNORM";
const TagLib::String soundCheckDescription("iTunNORM");

TagLib::String tagText(const QString& text) {
    return TagLib::String(text.toStdString(), TagLib::String::UTF8);
}

void put(TagLib::PropertyMap& tags, const char* key, const std::optional<QString>& value) {
    tags.erase(key);
    if (value) {
        tags.insert(key, TagLib::StringList(tagText(*value)));
    }
}

template <typename Text>
std::optional<QString> textOf(const std::optional<Loudness>& loudness, Text text) {
    return loudness ? std::optional(text(*loudness)) : std::nullopt;
}

void putReplayGain(TagLib::PropertyMap& tags, const TrackRecord& record) {
    put(tags, "REPLAYGAIN_TRACK_GAIN", textOf(record.loudness, replayGainText));
    put(tags, "REPLAYGAIN_TRACK_PEAK", textOf(record.loudness, replayPeakText));
    put(tags, "REPLAYGAIN_ALBUM_GAIN", textOf(record.albumLoudness, replayGainText));
    put(tags, "REPLAYGAIN_ALBUM_PEAK", textOf(record.albumLoudness, replayPeakText));
}

// RFC 7845 keeps ReplayGain's fields out of Opus files.
void putOpusGain(TagLib::PropertyMap& tags, const TrackRecord& record) {
    const auto r128 = [](const Loudness& loudness) { return QString::number(r128Gain(loudness)); };
    put(tags, "R128_TRACK_GAIN", textOf(record.loudness, r128));
    put(tags, "R128_ALBUM_GAIN", textOf(record.albumLoudness, r128));
}

void putMp3SoundCheck(TagLib::ID3v2::Tag& tag, const TrackRecord& record) {
    const TagLib::ID3v2::FrameList comments = tag.frameList("COMM");
    for (TagLib::ID3v2::Frame* frame : comments) {
        const auto* comment = dynamic_cast<TagLib::ID3v2::CommentsFrame*>(frame);
        if (comment && comment->description() == soundCheckDescription) {
            tag.removeFrame(frame); // deletes it
        }
    }
    if (!record.loudness) {
        return;
    }
    auto comment = std::make_unique<TagLib::ID3v2::CommentsFrame>(TagLib::String::UTF8);
    comment->setLanguage("eng");
    comment->setDescription(soundCheckDescription);
    comment->setText(tagText(iTunNORM(*record.loudness)));
    tag.addFrame(comment.release()); // the tag owns it
}

} // namespace

void putLoudness(TagLib::PropertyMap& tags, const TagLib::File& file, const TrackRecord& record) {
    if (dynamic_cast<const TagLib::Ogg::Opus::File*>(&file)) {
        putOpusGain(tags, record);
    } else if (dynamic_cast<const TagLib::FLAC::File*>(&file) ||
               dynamic_cast<const TagLib::Ogg::Vorbis::File*>(&file) ||
               dynamic_cast<const TagLib::MPEG::File*>(&file)) {
        putReplayGain(tags, record);
    }
}

void putSoundCheck(TagLib::File& file, const TrackRecord& record) {
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file); mp4 && mp4->tag()) {
        if (record.loudness) {
            mp4->tag()->setItem(soundCheckItem,
                                TagLib::StringList(tagText(iTunNORM(*record.loudness))));
        } else {
            mp4->tag()->removeItem(soundCheckItem);
        }
    } else if (auto* mp3 = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        if (TagLib::ID3v2::Tag* tag = mp3->ID3v2Tag(record.loudness.has_value())) {
            putMp3SoundCheck(*tag, record);
        }
    }
}

} // namespace decant::library
