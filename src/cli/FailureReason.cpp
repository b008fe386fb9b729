#include "cli/FailureReason.h"

#include "decode/DecodeOutcome.h"

#include <QFile>

namespace decant {
namespace {

QString describe(DecodeOutcome outcome) {
    const std::string_view text = describeOutcome(outcome);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

std::optional<QString> failureReasonWithoutDecoding(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return describe(DecodeOutcome::SourceUnreadable);
    }
    const QByteArray start = file.read(4);
    // The decoder skips an ID3v2 tag in front of the stream, so such a file
    // may still hold one.
    if (start == "fLaC" || start.startsWith("ID3")) {
        return std::nullopt;
    }
    return describe(DecodeOutcome::NotFLAC);
}

} // namespace decant
