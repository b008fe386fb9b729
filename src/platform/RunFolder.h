#pragma once

#include "platform/FileLock.h"

#include <QString>

#include <cstdint>

namespace decant {

// Decoded audio waits in a folder of its process's own, run-XXXXXX inside
// the private temporary folder, locked (FileLock) for as long as the process
// lives. Several Decant processes (the window, decant-cli runs) then never
// write one file, and whichever starts next can tell the folders of live
// processes from those a crash or a kill left behind
// (removeAbandonedDecodedAudio), without asking anyone.
class RunFolder {
public:
    // A fresh folder in `parent`, locked; an unusable path when none can be
    // made, so that writes there fail rather than land somewhere shared.
    static RunFolder createIn(const QString& parent);

    RunFolder() = default;
    RunFolder(RunFolder&&) = default;
    RunFolder& operator=(RunFolder&&) = default;
    // Removes the folder if it is empty: what is left in it (failed decodes
    // kept for inspection) goes at the next start of any Decant process.
    ~RunFolder();

    const QString& path() const { return path_; }
    bool isHeld() const { return lock_.isHeld(); }

private:
    QString path_;
    FileLock lock_;
};

// This process's run folder, made in temporaryDirectory() at the first call
// and held until the process ends. Any thread.
QString runDirectory();

// What a clean-up removed: the bytes of the files, and how many there were.
struct FreedSpace {
    uint64_t bytes = 0;
    int files = 0;
};

// Removes from `folder` the run folders that no live process holds, with
// everything in them, the WAV files older versions left directly in it
// (named by a 32-digit path hash), and the claims no one holds. Folders a
// live process holds, its own too, are left alone.
FreedSpace removeAbandonedDecodedAudioIn(const QString& folder);
// The same in temporaryDirectory().
FreedSpace removeAbandonedDecodedAudio();

// Claims the source that `name` (its path hash) stands for, for as long as
// the lock is held, so that no other Decant process imports it meanwhile:
// Busy when another holds it. Claims live in the claims folder of `folder`.
FileLock claimSourceIn(const QString& folder, const QString& name);
// The same in temporaryDirectory().
FileLock claimSource(const QString& name);

} // namespace decant
