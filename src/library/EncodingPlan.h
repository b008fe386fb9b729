#pragma once

#include "library/ConversionError.h"
#include "library/EncodedFile.h"
#include "library/FormatChoice.h"
#include "library/ImportSettings.h"

#include <QString>

#include <optional>

namespace decant::library {

// How one file is to be encoded with the import settings.
struct EncodingPlan {
    QString encoder; // the settings' name for it, for reasons
    EncoderSetup setup;
};

// The encoder, and the form the source's audio reaches it in: its own
// speakers, or a mix-down for a stereo lossy encoder. Nothing, with the
// reason, when the settings' encoder cannot keep the audio so.
std::optional<EncodingPlan> planEncoding(const ImportSettings& settings, const AudioFormat& source,
                                         ConversionFailure* failure);

} // namespace decant::library
