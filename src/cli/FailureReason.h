#pragma once

#include <QString>

#include <optional>

namespace decant {

// Why a FLAC file could not be decoded, as far as its first bytes tell: it
// cannot be read, or it is no FLAC stream. Nothing when the cause lies
// deeper in the stream, which only decoding it again would find.
std::optional<QString> failureReasonWithoutDecoding(const QString& path);

} // namespace decant
