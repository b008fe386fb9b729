#include "library/tags/ArtworkTag.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

namespace decant::library {
namespace {

TagLib::ByteVector bytesOf(const Artwork& artwork) {
    return TagLib::ByteVector(artwork.data.constData(), unsigned(artwork.data.size()));
}

void putCover(TagLib::MP4::Tag& tag, const Artwork& artwork) {
    const auto format = artwork.format == ImageFormat::Jpeg ? TagLib::MP4::CoverArt::JPEG
                                                            : TagLib::MP4::CoverArt::PNG;
    TagLib::MP4::CoverArtList covers;
    covers.append(TagLib::MP4::CoverArt(format, bytesOf(artwork)));
    tag.setItem("covr", covers);
}

void putCover(TagLib::ID3v2::Tag& tag, const Artwork& artwork) {
    tag.removeFrames("APIC");
    auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
    frame->setMimeType(mimeTypeOf(artwork.format));
    frame->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
    frame->setPicture(bytesOf(artwork));
    tag.addFrame(frame); // the tag owns it now
}

TagLib::FLAC::Picture* flacPicture(const Artwork& artwork) {
    auto* picture = new TagLib::FLAC::Picture;
    picture->setMimeType(mimeTypeOf(artwork.format));
    picture->setType(TagLib::FLAC::Picture::FrontCover);
    picture->setData(bytesOf(artwork));
    return picture;
}

QByteArray bytesOf(const TagLib::ByteVector& bytes) {
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QByteArray coverOf(const TagLib::MP4::Tag& tag) {
    if (!tag.contains("covr")) {
        return {};
    }
    const TagLib::MP4::CoverArtList covers = tag.item("covr").toCoverArtList();
    return covers.isEmpty() ? QByteArray() : bytesOf(covers.front().data());
}

QByteArray coverOf(const TagLib::ID3v2::Tag* tag) {
    const TagLib::ID3v2::AttachedPictureFrame* chosen = nullptr;
    for (const TagLib::ID3v2::Frame* frame :
         tag ? tag->frameList("APIC") : TagLib::ID3v2::FrameList()) {
        const auto* picture = dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame);
        if (picture &&
            (!chosen || picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover)) {
            chosen = picture;
        }
    }
    return chosen ? bytesOf(chosen->picture()) : QByteArray();
}

QByteArray coverOf(const TagLib::List<TagLib::FLAC::Picture*>& pictures) {
    const TagLib::FLAC::Picture* chosen = nullptr;
    for (const TagLib::FLAC::Picture* picture : pictures) {
        if (!chosen || picture->type() == TagLib::FLAC::Picture::FrontCover) {
            chosen = picture;
        }
    }
    return chosen ? bytesOf(chosen->data()) : QByteArray();
}

} // namespace

QByteArray frontCoverOf(TagLib::File& file) {
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file)) {
        return mp4->tag() ? coverOf(*mp4->tag()) : QByteArray();
    }
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        return coverOf(mpeg->ID3v2Tag());
    }
    if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
        return coverOf(wav->hasID3v2Tag() ? wav->ID3v2Tag() : nullptr);
    }
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(&file)) {
        return coverOf(flac->pictureList());
    }
    if (auto* comment = dynamic_cast<TagLib::Ogg::XiphComment*>(file.tag())) {
        return coverOf(comment->pictureList());
    }
    return {};
}

bool putFrontCover(TagLib::File& file, const Artwork& artwork) {
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file)) {
        putCover(*mp4->tag(), artwork);
    } else if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        putCover(*mpeg->ID3v2Tag(true), artwork);
    } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
        putCover(*wav->ID3v2Tag(), artwork);
    } else if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(&file)) {
        flac->removePictures();
        flac->addPicture(flacPicture(artwork)); // the file owns it now
    } else if (auto* comment = dynamic_cast<TagLib::Ogg::XiphComment*>(file.tag())) {
        comment->removeAllPictures();
        comment->addPicture(flacPicture(artwork)); // the comment owns it now
    } else {
        return false;
    }
    return true;
}

} // namespace decant::library
