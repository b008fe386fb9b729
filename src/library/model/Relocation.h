#pragma once

#include <QString>

namespace decant::library {

// What moving one track's file to its organised name gave.
struct Relocation {
    qint64 trackId = 0;
    QString from;
    QString to;    // where it went, or was to go
    QString error; // why it did not; empty when it moved
};

} // namespace decant::library
