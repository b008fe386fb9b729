#include "CliTestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>
#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

namespace decant {
namespace {

// A field as Picard writes it in Vorbis comments, and where ffprobe shows
// it in an MP4 and an ID3v2 file; null where ffprobe does not show the
// frame (UFID, TIPL) and TagLib's reading of the file is asked instead.
struct Identifier {
    const char* field;
    const char* mp4;
    const char* id3;
};

constexpr Identifier identifiers[]{
    {"MUSICBRAINZ_TRACKID", "MusicBrainz Track Id", nullptr},
    {"MUSICBRAINZ_RELEASETRACKID", "MusicBrainz Release Track Id", "MusicBrainz Release Track Id"},
    {"MUSICBRAINZ_ALBUMID", "MusicBrainz Album Id", "MusicBrainz Album Id"},
    {"MUSICBRAINZ_ARTISTID", "MusicBrainz Artist Id", "MusicBrainz Artist Id"},
    {"MUSICBRAINZ_ALBUMARTISTID", "MusicBrainz Album Artist Id", "MusicBrainz Album Artist Id"},
    {"MUSICBRAINZ_RELEASEGROUPID", "MusicBrainz Release Group Id", "MusicBrainz Release Group Id"},
    {"MUSICBRAINZ_WORKID", "MusicBrainz Work Id", "MusicBrainz Work Id"},
    {"ACOUSTID_ID", "Acoustid Id", "Acoustid Id"},
    {"ISRC", "ISRC", "TSRC"},
    {"LABEL", "LABEL", "publisher"},
    {"CATALOGNUMBER", "CATALOGNUMBER", "CATALOGNUMBER"},
    {"BARCODE", "BARCODE", "BARCODE"},
    {"RELEASETYPE", "MusicBrainz Album Type", "MusicBrainz Album Type"},
    {"RELEASESTATUS", "MusicBrainz Album Status", "MusicBrainz Album Status"},
    {"RELEASECOUNTRY", "MusicBrainz Album Release Country", "MusicBrainz Album Release Country"},
    {"ORIGINALDATE", "originaldate", "TDOR"},
    {"MEDIA", "MEDIA", "TMED"},
    {"SCRIPT", "SCRIPT", "SCRIPT"},
    {"LANGUAGE", "LANGUAGE", "language"},
    {"DISCSUBTITLE", "DISCSUBTITLE", "TSST"},
    {"CONDUCTOR", "CONDUCTOR", "performer"},
    {"REMIXER", "REMIXER", "TPE4"},
    {"LYRICIST", "LYRICIST", "TEXT"},
    {"ARRANGER", "ARRANGER", nullptr},
    {"PRODUCER", "PRODUCER", nullptr},
    {"ENGINEER", "ENGINEER", nullptr},
    {"MIXER", "MIXER", nullptr},
    {"MOOD", "MOOD", "TMOO"},
    {"COPYRIGHT", "copyright", "copyright"},
    {"ALBUMSORT", "sort_album", "album-sort"},
    {"ARTISTSORT", "sort_artist", "artist-sort"},
    {"ALBUMARTISTSORT", "sort_album_artist", "TSO2"},
    {"TITLESORT", "sort_name", "title-sort"},
    {"COMPOSERSORT", "sort_composer", "TSOC"},
};

// Distinct for every field, so that one landing in another's place shows;
// not ASCII but for MusicBrainz's identifiers, which are, and whose UFID
// frame holds bytes that TagLib reads back as Latin-1.
QString valueOf(const char* field) {
    const QString name = QString::fromLatin1(field).toLower();
    return name.startsWith("musicbrainz_") ? name : name + QStringLiteral(" \u00e9");
}

// The container's and the audio stream's tags, as ffprobe prints them.
QVariantMap probeTags(const QString& path) {
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {"-v", "error", "-show_entries", "format_tags:stream_tags", "-of", "json", path});
    probe.waitForFinished(30000);
    const QJsonObject json = QJsonDocument::fromJson(probe.readAllStandardOutput()).object();
    QVariantMap tags = json.value("format").toObject().value("tags").toObject().toVariantMap();
    const auto streams = json.value("streams").toVariant().toList();
    if (!streams.isEmpty()) {
        tags.insert(streams.first().toMap().value("tags").toMap());
    }
    return tags;
}

TagLib::PropertyMap tagLibProperties(const QString& path) {
    const TagLib::FileRef file(QFile::encodeName(path).constData());
    return file.isNull() ? TagLib::PropertyMap() : file.file()->properties();
}

QStringList valuesOf(const TagLib::PropertyMap& tags, const char* key) {
    QStringList values;
    for (const TagLib::String& value : tags[key]) {
        values.append(QString::fromStdString(value.to8Bit(true)));
    }
    return values;
}

class TaggerIdentifiers : public testing::TestWithParam<const char*> {
protected:
    test::CliScratch scratch;
};

// A file tagged as Picard tags it, imported into each format: every
// identifier where that format's players and taggers look for it, both
// artists kept, and decant-library show lists them all.
TEST_P(TaggerIdentifiers, reachTheLibraryFileWhereTaggersReadThem) {
    const QString encoder = QLatin1String(GetParam());
    QList<QByteArray> comments{"TITLE=Song", "ARTIST=First", "ARTIST=Second"};
    for (const Identifier& identifier : identifiers) {
        comments.append(QByteArray(identifier.field) + '=' + valueOf(identifier.field).toUtf8());
    }
    test::FlacFixture fixture = test::taggedFixture(comments);
    fixture.samples = 22050;
    const QString source = scratch.writeFlac("Picard.flac", fixture);
    QProcess settings;
    settings.setProcessEnvironment(scratch.environment());
    settings.start(QStringLiteral(DECANT_LIBRARY_TOOL), {"settings", "--encoder", encoder});
    ASSERT_TRUE(settings.waitForFinished(30000) && settings.exitCode() == 0)
        << settings.readAllStandardError().toStdString();

    const auto result = test::runCli(scratch, {source});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const auto tracks = scratch.libraryTracks();
    ASSERT_EQ(tracks.size(), 1);
    const QString path = scratch.libraryPath() + '/' + tracks.first().file;

    const QVariantMap probed = probeTags(path);
    const TagLib::PropertyMap tagLib = tagLibProperties(path);
    const bool vorbis = encoder == "flac" || encoder == "opus";
    for (const Identifier& identifier : identifiers) {
        SCOPED_TRACE(identifier.field);
        const char* name = vorbis             ? identifier.field
                           : encoder == "mp3" ? identifier.id3
                                              : identifier.mp4;
        const QString expected = valueOf(identifier.field);
        if (name) {
            EXPECT_EQ(probed.value(QLatin1String(name)).toString(), expected);
        } else {
            EXPECT_EQ(valuesOf(tagLib, identifier.field), QStringList{expected});
        }
    }
    EXPECT_EQ(valuesOf(tagLib, "ARTIST"), QStringList({"First", "Second"}));

    QProcess show;
    show.setProcessEnvironment(scratch.environment());
    show.start(QStringLiteral(DECANT_LIBRARY_TOOL), {"show", QString::number(tracks.first().id)});
    ASSERT_TRUE(show.waitForFinished(30000));
    const QString shown = QString::fromUtf8(show.readAllStandardOutput());
    EXPECT_TRUE(shown.contains("  artist: First; Second\n")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("  musicBrainzTrackId: " + valueOf("MUSICBRAINZ_TRACKID") + '\n'));
    EXPECT_TRUE(shown.contains("  copyright: " + valueOf("COPYRIGHT") + '\n'));
}

INSTANTIATE_TEST_SUITE_P(Formats, TaggerIdentifiers, testing::Values("aac", "mp3", "flac", "opus"));

} // namespace
} // namespace decant
