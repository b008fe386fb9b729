#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace decant {

// The per-user folder that holds decoded WAV files: private to this user
// (mode 0700), computed once per process and stable for its life. It is
// decant-<uid> in the first of temporaryDirectoryParents that can hold one.
//
// The shared temporary folder is writable by every local user and the WAV
// names are predictable, so a folder there is used only when it is really
// ours: a directory (not a link), owned by us, mode 0700. Otherwise a fresh
// mkdtemp folder is used instead.
QString temporaryDirectory();

// Where the private folder may go, best first, given TMPDIR's value (null
// when it is not set): TMPDIR, then /var/tmp, then /tmp. Decoded audio takes
// about 1.7 times the space of the FLAC files and /tmp is often a RAM-backed
// tmpfs, while /var/tmp is meant for large files and kept on disk. A TMPDIR
// whose name is not UTF-8 is passed over: WAV paths travel to the library as
// text.
QStringList temporaryDirectoryParents(const char* tmpdir);

// The rule above, for a given parent folder (testable without touching the
// process-wide choice). Returns a folder that does not exist and cannot be
// created when no private folder can be made, so writes there fail rather
// than land somewhere shared.
QString privateTemporaryDirectoryIn(const QString& parent);

// The file system that holds a folder: the bytes free to this user on it,
// and its size.
struct FileSystemSpace {
    uint64_t available = 0;
    uint64_t size = 0;
};

// Nothing when that cannot be told.
std::optional<FileSystemSpace> fileSystemSpaceIn(const QString& folder);

} // namespace decant
