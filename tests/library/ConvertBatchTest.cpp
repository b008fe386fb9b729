#include "FlacFixture.h"
#include "LibraryTestSupport.h"
#include "SampleCheckHex.h"
#include "TestImages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <ostream>

namespace decant::library {
namespace {

using test::ScratchLibrary;
using test::WavFixture;

// A tenth of a second keeps these tests about batches, not encoders.
constexpr WavFixture shortWav{44100, 2, 16, 4410, false};

QStringList namesOf(const QList<std::shared_ptr<Track>>& tracks) {
    QStringList names;
    for (const auto& track : tracks) {
        names.append(track->name());
    }
    return names;
}

class ConvertBatch : public testing::Test {
protected:
    void SetUp() override {
        LibraryOptions options;
        options.parallelConversions = 3; // more than the files that succeed
        library = scratch.open(options);
        ASSERT_TRUE(library);
    }

    ScratchLibrary scratch;
    std::shared_ptr<Library> library;
};

TEST_F(ConvertBatch, leavesOutFilesThatFailAndKeepsTheOrderOfTheRest) {
    QDir().mkpath(scratch.inputPath(QStringLiteral("folder.wav")));
    const QList<QUrl> urls{
        scratch.writeWav(QStringLiteral("one.wav"), shortWav),
        QUrl(QStringLiteral("http://localhost/two.wav")),
        QUrl::fromLocalFile(scratch.inputPath(QStringLiteral("missing.wav"))),
        scratch.writeWav(QStringLiteral("three.wav"), shortWav),
        scratch.writeFile(QStringLiteral("text.wav"), "just some words, not audio\n"),
        scratch.writeFile(QStringLiteral("flac.wav"), test::encodeFlacFixture({})),
        scratch.writeWav(QStringLiteral("empty.wav"), {44100, 2, 16, 0, false}),
        QUrl::fromLocalFile(scratch.inputPath(QStringLiteral("folder.wav"))),
        scratch.writeWav(QStringLiteral("four.wav"), shortWav),
        scratch.writeFile(QStringLiteral("cut.wav"), test::encodeWavFixture(shortWav).left(9000)),
    };

    const auto outcomes = library->convertFiles(urls);

    ASSERT_EQ(outcomes.size(), urls.size());
    const QList<ConversionError> expected{
        ConversionError::None,        ConversionError::NotLocalFile, ConversionError::Unreadable,
        ConversionError::None,        ConversionError::NotWav,       ConversionError::NotWav,
        ConversionError::Undecodable, ConversionError::Unreadable,   ConversionError::None,
        ConversionError::Undecodable};
    for (qsizetype index = 0; index < urls.size(); ++index) {
        SCOPED_TRACE(urls[index].toString().toStdString());
        EXPECT_EQ(outcomes[index].failure.error, expected[index]);
        EXPECT_EQ(outcomes[index].trackId != 0, expected[index] == ConversionError::None);
    }
    QList<std::shared_ptr<Track>> tracks;
    for (const auto& outcome : outcomes) {
        if (outcome.trackId != 0) {
            tracks.append(library->track(outcome.trackId));
        }
    }
    EXPECT_EQ(namesOf(tracks), QStringList({"one", "three", "four"}));
    EXPECT_LT(tracks[0]->id(), tracks[1]->id());
    EXPECT_LT(tracks[1]->id(), tracks[2]->id());
    // Nothing half-written is left behind, and every file is recorded.
    EXPECT_EQ(scratch.mediaFiles(), QStringList({"four.m4a", "one.m4a", "three.m4a"}));
    EXPECT_EQ(library->trackCount().valueOr(-1), 3);
}

TEST_F(ConvertBatch, convertRepliesWithTheNewTracksOnly) {
    const auto tracks = library->convert({
        QUrl::fromLocalFile(scratch.inputPath(QStringLiteral("missing.wav"))),
        scratch.writeWav(QStringLiteral("kept.wav"), shortWav),
    });

    EXPECT_EQ(namesOf(tracks), QStringList{QStringLiteral("kept")});
    EXPECT_TRUE(library->convert({}).isEmpty());
}

TEST_F(ConvertBatch, takenNamesGetTheNextFreeNumberWithoutReplacingAnything) {
    QFile existing(library->mediaPath() + QStringLiteral("/song.m4a"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("someone else's file");
    existing.close();
    QDir().mkpath(scratch.inputPath(QStringLiteral("other")));
    WavFixture otherAudio = shortWav;
    otherAudio.frames = 4000;

    // One source name, two audios: two tracks, racing for one name.
    const auto tracks = library->convert({scratch.writeWav(QStringLiteral("song.wav"), shortWav),
                                          scratch.writeWav("other/song.wav", otherAudio)});

    ASSERT_EQ(tracks.size(), 2);
    EXPECT_EQ(namesOf(tracks), QStringList({"song", "song"}));
    EXPECT_EQ(scratch.mediaFiles(), QStringList({"song 2.m4a", "song 3.m4a", "song.m4a"}));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("someone else's file"));
}

enum class Given { Proven, WrongMd5, NotAnMd5, RightCheck, WrongCheck };

struct GivenProof {
    Given given;
    ImportFormat format;
};

class ProvenDigest : public ConvertBatch, public testing::WithParamInterface<GivenProof> {};

// A digest the WAV file's writer proved spares the library reading the file
// for it; decoding back still holds the file to it, or to the writer's XXH3
// digest of the same bytes where it gave one, and the MD5 is the digest the
// library would take, so a later import without one finds the track.
TEST_P(ProvenDigest, standsForReadingTheFile) {
    const Given given = GetParam().given;
    ASSERT_TRUE(library->setImportSettings(defaultSettings(GetParam().format)));
    const QUrl url = scratch.writeWav(QStringLiteral("a.wav"), shortWav);
    const QByteArray samples = test::encodeWavFixture(shortWav).mid(44);
    const QString proven =
        QString::fromLatin1(QCryptographicHash::hash(samples, QCryptographicHash::Md5).toHex());
    const QString check = QString::fromStdString(test::sampleCheckHex(samples));
    const QString digest = given == Given::WrongMd5   ? QString(proven).replace(0, 4, "0000")
                           : given == Given::NotAnMd5 ? QStringLiteral("not a digest")
                                                      : proven;
    const QString checkGiven = given == Given::RightCheck   ? check
                               : given == Given::WrongCheck ? QString(check).replace(0, 4, "0000")
                                                            : QString();

    const auto first = library->convertFiles({url}, {}, {digest}, {}, {checkGiven});
    const auto again = library->convertFiles({url});

    if (given != Given::Proven && given != Given::RightCheck) {
        EXPECT_EQ(first[0].how, Conversion::Failed);
        EXPECT_EQ(first[0].failure.error, given == Given::NotAnMd5 ? ConversionError::Undecodable
                                                                   : ConversionError::Unverified);
        EXPECT_EQ(again[0].how, Conversion::Added);
        return;
    }
    EXPECT_EQ(first[0].how, Conversion::Added);
    EXPECT_EQ(again[0].how, Conversion::Held);
    EXPECT_EQ(again[0].trackId, first[0].trackId);
    EXPECT_EQ(library->track(first[0].trackId)->record()->verification.digest, proven);
}

std::string givenName(const testing::TestParamInfo<GivenProof>& info) {
    static const char* const names[] = {"Proven", "WrongMd5", "NotAnMd5", "RightCheck",
                                        "WrongCheck"};
    return std::string(info.param.format == ImportFormat::Alac ? "Alac_" : "Flac_") +
           names[int(info.param.given)];
}

INSTANTIATE_TEST_SUITE_P(Given, ProvenDigest,
                         testing::Values(GivenProof{Given::Proven, ImportFormat::Alac},
                                         GivenProof{Given::WrongMd5, ImportFormat::Alac},
                                         GivenProof{Given::NotAnMd5, ImportFormat::Alac},
                                         GivenProof{Given::RightCheck, ImportFormat::Alac},
                                         GivenProof{Given::WrongCheck, ImportFormat::Alac},
                                         GivenProof{Given::RightCheck, ImportFormat::Flac},
                                         GivenProof{Given::WrongCheck, ImportFormat::Flac}),
                         givenName);

// The same album imported twice, in one batch or in two, leaves one copy;
// import settings changed since encode the held track again, in place.
TEST_F(ConvertBatch, aFileTheLibraryHoldsGivesItsTrack) {
    const QUrl a = scratch.writeWav(QStringLiteral("a.wav"), shortWav);
    const QUrl b = scratch.writeWav(QStringLiteral("b.wav"), shortWav);
    const auto first = library->convertFiles({a, b, a});
    ASSERT_TRUE(first[0].trackId != 0 && first[1].trackId != 0 && first[2].trackId != 0);
    EXPECT_EQ(first[0].trackId, first[2].trackId);
    const qint64 id = first[0].trackId;
    EXPECT_TRUE(library->track(id)->setProperty(QStringLiteral("name"), QStringLiteral("Song A")));
    EXPECT_TRUE(library->track(id)->setArtwork(test::jpegImage()));
    ASSERT_TRUE(library->flush(std::chrono::seconds(10)));
    const QDateTime encodedAt = QFileInfo(library->track(id)->filePath()).lastModified();

    const auto again = library->convertFiles({b, a});
    const QDateTime keptAt = QFileInfo(library->track(id)->filePath()).lastModified();
    ASSERT_TRUE(library->setImportSettings({ImportFormat::Mp3, 128}));
    const auto reencoded = library->convertFiles({a});
    ASSERT_TRUE(library->flush(std::chrono::seconds(10)));
    const auto otherAudio =
        library->convertFiles({scratch.writeWav(QStringLiteral("a.wav"), {44100, 2, 16, 2000})});

    EXPECT_EQ(first[0].how, Conversion::Added);
    EXPECT_EQ(again[1].how, Conversion::Held);
    ASSERT_NE(again[1].trackId, 0);
    EXPECT_EQ(again[1].trackId, id);
    EXPECT_EQ(again[0].trackId, first[1].trackId);
    EXPECT_EQ(keptAt, encodedAt);
    EXPECT_EQ(library->track(again[1].trackId)->name(), QStringLiteral("Song A"));

    EXPECT_EQ(reencoded[0].how, Conversion::Replaced);
    ASSERT_NE(reencoded[0].trackId, 0);
    EXPECT_EQ(reencoded[0].trackId, id);
    const auto replaced = library->track(id);
    // The file keeps the name its tags gave it.
    const auto record = replaced->record();
    EXPECT_EQ(record->file, QStringLiteral("Media/Unknown Artist/Unknown Album/Song A.mp3"));
    EXPECT_EQ(record->encodedWith, (ImportSettings{ImportFormat::Mp3, 128}));
    EXPECT_EQ(test::readTags(replaced->filePath()).value("TITLE"), QStringList{"Song A"});
    EXPECT_EQ(test::attachedPicture(replaced->filePath()), test::jpegImage());
    const auto decoded = test::decodeAudioFile(replaced->filePath());
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->codec.startsWith(QStringLiteral("mp3"))) << decoded->codec.toStdString();

    EXPECT_EQ(otherAudio[0].how, Conversion::Added);
    EXPECT_EQ(library->trackCount().valueOr(-1), 3);
    // Every new file has its provenance written, and so goes where its tags
    // say; the last one's write is still to come.
    EXPECT_EQ(scratch.mediaFiles(), QStringList({"Unknown Artist/Unknown Album/Song A.mp3",
                                                 "Unknown Artist/Unknown Album/b.m4a", "a.mp3"}));
}

// Decant's decoder announces no data when a FLAC stream did not say how long
// it is; the samples follow all the same.
TEST_F(ConvertBatch, readsTheWholeFileWhenTheHeaderAnnouncesNoData) {
    ASSERT_TRUE(library->setImportSettings(defaultSettings(ImportFormat::Flac)));
    WavFixture unknownLength = shortWav;
    unknownLength.zeroDataSize = true;

    const auto tracks =
        library->convert({scratch.writeWav(QStringLiteral("x.wav"), unknownLength)});

    ASSERT_EQ(tracks.size(), 1);
    const auto decoded = test::decodeAudioFile(tracks[0]->filePath());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->frames, qint64(unknownLength.frames));
}

// The tool may change the settings while Decant runs: each batch reads them.
TEST_F(ConvertBatch, eachBatchUsesTheSettingsStoredAtItsStart) {
    LibraryOptions options;
    options.writeTags = false;
    const auto tool = Library::open(library->location(), options);
    ASSERT_TRUE(tool);
    ASSERT_TRUE((*tool)->setImportSettings({ImportFormat::Mp3, 128}));

    const auto tracks = library->convert({scratch.writeWav(QStringLiteral("a.wav"), shortWav)});

    ASSERT_EQ(tracks.size(), 1);
    EXPECT_TRUE(tracks[0]->filePath().endsWith(QStringLiteral("/a.mp3")));
    EXPECT_EQ(tracks[0]->record()->kind, QStringLiteral("MPEG audio file"));
}

enum class StopAt { BeforeTheBatch, AsTheSecondEncodeBegins, OnceTheFirstFileIsDone };

struct StopCase {
    StopAt at;
    qsizetype converted;
};

class StoppedConversion : public testing::TestWithParam<StopCase> {
protected:
    ScratchLibrary scratch;
};

// The file under way is abandoned, leaving nothing behind; the files not
// begun fail as stopped; the next convert is not stopped.
TEST_P(StoppedConversion, convertsNothingMoreAndLeavesNothingHalfDone) {
    const StopCase stop = GetParam();
    std::shared_ptr<Library> library;
    std::atomic<int> encodes = 0;
    LibraryOptions options;
    options.parallelConversions = 1;
    options.stepHook = [&](std::string_view step) {
        if (stop.at == StopAt::AsTheSecondEncodeBegins && step == "encoding" && ++encodes == 2) {
            library->stopConverting();
        }
    };
    library = scratch.open(options);
    ASSERT_TRUE(library);
    const QList<QUrl> urls{scratch.writeWav("a.wav", shortWav), scratch.writeWav("b.wav", shortWav),
                           scratch.writeWav("c.wav", shortWav)};
    if (stop.at == StopAt::BeforeTheBatch) {
        library->stopConverting();
    }

    QList<std::pair<qsizetype, bool>> told;
    const auto outcomes =
        library->convertFiles(urls, [&](qsizetype index, const ConversionOutcome& outcome) {
            told.append({index, outcome.trackId != 0});
            if (stop.at == StopAt::OnceTheFirstFileIsDone) {
                library->stopConverting();
            }
        });

    QList<std::pair<qsizetype, bool>> expected;
    for (qsizetype index = 0; index < urls.size(); ++index) {
        expected.append({index, index < stop.converted});
        EXPECT_EQ(outcomes[index].trackId != 0, index < stop.converted);
        if (index >= stop.converted) {
            EXPECT_EQ(outcomes[index].failure.error, ConversionError::Stopped);
        }
    }
    std::sort(told.begin(), told.end());
    EXPECT_EQ(told, expected);
    EXPECT_EQ(library->trackCount().valueOr(-1), stop.converted);
    EXPECT_EQ(scratch.mediaFiles().size(), stop.converted)
        << scratch.mediaFiles().join(' ').toStdString();
    EXPECT_EQ(library->convert(urls).size(), 3);
}

INSTANTIATE_TEST_SUITE_P(Moments, StoppedConversion,
                         testing::Values(StopCase{StopAt::BeforeTheBatch, 0},
                                         StopCase{StopAt::AsTheSecondEncodeBegins, 1},
                                         StopCase{StopAt::OnceTheFirstFileIsDone, 1}));

struct Lock {
    const char* name;
    const char* sql; // run by another program's connection, which keeps it
    bool opens;      // whether the library still opens
};

void PrintTo(const Lock& lock, std::ostream* out) {
    *out << lock.name;
}

class LockedLibrary : public testing::TestWithParam<Lock> {};

// Another program holding the database past the busy time-out: the open or
// every file says so, instead of waiting for ever or failing silently.
TEST_P(LockedLibrary, saysItIsLockedByAnotherProgram) {
    ScratchLibrary scratch;
    LibraryOptions options;
    options.busyTimeout = std::chrono::milliseconds(100);
    { ASSERT_TRUE(scratch.open(options)); }
    sqlite3* other = nullptr;
    ASSERT_EQ(
        sqlite3_open((scratch.libraryPath() + "/Library.sqlite").toUtf8().constData(), &other),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, GetParam().sql, nullptr, nullptr, nullptr), SQLITE_OK);

    const auto library = Library::open(scratch.libraryPath(), options);
    const auto outcomes =
        library ? (*library)->convertFiles({scratch.writeWav("a.wav"), scratch.writeWav("b.wav")})
                : QList<ConversionOutcome>();
    sqlite3_close(other);

    QString error = library ? QString() : library.error().message;
    EXPECT_EQ(library.ok(), GetParam().opens) << error.toStdString();
    if (!library) {
        EXPECT_EQ(library.error().kind, Error::Kind::Busy);
    }
    for (const ConversionOutcome& outcome : outcomes) {
        error = describeConversionFailure(outcome.failure);
        EXPECT_EQ(outcome.trackId, 0);
    }
    EXPECT_TRUE(error.contains("locked by another program (still busy after 0.1 s)"))
        << error.toStdString();
    EXPECT_TRUE(scratch.mediaFiles().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Locks, LockedLibrary,
                         testing::Values(Lock{"Writing", "BEGIN IMMEDIATE", true},
                                         Lock{"Exclusive",
                                              "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; "
                                              "UPDATE settings SET value = value",
                                              false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace decant::library
