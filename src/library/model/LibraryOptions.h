#pragma once

#include "library/model/StepHook.h"

#include <chrono>

namespace decant::library {

// How a library is opened.
struct LibraryOptions {
    // Only read: nothing is created, migrated, converted or tagged.
    bool readOnly = false;
    // Write tags into the media files. A process that only changes settings
    // leaves that to the process that sets properties, so that two writers
    // never rewrite one file at once.
    bool writeTags = true;
    // How long a track must be free of property sets before its file's tags
    // are rewritten.
    std::chrono::milliseconds tagQuietPeriod{200};
    // Files encoded at once; 0 for as many as the machine has processors.
    int parallelConversions = 0;
    // How long to wait for a lock another program holds on the database
    // before saying that it is locked.
    std::chrono::milliseconds busyTimeout{5000};
    // See StepHook; empty in production.
    StepHook stepHook;
};

} // namespace decant::library
