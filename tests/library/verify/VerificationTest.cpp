#include "LibraryTestSupport.h"
#include "library/check/DamagedFiles.h"
#include "library/check/LibraryCheck.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace decant::library {
namespace {

using namespace std::chrono_literals;
using test::ScratchLibrary;
using test::WavFixture;

// Half a second of noise, which no encoder can make much of.
constexpr WavFixture noise{44100, 2, 16, 22050, false, WavFixture::Signal::Noise};

enum class Fault {
    FlippedByte, // one byte in the middle of the audio changes
    CutShort,    // the last quarter of the file is lost
};

bool damage(const QString& path, Fault fault) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return false;
    }
    const qint64 size = file.size();
    if (fault == Fault::CutShort) {
        return file.resize(size - size / 4);
    }
    QByteArray byte(1, '\0');
    return file.seek(size / 2) && file.read(byte.data(), 1) == 1 && file.seek(size / 2) &&
           file.write(QByteArray(1, char(byte[0] ^ 0x5a))) == 1;
}

struct FaultCase {
    ImportFormat format;
    Fault fault;
};

std::string caseName(const testing::TestParamInfo<FaultCase>& info) {
    return formatName(info.param.format).toStdString() +
           (info.param.fault == Fault::FlippedByte ? "_flippedByte" : "_cutShort");
}

class PlantedFault : public testing::TestWithParam<FaultCase> {
protected:
    ScratchLibrary scratch;
};

// A fault the encoder or the disk could cause, planted in the pending file
// once it is written: decoding it back finds it, and the file fails with the
// reason, leaving no track and no file.
TEST_P(PlantedFault, failsTheFileAndLeavesNeitherTrackNorFile) {
    const FaultCase& c = GetParam();
    LibraryOptions options;
    options.parallelConversions = 1;
    bool planted = false;
    options.stepHook = [&](std::string_view step) {
        if (step == "verifying") {
            const QString media = scratch.libraryPath() + QStringLiteral("/Media/");
            for (const QString& file : scratch.mediaFiles()) {
                planted = damage(media + file, c.fault) || planted;
            }
        }
    };
    const auto library = scratch.open(options);
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(c.format)));

    const auto outcomes = library->convertFiles({scratch.writeWav("song.wav", noise)});

    ASSERT_TRUE(planted);
    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_EQ(outcomes[0].trackId, 0);
    EXPECT_EQ(outcomes[0].failure.error, ConversionError::Unverified);
    EXPECT_FALSE(outcomes[0].failure.detail.isEmpty());
    EXPECT_EQ(library->trackCount().valueOr(-1), 0);
    EXPECT_EQ(scratch.mediaFiles(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(EncodersAndFaults, PlantedFault,
                         testing::Values(FaultCase{ImportFormat::Alac, Fault::FlippedByte},
                                         FaultCase{ImportFormat::Flac, Fault::FlippedByte},
                                         FaultCase{ImportFormat::Wav, Fault::FlippedByte},
                                         FaultCase{ImportFormat::Alac, Fault::CutShort},
                                         FaultCase{ImportFormat::Aac, Fault::CutShort},
                                         FaultCase{ImportFormat::Mp3, Fault::CutShort},
                                         FaultCase{ImportFormat::Opus, Fault::CutShort}),
                         caseName);

class Reverification : public testing::TestWithParam<ImportFormat> {
protected:
    ScratchLibrary scratch;
};

// A lossless track records its source's MD5, a lossy one that its length
// is exact; a later check decodes every file against that, unmoved by tag
// rewrites but finding a flipped byte, and a repair has the next import of
// the source encode the file again.
TEST_P(Reverification, findsAFileDamagedSinceItsImportButNotItsNewTags) {
    const ImportFormat encoder = GetParam();
    const auto library = scratch.open();
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(encoder)));
    const QUrl source = scratch.writeWav("song.wav", {44100, 2, 24, 22050, false});
    const auto tracks = library->convert({source});
    ASSERT_EQ(tracks.size(), 1);
    EXPECT_TRUE(tracks[0]->setProperty("artist", QStringLiteral("Someone")));
    ASSERT_TRUE(library->flush(10s));

    const auto record = tracks[0]->record();
    ASSERT_TRUE(record);
    if (isLossless(encoder)) {
        EXPECT_EQ(record->verification.proof, Verification::Proof::Lossless);
        EXPECT_EQ(record->verification.digest, record->audioDigest);
        EXPECT_EQ(describeVerification(record->verification),
                  "lossless, MD5 " + record->audioDigest);
    } else {
        EXPECT_EQ(record->verification.proof, Verification::Proof::ExactLength);
        EXPECT_EQ(describeVerification(record->verification), "length exact");
    }
    EXPECT_LE(qAbs(record->verification.when.secsTo(QDateTime::currentDateTimeUtc())), 60);
    const auto sound = findDamagedFiles(*library);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->size(), 0);

    ASSERT_TRUE(damage(tracks[0]->filePath(), Fault::FlippedByte));
    const QList<LibraryProblem> damaged = findDamagedFiles(*library).valueOr({});

    ASSERT_EQ(damaged.size(), 1);
    EXPECT_EQ(damaged[0].kind, LibraryProblem::Kind::DamagedFile);
    EXPECT_EQ(damaged[0].trackId, tracks[0]->id());
    EXPECT_TRUE(repairLibraryProblem(*library, damaged[0]).mended);
    const auto again = library->convertFiles({source});
    ASSERT_NE(again[0].trackId, 0);
    EXPECT_EQ(again[0].how, Conversion::Replaced);
    const auto mended = findDamagedFiles(*library);
    ASSERT_TRUE(mended);
    EXPECT_EQ(mended->size(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryEncoder, Reverification,
                         testing::Values(ImportFormat::Alac, ImportFormat::Flac, ImportFormat::Wav,
                                         ImportFormat::Aac, ImportFormat::Mp3, ImportFormat::Opus),
                         [](const testing::TestParamInfo<ImportFormat>& info) {
                             return formatName(info.param).toStdString();
                         });

} // namespace
} // namespace decant::library
