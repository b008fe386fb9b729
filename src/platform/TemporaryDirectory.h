#pragma once

#include <QString>

namespace decant {

// The per-user folder that holds decoded WAV files: private to this user
// (mode 0700), computed once per process and stable for its life.
//
// The shared temporary folder is writable by every local user and the WAV
// names are predictable, so a folder there is used only when it is really
// ours: a directory (not a link), owned by us, mode 0700. Otherwise a fresh
// mkdtemp folder is used instead.
QString temporaryDirectory();

// The rule above, for a given parent folder (testable without touching the
// process-wide choice). Returns a folder that does not exist and cannot be
// created when no private folder can be made, so writes there fail rather
// than land somewhere shared.
QString privateTemporaryDirectoryIn(const QString& parent);

} // namespace decant
