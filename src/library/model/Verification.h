#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace decant::library {

// What decoding a track's file back proved when it was imported.
struct Verification {
    enum class Proof {
        None,        // not verified: imported before imports were
        Lossless,    // its samples are the source's, bit for bit
        ExactLength, // lossy: as long as the source, to the sample
    };
    Proof proof = Proof::None;
    // Lossless: the MD5 of its decoded samples as the source WAV file stored
    // them, which is the source's (a FLAC file's STREAMINFO signature).
    // Lossy: the MD5 of its encoded audio packets, which tag rewrites leave
    // alone; either way what a later check decodes the file against.
    QString digest;
    QDateTime when;

    friend bool operator==(const Verification&, const Verification&) = default;
};

// "lossless, MD5 9e107d9d372bb6826bd81d3542a419d6", "length exact", or
// empty when unverified.
QString describeVerification(const Verification& verification);

// The names the database keeps the proofs under: "lossless", "length".
QString proofName(Verification::Proof proof);
Verification::Proof proofNamed(const QString& name);

} // namespace decant::library
