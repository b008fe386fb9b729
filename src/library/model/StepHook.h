#pragma once

#include <functional>
#include <string_view>

namespace decant::library {

// Told of each named step of an import or a tag save as it is reached, on
// the thread that reaches it. Tests end the process there, to show that the
// library can die at any of them; empty in production.
//
// The steps, in their order for one file: "encoding" (a file's encode
// begins), "verifying" (its pending file is written, about to be decoded
// back), "encoded" (it is verified and synced), "recorded"
// (the track and the move of its file are committed), "moved" (the file has
// its final name); for a tag save: "tagsCopied" (the tagged copy is synced),
// "tagsReplaced" (the copy has replaced the file), then, for files that
// move to where their new tags say, "relocationsRecorded" (their moves are
// committed) and "moved" for each; for a removal: "removalRecorded" (the
// track is gone and its file recorded for the trash).
using StepHook = std::function<void(std::string_view step)>;

inline void reachStep(const StepHook& hook, std::string_view step) {
    if (hook) {
        hook(step);
    }
}

} // namespace decant::library
