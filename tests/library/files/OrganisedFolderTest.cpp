#include "LibraryTestSupport.h"
#include "library/Track.h"
#include "library/files/OrganisedName.h"

#include <gtest/gtest.h>

#include <ostream>

namespace decant::library {
namespace {

using namespace std::chrono_literals;

struct Naming {
    const char* description;
    QMap<QString, PropertyValue> properties;
    QString expected; // below the media folder
};

void PrintTo(const Naming& naming, std::ostream* out) {
    *out << naming.description;
}

const QString cjk300Bytes = QString(100, QChar(0x4e00));

class OrganisedNames : public testing::TestWithParam<Naming> {};

TEST_P(OrganisedNames, areSafeForEveryCommonFileSystem) {
    TrackRecord record;
    record.file = QStringLiteral("Media/0123456789abcdef.m4a");
    record.properties = GetParam().properties;

    const QString file = organisedFile(record);

    EXPECT_EQ(file, GetParam().expected);
    const QStringList components = file.split(u'/');
    for (const QString& folder : components.mid(0, 2)) {
        EXPECT_LE(folder.toUtf8().size(), mostNameBytes);
    }
    EXPECT_LE(components.last().toUtf8().size(), mostNameBytes - 7) << "no room for \" 99999\"";
}

INSTANTIATE_TEST_SUITE_P(
    Tags, OrganisedNames,
    testing::Values(
        Naming{"albumArtistFirst",
               {{"name", "Song"},
                {"artist", "Ann"},
                {"albumArtist", "Various"},
                {"album", "Mix"},
                {"trackNumber", qint64(3)}},
               "Various/Mix/03 Song.m4a"},
        Naming{"discOnlyForSeveralDiscs",
               {{"name", "Song"},
                {"artist", "Ann"},
                {"album", "Box"},
                {"trackNumber", qint64(12)},
                {"discNumber", qint64(2)},
                {"discCount", qint64(3)}},
               "Ann/Box/2-12 Song.m4a"},
        Naming{"oneDisc",
               {{"name", "Song"},
                {"trackNumber", qint64(1)},
                {"discNumber", qint64(1)},
                {"discCount", qint64(1)}},
               "Unknown Artist/Unknown Album/01 Song.m4a"},
        Naming{"slash",
               {{"name", "/"}, {"artist", "AC/DC"}, {"trackNumber", qint64(1)}},
               "AC_DC/Unknown Album/01 _.m4a"},
        Naming{"dotDot",
               {{"name", ".."}, {"album", "."}},
               "Unknown Artist/Unknown Album/Untitled.m4a"},
        Naming{
            "hidden", {{"name", ".hidden"}, {"artist", " .band"}}, "band/Unknown Album/hidden.m4a"},
        Naming{"trailingDotAndSpace",
               {{"name", "x. "}, {"album", "Live... "}},
               "Unknown Artist/Live/x.m4a"},
        Naming{"reservedCharacters",
               {{"name", QStringLiteral("a\tb:c?\"d\"<e>|f\\g*")}},
               "Unknown Artist/Unknown Album/a_b_c__d__e__f_g_.m4a"},
        Naming{"windowsDevice",
               {{"name", "con.txt"}, {"artist", "Aux"}},
               "Aux_/Unknown Album/con_.txt.m4a"},
        Naming{"cut300BytesOfCJK",
               {{"name", cjk300Bytes}, {"album", cjk300Bytes}, {"trackNumber", qint64(1)}},
               QStringLiteral("Unknown Artist/%1/01 %2.m4a")
                   .arg(cjk300Bytes.left(85), cjk300Bytes.left(80))}),
    [](const auto& info) { return std::string(info.param.description); });

class OrganisedFolder : public testing::Test {
protected:
    std::shared_ptr<Track> import(const QString& source) {
        const auto tracks = library->convert({scratch.writeWav(source + ".wav")});
        return tracks.value(0);
    }

    static void tag(Track& track, const QString& artist, const QString& album) {
        EXPECT_TRUE(track.setProperty("name", QStringLiteral("Song")));
        EXPECT_TRUE(track.setProperty("artist", artist));
        EXPECT_TRUE(track.setProperty("album", album));
        EXPECT_TRUE(track.setProperty("trackNumber", qint64(1)));
    }

    test::ScratchLibrary scratch;
    std::shared_ptr<Library> library = scratch.open();
};

// Files move once their tags are written, again when the tags change, and
// never onto each other; folders a move empties go.
TEST_F(OrganisedFolder, followsTheTagsWithoutCollisionsOrEmptyFolders) {
    const auto first = import("first");
    const auto second = import("second");
    ASSERT_TRUE(first && second);
    tag(*first, "Ann", "Songs");
    tag(*second, "Ann", "Songs");
    ASSERT_TRUE(library->flush(10s));
    const QStringList together = scratch.mediaFiles();

    tag(*second, "Ann", "Other");
    tag(*first, "Bob", "Songs");
    ASSERT_TRUE(library->flush(10s));

    EXPECT_EQ(together, QStringList({"Ann/Songs/01 Song 2.m4a", "Ann/Songs/01 Song.m4a"}));
    EXPECT_EQ(scratch.mediaFiles(),
              QStringList({"Ann/Other/01 Song.m4a", "Bob/Songs/01 Song.m4a"}));
    EXPECT_EQ(scratch.mediaFolders(), QStringList({"Ann", "Ann/Other", "Bob", "Bob/Songs"}));
    EXPECT_EQ(first->record()->file, "Media/Bob/Songs/01 Song.m4a");
    EXPECT_EQ(test::readTags(first->filePath()).value("ARTIST"), QStringList{"Bob"});
}

} // namespace
} // namespace decant::library
