#pragma once

#include "library/model/ConversionError.h"

#include <QtGlobal>

namespace decant::library {

// How a file became a track.
enum class Conversion {
    Failed,
    Added,    // a new track
    Held,     // the library held its source and audio already
    Replaced, // a held track, encoded again with the current settings
};

// What became of one file given to the library to convert.
struct ConversionOutcome {
    Conversion how = Conversion::Failed;
    qint64 trackId = 0;        // the track it became; 0 when it failed
    ConversionFailure failure; // why it failed
};

} // namespace decant::library
