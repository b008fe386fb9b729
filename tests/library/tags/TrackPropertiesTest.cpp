#include "LibraryTestSupport.h"
#include "TestImages.h"
#include "ToolRun.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <limits>
#include <unistd.h>

namespace decant::library {
namespace {

using namespace std::chrono_literals;
using test::runTool;
using test::ScratchLibrary;
using test::ToolRun;

constexpr test::WavFixture shortWav{44100, 2, 16, 4410, false};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::shared_ptr<Track> convertOne(const ScratchLibrary& scratch, Library& library,
                                  const QString& name = QStringLiteral("song")) {
    const auto tracks =
        library.convert({scratch.writeWav(name + QStringLiteral(".wav"), shortWav)});
    return tracks.size() == 1 ? tracks[0] : nullptr;
}

// Every property, with the value given and the tags it must end up as.
struct PropertyExample {
    const char* property;
    PropertyValue value;
    const char* column;
    QVariant stored;
};

const QList<PropertyExample>& everyProperty() {
    static const QList<PropertyExample> examples{
        {"name", QStringLiteral("Título"), "name", QStringLiteral("Título")},
        {"artist", QStringLiteral("Artist"), "artist", QStringLiteral("Artist")},
        {"albumArtist", QStringLiteral("Album Artist"), "album_artist",
         QStringLiteral("Album Artist")},
        {"album", QStringLiteral("Album"), "album", QStringLiteral("Album")},
        {"composer", QStringLiteral("Composer"), "composer", QStringLiteral("Composer")},
        {"genre", QStringLiteral("Genre"), "genre", QStringLiteral("Genre")},
        {"comment", QStringLiteral("Comment"), "comment", QStringLiteral("Comment")},
        {"grouping", QStringLiteral("Grouping"), "grouping", QStringLiteral("Grouping")},
        {"lyrics", QStringLiteral("Line one\nLine two"), "lyrics",
         QStringLiteral("Line one\nLine two")},
        {"sortName", QStringLiteral("Sort Name"), "sort_name", QStringLiteral("Sort Name")},
        {"sortArtist", QStringLiteral("Sort Artist"), "sort_artist", QStringLiteral("Sort Artist")},
        {"sortAlbum", QStringLiteral("Sort Album"), "sort_album", QStringLiteral("Sort Album")},
        {"sortAlbumArtist", QStringLiteral("Sort Album Artist"), "sort_album_artist",
         QStringLiteral("Sort Album Artist")},
        {"sortComposer", QStringLiteral("Sort Composer"), "sort_composer",
         QStringLiteral("Sort Composer")},
        {"year", qint64(1999), "year", qint64(1999)},
        {"trackNumber", qint64(3), "track_number", qint64(3)},
        {"trackCount", qint64(12), "track_count", qint64(12)},
        {"discNumber", qint64(1), "disc_number", qint64(1)},
        {"discCount", qint64(2), "disc_count", qint64(2)},
        {"bpm", qint64(120), "bpm", qint64(120)},
        {"compilation", true, "compilation", qint64(1)},
    };
    return examples;
}

QMap<QString, QStringList> expectedTags(ImportFormat encoder) {
    QMap<QString, QStringList> tags{
        {"TITLE", {"Título"}},
        {"ARTIST", {"Artist"}},
        {"ALBUMARTIST", {"Album Artist"}},
        {"ALBUM", {"Album"}},
        {"COMPOSER", {"Composer"}},
        {"GENRE", {"Genre"}},
        {"COMMENT", {"Comment"}},
        {"GROUPING", {"Grouping"}},
        {"LYRICS", {"Line one\nLine two"}},
        {"TITLESORT", {"Sort Name"}},
        {"ARTISTSORT", {"Sort Artist"}},
        {"ALBUMSORT", {"Sort Album"}},
        {"ALBUMARTISTSORT", {"Sort Album Artist"}},
        {"COMPOSERSORT", {"Sort Composer"}},
        {"DATE", {"1999"}},
        {"BPM", {"120"}},
        {"COMPILATION", {"1"}},
    };
    if (encoder == ImportFormat::Flac || encoder == ImportFormat::Opus) {
        tags.insert("TRACKNUMBER", {"3"});
        tags.insert("TRACKTOTAL", {"12"});
        tags.insert("DISCNUMBER", {"1"});
        tags.insert("DISCTOTAL", {"2"});
    } else {
        tags.insert("TRACKNUMBER", {"3/12"});
        tags.insert("DISCNUMBER", {"1/2"});
    }
    return tags;
}

class TagsInEveryFormat : public testing::TestWithParam<ImportFormat> {
protected:
    ScratchLibrary scratch;
};

// The database has each value as soon as it is set; the file's tags have
// them once the writer has run, in the form the format's players read.
TEST_P(TagsInEveryFormat, propertiesReachTheDatabaseAtOnceAndTheTagsAfterTheWriter) {
    LibraryOptions options;
    options.tagQuietPeriod = 1h; // only flush writes
    const auto library = scratch.open(options);
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(GetParam())));
    const auto track = convertOne(scratch, *library);
    ASSERT_TRUE(track);

    for (const PropertyExample& example : everyProperty()) {
        EXPECT_TRUE(track->setProperty(QString::fromLatin1(example.property), example.value));
    }
    EXPECT_TRUE(track->setArtwork(test::pngImage()));

    const QVariantMap row = test::storedTrackRow(library->databasePath(), track->id());
    for (const PropertyExample& example : everyProperty()) {
        EXPECT_EQ(row.value(QString::fromLatin1(example.column)), example.stored) << example.column;
    }
    EXPECT_NE(row.value("tags_dirty").toLongLong(), 0);
    EXPECT_EQ(library->tagSaveCount(), 0u);

    ASSERT_TRUE(library->flush(10s));

    const QString file = track->filePath();
    const auto tags = test::readTags(file);
    const auto expected = expectedTags(GetParam());
    for (auto tag = expected.begin(); tag != expected.end(); ++tag) {
        EXPECT_EQ(tags.value(tag.key()), tag.value()) << tag.key().toStdString();
    }
    EXPECT_EQ(track->name(), QStringLiteral("Título"));
    const auto record = track->record();
    EXPECT_EQ(record->tagsDirty, 0);
    EXPECT_EQ(record->size, QFileInfo(file).size());
    EXPECT_EQ(test::attachedPicture(file), test::pngImage());
    EXPECT_TRUE(test::decodeAudioFile(file)) << "tagging broke the audio";
}

INSTANTIATE_TEST_SUITE_P(EveryEncoder, TagsInEveryFormat,
                         testing::Values(ImportFormat::Aac, ImportFormat::Alac, ImportFormat::Mp3,
                                         ImportFormat::Opus, ImportFormat::Flac, ImportFormat::Wav),
                         [](const auto& info) { return formatName(info.param).toStdString(); });

class TagWriting : public testing::Test {
protected:
    std::shared_ptr<Library> open(std::chrono::milliseconds quietPeriod) {
        LibraryOptions options;
        options.tagQuietPeriod = quietPeriod;
        return scratch.open(options);
    }

    ScratchLibrary scratch;
};

// A save never rewrites the listed file in place, where a crash would leave
// it half-written: a complete copy replaces it.
TEST_F(TagWriting, tenSetsInABurstCostOneSaveThatReplacesTheFile) {
    const auto library = open(1s);
    ASSERT_TRUE(library);
    const auto track = convertOne(scratch, *library);
    ASSERT_TRUE(track);
    const QString untagged = scratch.inputPath(QStringLiteral("untagged.m4a"));
    ASSERT_EQ(link(QFile::encodeName(track->filePath()).constData(),
                   QFile::encodeName(untagged).constData()),
              0);
    const QByteArray before = readAll(untagged);

    for (int round = 1; round <= 10; ++round) {
        EXPECT_TRUE(
            track->setProperty(QStringLiteral("artist"), QStringLiteral("Artist %1").arg(round)));
    }

    // The writer saves by itself once the track has been quiet.
    EXPECT_TRUE(test::waitUntil([&] { return library->tagSaveCount() > 0; }));
    ASSERT_TRUE(library->flush(10s));
    EXPECT_EQ(library->tagSaveCount(), 1u);
    EXPECT_EQ(test::readTags(track->filePath()).value("ARTIST"), QStringList{"Artist 10"});
    EXPECT_EQ(readAll(untagged), before);
    EXPECT_EQ(scratch.mediaFiles(), QStringList{"Artist 10/Unknown Album/song.m4a"});
}

TEST_F(TagWriting, closingWritesWhatIsPending) {
    auto library = open(1h);
    ASSERT_TRUE(library);
    auto track = convertOne(scratch, *library);
    ASSERT_TRUE(track);
    const QString file = track->filePath();
    const QString database = library->databasePath();
    const qint64 id = track->id();

    EXPECT_TRUE(track->setProperty(QStringLiteral("album"), QStringLiteral("Closing Time")));
    track.reset();
    library.reset(); // the last handle: the library closes

    const QVariantMap row = test::storedTrackRow(database, id);
    EXPECT_EQ(row.value("file"), "Media/Unknown Artist/Closing Time/song.m4a");
    EXPECT_EQ(
        test::readTags(scratch.libraryPath() + '/' + row.value("file").toString()).value("ALBUM"),
        QStringList{"Closing Time"});
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(row.value("tags_dirty").toLongLong(), 0);
}

// A crash between a property set and the writer leaves the database ahead
// of the file; the next open catches the file up, and only that file.
TEST_F(TagWriting, reopeningWritesTheTagsACrashKeptFromTheFile) {
    QString database;
    QString recovered;
    {
        const auto library = open(1h);
        ASSERT_TRUE(library);
        const auto first = convertOne(scratch, *library, QStringLiteral("first"));
        const auto second = convertOne(scratch, *library, QStringLiteral("second"));
        ASSERT_TRUE(first && second);
        database = library->databasePath();
        recovered = first->filePath();
    }
    ASSERT_TRUE(test::executeSql(database,
                                 "UPDATE tracks SET artist = 'Recovered', "
                                 "track_number = 7, tags_dirty = 1 WHERE name = 'first'"));
    ASSERT_TRUE(test::readTags(recovered).value("ARTIST").isEmpty());

    const auto library = open(1h);
    ASSERT_TRUE(library);
    ASSERT_TRUE(library->flush(10s));

    const auto tags = test::readTags(library->track(1)->filePath());
    EXPECT_EQ(tags.value("ARTIST"), QStringList{"Recovered"});
    EXPECT_EQ(tags.value("TRACKNUMBER"), QStringList{"7"});
    EXPECT_EQ(library->tagSaveCount(), 1u);
    EXPECT_TRUE(library->track(1)->record()->tagsDirty == 0);
}

TEST_F(TagWriting, unknownNamesAndValuesOfNoUsableKindChangeNothing) {
    const auto library = open(1h);
    ASSERT_TRUE(library);
    const auto track = convertOne(scratch, *library);
    ASSERT_TRUE(track);
    ASSERT_TRUE(library->flush(10s));
    const quint64 saves = library->tagSaveCount();
    const QVariantMap before = test::storedTrackRow(library->databasePath(), track->id());

    EXPECT_TRUE(track->setProperty(QStringLiteral("rating"), qint64(5)));
    EXPECT_TRUE(track->setProperty(QStringLiteral("Artist"), QStringLiteral("wrong case")));
    EXPECT_TRUE(track->setProperty(QStringLiteral("year"), QStringLiteral("1999")));
    EXPECT_TRUE(track->setProperty(QStringLiteral("compilation"), QStringLiteral("yes")));

    EXPECT_EQ(test::storedTrackRow(library->databasePath(), track->id()), before);
    ASSERT_TRUE(library->flush(10s));
    EXPECT_EQ(library->tagSaveCount(), saves);
}

TEST_F(TagWriting, numbersAndTruthValuesTakeTheKindOfTheirProperty) {
    const auto library = open(1h);
    ASSERT_TRUE(library);
    const auto track = convertOne(scratch, *library);
    ASSERT_TRUE(track);

    EXPECT_TRUE(track->setProperty(QStringLiteral("artist"), qint64(42)));
    EXPECT_TRUE(track->setProperty(QStringLiteral("trackNumber"), true));
    EXPECT_TRUE(track->setProperty(QStringLiteral("compilation"), qint64(2)));

    EXPECT_EQ(track->property(QStringLiteral("artist")), PropertyValue(QStringLiteral("42")));
    EXPECT_EQ(track->property(QStringLiteral("trackNumber")), PropertyValue(qint64(1)));
    EXPECT_EQ(track->property(QStringLiteral("compilation")), PropertyValue(true));
}

// Each number past what a format can hold (MP4 keeps track and disc
// numbers in 16 bits; a year has four digits) is dropped, never cut or
// saturated, and the track keeps a note that list shows until a usable
// value comes.
TEST_F(TagWriting, numbersNoFormatCanHoldAreDroppedWithANote) {
    const auto library = open(1h);
    ASSERT_TRUE(library);
    const auto track = convertOne(scratch, *library);
    ASSERT_TRUE(track);
    const std::pair<const char*, qint64> outOfRange[] = {
        {"discNumber", std::numeric_limits<qint64>::max()},
        {"trackNumber", 65536},
        {"year", 10000},
        {"bpm", -1}};
    for (const auto& [property, value] : outOfRange) {
        EXPECT_TRUE(track->setProperty(QString::fromLatin1(property), qint64(2)));
        EXPECT_TRUE(track->setProperty(QString::fromLatin1(property), value));
    }

    const auto dropped = track->record();
    const ToolRun listed = runTool({"list"});
    EXPECT_TRUE(track->setProperty(QStringLiteral("discNumber"), qint64(65535)));

    ASSERT_TRUE(dropped);
    for (const auto& [property, value] : outOfRange) {
        EXPECT_EQ(dropped->integer(QString::fromLatin1(property)), 2) << property;
    }
    EXPECT_EQ(dropped->propertyNotes.size(), 4);
    EXPECT_TRUE(listed.out.contains("Track 1: The disc number 9223372036854775807 was dropped: "
                                    "it is out of range (0 to 65535)."))
        << listed.out.toStdString();
    EXPECT_TRUE(listed.out.contains("Track 1: The year 10000 was dropped: it is out of range (0 "
                                    "to 9999)."));
    EXPECT_EQ(track->record()->propertyNotes.size(), 3) << "a usable value clears its note";
    EXPECT_EQ(track->property(QStringLiteral("discNumber")), PropertyValue(qint64(65535)));
}

TEST_F(TagWriting, emptiedPropertiesLeaveTheTags) {
    const auto library = open(1h);
    ASSERT_TRUE(library);
    const auto track = convertOne(scratch, *library);
    ASSERT_TRUE(track);
    EXPECT_TRUE(track->setProperty(QStringLiteral("genre"), QStringLiteral("Jazz")));
    EXPECT_TRUE(track->setProperty(QStringLiteral("year"), qint64(2001)));
    EXPECT_TRUE(track->setProperty(QStringLiteral("compilation"), true));
    ASSERT_TRUE(library->flush(10s));
    ASSERT_EQ(test::readTags(track->filePath()).value("GENRE"), QStringList{"Jazz"});

    EXPECT_TRUE(track->setProperty(QStringLiteral("genre"), QString()));
    EXPECT_TRUE(track->setProperty(QStringLiteral("year"), qint64(0)));
    EXPECT_TRUE(track->setProperty(QStringLiteral("compilation"), false));
    ASSERT_TRUE(library->flush(10s));

    const auto tags = test::readTags(track->filePath());
    EXPECT_FALSE(tags.contains("GENRE"));
    EXPECT_FALSE(tags.contains("DATE"));
    EXPECT_FALSE(tags.contains("COMPILATION"));
    EXPECT_EQ(tags.value("TITLE"), QStringList{"song"}) << "a tag of another property went too";
}

TEST_F(TagWriting, aTrackWhoseFileIsGoneStaysDirtyAndTheOthersAreWritten) {
    const auto library = open(1h);
    ASSERT_TRUE(library);
    const auto gone = convertOne(scratch, *library, QStringLiteral("gone"));
    const auto kept = convertOne(scratch, *library, QStringLiteral("kept"));
    ASSERT_TRUE(gone && kept);
    ASSERT_TRUE(QFile::remove(gone->filePath()));

    EXPECT_TRUE(gone->setProperty(QStringLiteral("artist"), QStringLiteral("Nobody")));
    EXPECT_TRUE(kept->setProperty(QStringLiteral("artist"), QStringLiteral("Somebody")));
    ASSERT_TRUE(library->flush(10s));

    EXPECT_NE(gone->record()->tagsDirty, 0);
    EXPECT_EQ(gone->property(QStringLiteral("artist")), PropertyValue(QStringLiteral("Nobody")));
    EXPECT_EQ(test::readTags(kept->filePath()).value("ARTIST"), QStringList{"Somebody"});
    EXPECT_EQ(library->tagSaveCount(), 1u);
}

} // namespace
} // namespace decant::library
