#include "LibraryTestSupport.h"
#include "TestImages.h"
#include "library/Track.h"
#include "library/media/ArtworkCheck.h"

#include <gtest/gtest.h>

#include <ostream>

namespace decant::library {
namespace {

struct Image {
    const char* description;
    QByteArray bytes;
    const char* reason; // empty for an image the library takes
};

void PrintTo(const Image& image, std::ostream* out) {
    *out << image.description;
}

QByteArray oversized() {
    QByteArray image = test::jpegImage();
    image.append(QByteArray(largestArtworkBytes, '\0'));
    return image;
}

// The test JPEG with its start-of-frame segment claiming another size.
QByteArray jpegImageAnnouncing(quint16 width, quint16 height) {
    QByteArray image = test::jpegImage();
    const qsizetype frame = image.indexOf("\xff\xc0");
    image[frame + 5] = char(height >> 8);
    image[frame + 6] = char(height & 0xff);
    image[frame + 7] = char(width >> 8);
    image[frame + 8] = char(width & 0xff);
    return image;
}

class ArtworkCheck : public testing::TestWithParam<Image> {};

TEST_P(ArtworkCheck, takesWholeJPEGAndPNGImagesAndSaysWhyItSkipsTheRest) {
    QString reason;

    const auto artwork = checkArtwork(GetParam().bytes, &reason);

    EXPECT_EQ(artwork.has_value(), *GetParam().reason == '\0');
    EXPECT_TRUE(reason.contains(QLatin1String(GetParam().reason))) << reason.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Images, ArtworkCheck,
    testing::Values(
        Image{"jpeg", test::jpegImage(), ""}, Image{"png", test::pngImage(), ""},
        Image{"gif", "GIF89a\x01\x00\x01\x00", "neither JPEG nor PNG (it begins \"GIF89a"},
        Image{"empty", {}, "neither JPEG nor PNG"},
        Image{"cutShort", test::jpegImage().left(150), "the JPEG image does not decode"},
        Image{"brokenPng", test::pngImage().left(40), "the PNG image does not decode"},
        Image{"decompressionBomb", test::pngImageAnnouncing(10000, 9000),
              "10000 x 9000 pixels, over the pixel limit of 8192 x 8192"},
        Image{"pngBeyondTheDecoder", test::pngImageAnnouncing(20000, 20000),
              "20000 x 20000 pixels, over the pixel limit"},
        Image{"jpegBeyondTheDecoder", jpegImageAnnouncing(30000, 20000),
              "30000 x 20000 pixels, over the pixel limit"},
        Image{"over16MiB", oversized(), "larger than 16 MiB"}),
    [](const auto& info) { return std::string(info.param.description); });

// A skipped image never fails the track and never replaces the artwork it
// has: the reason is kept with the track, and a usable image clears it.
TEST(TrackArtwork, aSkippedImageKeepsTheArtworkAndTheReason) {
    test::ScratchLibrary scratch;
    const auto library = scratch.open();
    ASSERT_TRUE(library);
    const auto tracks = library->convert({scratch.writeWav("song.wav")});
    ASSERT_EQ(tracks.size(), 1);
    Track& track = *tracks[0];

    EXPECT_TRUE(track.setArtwork(test::jpegImage()));
    EXPECT_TRUE(track.setArtwork("not an image"));
    const auto skipped = track.record();
    EXPECT_TRUE(track.setArtwork(test::jpegImage()));

    ASSERT_TRUE(skipped);
    EXPECT_FALSE(skipped->artwork.isEmpty());
    EXPECT_TRUE(skipped->artworkNote.startsWith("the image is neither JPEG nor PNG"))
        << skipped->artworkNote.toStdString();
    EXPECT_EQ(track.record()->artwork, skipped->artwork);
    EXPECT_TRUE(track.record()->artworkNote.isEmpty());
    ASSERT_TRUE(library->flush());
    EXPECT_EQ(test::attachedPicture(track.filePath()), test::jpegImage());
}

} // namespace
} // namespace decant::library
