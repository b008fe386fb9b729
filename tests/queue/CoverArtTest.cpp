#include "queue/CoverArt.h"

#include "FlacFixture.h"
#include "TestEnvironment.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <sys/stat.h>

namespace decant {
namespace {

struct CoverSource {
    const char* description;
    QList<test::FlacPicture> pictures;
    QList<QByteArray> folderFiles; // each file holds its own name
    QByteArray expected;
    qsizetype mostBytes = 1 << 20;
};

void PrintTo(const CoverSource& source, std::ostream* out) {
    *out << source.description;
}

class CoverArtReading : public testing::TestWithParam<CoverSource> {
protected:
    QTemporaryDir scratch;
    // The album sits in a folder whose name is not UTF-8.
    const QByteArray album = QFile::encodeName(scratch.path()) + "/caf\xe9";
    test::RemovedTree removed{album};
};

TEST_P(CoverArtReading, takesTheFrontCoverElseTheFirstPictureElseTheFolderImage) {
    ASSERT_EQ(mkdir(album.constData(), 0700), 0);
    test::FlacFixture fixture;
    fixture.pictures = GetParam().pictures;
    const QByteArray flac = album + "/01 song.flac";
    ASSERT_TRUE(test::writeFlacFixture(flac, fixture));
    for (const QByteArray& name : GetParam().folderFiles) {
        const QByteArray path = album + '/' + name;
        if (name.endsWith('/')) {
            ASSERT_EQ(mkdir(path.constData(), 0700), 0);
            continue;
        }
        std::FILE* file = std::fopen(path.constData(), "wb");
        ASSERT_TRUE(file);
        std::fwrite(name.constData(), 1, std::size_t(name.size()), file);
        std::fclose(file);
    }

    EXPECT_EQ(readCoverArt(flac, GetParam().mostBytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Albums, CoverArtReading,
    testing::Values(
        CoverSource{"frontCoverAmongPictures",
                    {{0, "other"}, {3, "front"}, {4, "back"}},
                    {"cover.jpg"},
                    "front"},
        CoverSource{"firstPictureBeforeFolder", {{4, "back"}, {0, "other"}}, {"cover.jpg"}, "back"},
        CoverSource{"coverBeforeFolderBeforeFront",
                    {},
                    {"Front.PNG", "folder.jpeg", "COVER.JPG", "cover.gif", "cover.jpg.txt"},
                    "COVER.JPG"},
        CoverSource{"folderBeforeFront", {}, {"front.jpg", "Folder.png"}, "Folder.png"},
        CoverSource{"jpgBeforeJpegBeforePng", {}, {"cover.png", "cover.jpeg"}, "cover.jpeg"},
        CoverSource{"onlyFiles", {}, {"cover.jpg/", "front.jpg"}, "front.jpg"},
        CoverSource{"noImage", {}, {"album.jpg", "cover.gif", "scan.png"}, ""},
        CoverSource{"folderImageCut", {}, {"cover.jpg"}, "cov", 3}),
    [](const auto& info) { return std::string(info.param.description); });

} // namespace
} // namespace decant
