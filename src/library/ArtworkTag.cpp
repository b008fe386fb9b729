#include "library/ArtworkTag.h"

#include <QFile>
#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
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

// False for a format that has no place for pictures.
bool putCover(TagLib::File* file, const Artwork& artwork) {
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file)) {
        putCover(*mp4->tag(), artwork);
    } else if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file)) {
        putCover(*mpeg->ID3v2Tag(true), artwork);
    } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(file)) {
        putCover(*wav->ID3v2Tag(), artwork);
    } else if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file)) {
        flac->removePictures();
        flac->addPicture(flacPicture(artwork)); // the file owns it now
    } else if (auto* comment = dynamic_cast<TagLib::Ogg::XiphComment*>(file->tag())) {
        comment->removeAllPictures();
        comment->addPicture(flacPicture(artwork)); // the comment owns it now
    } else {
        return false;
    }
    return true;
}

} // namespace

bool writeArtworkTag(const QString& path, const Artwork& artwork, QString* error) {
    const QByteArray fileName = QFile::encodeName(path);
    TagLib::FileRef reference(fileName.constData(), false);
    TagLib::File* file = reference.file();
    if (reference.isNull() || !file->isValid()) {
        *error = QStringLiteral("TagLib cannot open %1").arg(path);
        return false;
    }
    if (!putCover(file, artwork)) {
        *error = QStringLiteral("%1 has no place for artwork").arg(path);
        return false;
    }
    if (!file->save()) {
        *error = QStringLiteral("TagLib cannot save %1").arg(path);
        return false;
    }
    return true;
}

} // namespace decant::library
