#include "library/model/Verification.h"

namespace decant::library {

QString describeVerification(const Verification& verification) {
    switch (verification.proof) {
    case Verification::Proof::Lossless:
        return QStringLiteral("lossless, MD5 %1").arg(verification.digest);
    case Verification::Proof::ExactLength:
        return QStringLiteral("length exact");
    case Verification::Proof::None:
        break;
    }
    return {};
}

QString proofName(Verification::Proof proof) {
    switch (proof) {
    case Verification::Proof::Lossless:
        return QStringLiteral("lossless");
    case Verification::Proof::ExactLength:
        return QStringLiteral("length");
    case Verification::Proof::None:
        break;
    }
    return {};
}

Verification::Proof proofNamed(const QString& name) {
    if (name == QLatin1String("lossless")) {
        return Verification::Proof::Lossless;
    }
    if (name == QLatin1String("length")) {
        return Verification::Proof::ExactLength;
    }
    return Verification::Proof::None;
}

} // namespace decant::library
