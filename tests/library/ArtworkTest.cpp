#include "library/Artwork.h"

#include "LibraryTestSupport.h"
#include "TestImages.h"
#include "library/Track.h"

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
              "10000 x 9000 pixels, more than the library takes"},
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

    track.setArtwork(test::jpegImage());
    track.setArtwork("not an image");
    const auto skipped = track.record();
    track.setArtwork(test::jpegImage());

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
