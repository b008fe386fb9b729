#pragma once

#include <QByteArray>

namespace decant::test {

// Whole images to give as cover art, 8 x 8 pixels of one colour each.
QByteArray jpegImage();
QByteArray pngImage();

// The PNG image announcing itself as `width` x `height` pixels, with a valid
// header checksum: a few bytes that would decode to gigabytes.
QByteArray pngImageAnnouncing(quint32 width, quint32 height);

} // namespace decant::test
