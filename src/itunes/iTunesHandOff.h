#pragma once

#include "itunes/iTunesApplication.h"
#include "queue/Comments.h"
#include "queue/LibraryHandOff.h"

#include <QVariantMap>

#include <optional>

namespace decant {

// The hand-off over the music library's scripting interface: one convert
// per batch, each returned track matched with its entry by name (the hash of
// the source path that the WAV file is named after) and given the entry's
// tags through the comment map (a file without a title gives the track its
// own name, without the extension), its cover art and what the library
// proved. An entry is Done once the library says its track's file is
// complete on disk.
// It holds the library's handle, without a reply timeout, and the comment
// map, both for the life of the process. The queue calls it as its
// LibraryHandOff; the front ends make it with the scripting bridge's handle,
// tests with a scripted one.
class iTunesHandOff final : public LibraryHandOff {
public:
    // Loads the shipped comment map.
    explicit iTunesHandOff(iTunesApplicationPointer iTunes);

    void convertAndTag(const HandOffBatch& batch) override;
    void setConversionObserver(ConversionObserver observer) override;
    void stopConverting() override;
    void withdrawStopRequest() override;

    // Sets the track properties that the comment map names for `comments`;
    // whether one of them named the track (a title that is not empty).
    bool applyCommentsToTrack(const CommentsDictionary& comments, iTunesTrack& track) const;

    const iTunesApplicationPointer& iTunes() const { return iTunes_; }
    const std::optional<QVariantMap>& commentMap() const { return commentMap_; }
    // Replaces the shipped comment map before any batch (tests try rows it
    // does not have).
    void setCommentMap(std::optional<QVariantMap> commentMap) {
        commentMap_ = std::move(commentMap);
    }

private:
    // Hand-off thread: gives each file the library did not take its reason.
    void explainFilesNotTaken(const HandOffBatch& handedOver) const;

    iTunesApplicationPointer iTunes_;
    std::optional<QVariantMap> commentMap_;
};

} // namespace decant
