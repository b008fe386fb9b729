#pragma once

#include <QString>

namespace decant::library {

// What removing a track gave.
struct Removal {
    bool removed = false; // the track is gone
    QString file;         // its file, relative to the library folder
    // Why the track is still there, or, when it is gone, why its file could
    // not go to the trash; empty when all went well.
    QString error;
};

} // namespace decant::library
