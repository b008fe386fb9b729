#pragma once

#include "itunes/iTunesApplication.h"

#include <QString>

namespace decant {

// The bundle identifier under which the music library answers; on this
// platform it is Decant's own embedded library.
inline constexpr auto iTunesBundleIdentifier = "com.apple.iTunes";

// A scripting handle on the application with this bundle identifier, or
// null for an application that is not known here.
iTunesApplicationPointer applicationWithBundleIdentifier(const QString& bundleIdentifier);

} // namespace decant
