#include "library/tags/TagRewrite.h"

#include "LibraryTestSupport.h"
#include "TestImages.h"
#include "library/model/Provenance.h"
#include "library/tags/MediaFileReader.h"
#include "library/verify/SoundCheck.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <taglib/mp4file.h>

#include <ostream>
#include <sys/inotify.h>
#include <unistd.h>

namespace decant::library {
namespace {

// How often a file is opened, and closed after being open for writing,
// while an inotify watch on it lives.
class OpenCounter {
public:
    explicit OpenCounter(const QString& path)
        : descriptor_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        inotify_add_watch(descriptor_, QFile::encodeName(path).constData(),
                          IN_OPEN | IN_CLOSE_WRITE);
    }
    ~OpenCounter() { close(descriptor_); }
    OpenCounter(const OpenCounter&) = delete;
    OpenCounter& operator=(const OpenCounter&) = delete;

    // The events since the last call: opens, then closes after writing.
    std::pair<int, int> take() {
        int opens = 0;
        int writtenCloses = 0;
        alignas(inotify_event) char buffer[4096];
        ssize_t got;
        while ((got = read(descriptor_, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                opens += (event->mask & IN_OPEN) != 0;
                writtenCloses += (event->mask & IN_CLOSE_WRITE) != 0;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return {opens, writtenCloses};
    }

private:
    int descriptor_;
};

// Where a format's players read a track's loudness, and what they read.
struct LoudnessTag {
    const char* key;
    QString (*text)(const Loudness&);
};

struct RewriteCase {
    ImportFormat format;
    std::vector<LoudnessTag> loudnessTags;
};

void PrintTo(const RewriteCase& rewrite, std::ostream* out) {
    test::PrintTo(rewrite.format, out);
}

QString r128Text(const Loudness& loudness) {
    return QString::number(r128Gain(loudness));
}

// The file's tags as TagLib reads them, with the freeform items of MP4 that
// its properties leave out by their short names ("ITUNNORM").
QMap<QString, QStringList> tagsOf(const QString& path) {
    auto tags = test::readTags(path);
    if (QFileInfo(path).suffix() != "m4a") {
        return tags;
    }
    const TagLib::MP4::File mp4(QFile::encodeName(path).constData(), false);
    if (mp4.isValid() && mp4.tag()) {
        for (const auto& [key, item] : mp4.tag()->itemMap()) {
            const QString name = QString::fromStdString(key.to8Bit(true));
            if (name.startsWith("----:com.apple.iTunes:")) {
                tags.insert(name.section(':', -1).toUpper(),
                            {QString::fromStdString(item.toStringList().toString().to8Bit(true))});
            }
        }
    }
    return tags;
}

class TagRewrite : public testing::TestWithParam<RewriteCase> {
protected:
    // A freshly encoded file of the format, outside the library.
    QString encodedFile() {
        LibraryOptions options;
        options.writeTags = false;
        const auto library = scratch.open(options);
        if (!library || !library->setImportSettings(defaultSettings(GetParam().format))) {
            return {};
        }
        const auto tracks = library->convert({scratch.writeWav("song.wav")});
        if (tracks.size() != 1) {
            return {};
        }
        const QString copy = scratch.inputPath("copy." + QFileInfo(tracks[0]->filePath()).suffix());
        return QFile::copy(tracks[0]->filePath(), copy) ? copy : QString();
    }

    test::ScratchLibrary scratch;
};

// Everything the database knows of a track, as a rebuild would need it.
TrackRecord fullRecord() {
    TrackRecord record;
    record.properties = {
        {"name", QStringLiteral("Rewritten")},
        {"artist", QStringLiteral("Ann") + valueSeparator + "Bo"},
        {"musicBrainzTrackId", QStringLiteral("4f1c6a5e-0000-4000-8000-000000000003")},
        {"musicBrainzAlbumId", QStringLiteral("4f1c6a5e-0000-4000-8000-000000000001")},
        {"acoustId", QStringLiteral("a1c0ffee-0000-4000-8000-000000000001")},
        {"arranger", QStringLiteral("Cy")},
        {"discSubtitle", QStringLiteral("Side B")},
        {"label", QStringLiteral("Deep \u00e9")},
        {"album", QStringLiteral("Blue")},
        {"trackNumber", qint64(3)},
        {"trackCount", qint64(12)},
        {"discNumber", qint64(2)},
        {"year", qint64(2001)},
        {"compilation", true}};
    record.loudness = Loudness{-12.5, 0.75};
    record.albumLoudness = Loudness{-11, 0.9};
    record.source = QStringLiteral("0123456789abcdef0123456789abcdef");
    record.audioDigest = QStringLiteral("fedcba9876543210fedcba9876543210");
    record.dateAdded = QDateTime(QDate(2024, 5, 1), QTime(10, 0, 0, 250), Qt::UTC);
    record.encodedWith = ImportSettings{ImportFormat::Aac, 256};
    record.sourceFormat = QStringLiteral("pcm_s16le");
    record.verification = {Verification::Proof::Lossless, record.audioDigest,
                           QDateTime(QDate(2024, 5, 1), QTime(10, 0, 1), Qt::UTC)};
    return record;
}

// The tags, the loudness tags, the provenance and the cover all land in one
// open and save of the file, each where the format's players look for it,
// and the file alone gives back what the database knew.
TEST_P(TagRewrite, putsEverythingInWithOneOpenAndReadsItBack) {
    const QString file = encodedFile();
    ASSERT_FALSE(file.isEmpty());
    const TrackRecord record = fullRecord();
    const QByteArray image = test::pngImage();
    const Artwork artwork{ImageFormat::Png, image, artworkDigest(image)};
    OpenCounter counter(file);

    const Status rewritten = rewriteFileTags(file, record, artwork);

    ASSERT_TRUE(rewritten) << rewritten.error().message.toStdString();
    EXPECT_EQ(counter.take(), std::make_pair(1, 1));
    const auto tags = tagsOf(file);
    EXPECT_EQ(tags.value("TITLE"), QStringList{"Rewritten"});
    EXPECT_EQ(tags.value(provenanceTagName), QStringList{provenanceText(record)});
    for (const LoudnessTag& loudness : GetParam().loudnessTags) {
        EXPECT_EQ(tags.value(loudness.key), QStringList{loudness.text(*record.loudness)})
            << loudness.key;
    }
    EXPECT_EQ(test::attachedPicture(file), image);
    EXPECT_TRUE(test::decodeAudioFile(file)) << "the rewrite broke the audio";
    const auto read = readMediaFile(file);
    ASSERT_TRUE(read) << read.error().message.toStdString();
    EXPECT_TRUE(read->hasProvenance);
    EXPECT_EQ(read->record.properties, record.properties);
    EXPECT_EQ(provenanceText(read->record), provenanceText(record));
    EXPECT_EQ(read->record.kind, kindOfFormat(ImportFormat::Aac)) << "as its provenance says";
    EXPECT_GT(read->record.duration, 0);
    ASSERT_TRUE(read->artwork);
    EXPECT_EQ(read->artwork->digest, artwork.digest);
}

INSTANTIATE_TEST_SUITE_P(
    EveryContainer, TagRewrite,
    testing::Values(RewriteCase{ImportFormat::Aac, {{"ITUNNORM", iTunNORM}}},
                    RewriteCase{ImportFormat::Mp3,
                                {{"REPLAYGAIN_TRACK_GAIN", replayGainText},
                                 {"COMMENT:ITUNNORM", iTunNORM}}},
                    RewriteCase{ImportFormat::Flac, {{"REPLAYGAIN_TRACK_GAIN", replayGainText}}},
                    RewriteCase{ImportFormat::Opus, {{"R128_TRACK_GAIN", r128Text}}},
                    RewriteCase{ImportFormat::Wav, {}}),
    [](const auto& info) { return formatName(info.param.format).toStdString(); });

// A file TagLib cannot read is left alone, with a reason naming it.
TEST(TagRewriteFailure, aFileTagLibCannotReadGivesTheReasonAndStaysAsItWas) {
    test::ScratchLibrary scratch;
    const QString file = scratch.writeFile("broken.m4a", "not audio").toLocalFile();

    const Status rewritten = rewriteFileTags(file, TrackRecord{}, std::nullopt);

    ASSERT_FALSE(rewritten);
    EXPECT_EQ(rewritten.error().message, "TagLib cannot open " + file);
    QFile read(file);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    EXPECT_EQ(read.readAll(), "not audio");
}

} // namespace
} // namespace decant::library
