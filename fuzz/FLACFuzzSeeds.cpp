// Writes the seed corpus of the FLAC fuzzers: small fixture files in the
// layouts the decoder treats differently, and comment blocks of every shape.
// usage: flac_fuzz_seeds CORPUS   (CORPUS: fuzz/corpus)
#include "FlacFixture.h"

#include <QDir>

#include <cstdio>

namespace {

using decant::test::FlacFixture;

struct Seed {
    const char* name;
    FlacFixture fixture;
};

FlacFixture fixture(unsigned bits, unsigned channels, unsigned rate, unsigned samples) {
    FlacFixture settings;
    settings.bitsPerSample = bits;
    settings.channels = channels;
    settings.sampleRate = rate;
    settings.samples = samples;
    settings.blockSize = 192;
    return settings;
}

FlacFixture tagged(QList<QByteArray> comments) {
    FlacFixture settings = fixture(16, 1, 8000, 64);
    settings.comments = std::move(comments);
    return settings;
}

bool writeSeeds(const QDir& folder, const QList<Seed>& seeds) {
    if (!folder.mkpath(QStringLiteral("."))) {
        return false;
    }
    for (const Seed& seed : seeds) {
        if (!decant::test::writeFlacFixture(folder.filePath(QString::fromUtf8(seed.name)),
                                            seed.fixture)) {
            std::fprintf(stderr, "flac_fuzz_seeds: cannot write %s\n", seed.name);
            return false;
        }
    }
    return true;
}

QList<Seed> decodeSeeds() {
    FlacFixture unknownLength = fixture(12, 1, 22050, 400);
    unknownLength.zeroTotalSamples = true;
    FlacFixture noSignature = fixture(20, 6, 96000, 200);
    noSignature.zeroMD5 = true;
    FlacFixture damaged = fixture(16, 2, 44100, 600);
    damaged.damagedFrame = 1;
    return {{"cd.flac", fixture(16, 2, 44100, 600)},
            {"eight_bit.flac", fixture(8, 1, 8000, 400)},
            {"twenty_four_bit.flac", fixture(24, 3, 48000, 300)},
            {"thirty_two_bit.flac", fixture(32, 2, 384000, 200)},
            {"unknown_length.flac", unknownLength},
            {"no_signature.flac", noSignature},
            {"damaged_frame.flac", damaged}};
}

QList<Seed> commentSeeds() {
    return {{"tags.flac", tagged({"TITLE=Song", "ARTIST=Band", "TRACKNUMBER=3/12"})},
            {"odd_entries.flac", tagged({"=x", "NOEQUALS", "", "title=Caf\xc3\xa9=Mix",
                                         QByteArray("NOTE=a\0b", 8), "GENRE=\xff\xfe"})},
            {"no_comments.flac", [] {
                 FlacFixture settings = tagged({});
                 settings.comments = std::nullopt;
                 return settings;
             }()}};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: flac_fuzz_seeds CORPUS\n");
        return 2;
    }
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    const bool written =
        writeSeeds(corpus.filePath(QStringLiteral("flac_decode_fuzzer")), decodeSeeds()) &&
        writeSeeds(corpus.filePath(QStringLiteral("flac_comments_fuzzer")), commentSeeds());
    return written ? 0 : 1;
}
