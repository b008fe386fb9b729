#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace decant {

// A file's path is bytes, in no particular encoding: names on Linux are
// usually UTF-8, but old rips and Samba shares hold Latin-1 names that no
// text type keeps. Paths therefore stay QByteArray from intake to every file
// operation, and only what is shown becomes text.

// The path as text to show; bytes that are not UTF-8 become replacement
// characters.
QString displayPath(const QByteArray& path);

// The last component of the path (the file's name), as text to show.
QString displayFileName(const QByteArray& path);

// A path given as text, such as a file dialog's, as bytes.
QByteArray pathFromText(const QString& path);

// `path` made absolute against the current folder; nothing else is resolved.
QByteArray absolutePath(const QByteArray& path);

// The bytes a local file URL names: percent-decoded, not read as UTF-8, so
// "file:///music/caf%E9.flac" gives "/music/caf\xe9.flac". Nothing for a URL
// that is not a file on this machine.
std::optional<QByteArray> pathOfFileURL(const QUrl& url);

} // namespace decant
