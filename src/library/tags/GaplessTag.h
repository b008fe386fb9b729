#pragma once

#include "library/encode/GaplessData.h"

#include <QString>

namespace decant::library {

// The iTunSMPB text music applications read to play AAC without gaps: a
// zero field, the priming and the padding in eight hexadecimal digits, the
// source's length in sixteen, then eight zero fields, each after a space.
QString iTunSMPB(const SampleSpan& span);

// Writes iTunSMPB into the MP4 file at `path` as the freeform
// "----:com.apple.iTunes:iTunSMPB" item; false, with the reason, on failure.
bool writeGaplessTag(const QString& path, const SampleSpan& span, QString* error);

} // namespace decant::library
