#pragma once

#include <QIcon>

namespace decant {

// The icon the desktop's theme has under a freedesktop name
// ("media-playback-start"), else the one Decant ships as PNG files: a
// minimal desktop, or one whose theme lacks the name, still shows an icon
// beside the text, and no SVG plug-in is needed. Main thread.
QIcon actionIcon(const QString& themeName);

} // namespace decant
