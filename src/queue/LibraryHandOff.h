#pragma once

#include "queue/QueueEntry.h"

#include <QList>
#include <QPair>
#include <QUrl>

#include <functional>

namespace decant {

// The files of one hand-off, each with the URL of its WAV file, in queue
// order.
using HandOffBatch = QList<QPair<QUrl, QueueEntryPointer>>;

// The end of the pipeline as the queue sees it. The queue decodes and knows
// when a batch is ready; what the music library does with the batch, and how
// an entry's tags reach its track (the comment map, applyCommentsToTrack),
// belongs to the hand-off, which is built on the queue and so is reached
// through this interface rather than by name. FilesController::encodeAll
// gathers the batch on the hand-off thread and calls convertAndTag; the
// hand-off over the library's scripting interface (iTunesHandOff, in
// src/itunes) implements it, and the front ends give it to the controller
// they make. So the queue builds and links without the library behind it.
class LibraryHandOff {
public:
    virtual ~LibraryHandOff() = default;

    // Hand-off thread. Sends the batch's WAV files to the library in one
    // request, even an empty one, and finishes each entry whose track comes
    // back: tags, artwork and what the library proved go to the track, and
    // once its file is written the WAV file is removed and the entry is
    // Done. The others stay Encoding with the library's reason.
    virtual void convertAndTag(const HandOffBatch& batch) = 0;

    // Told about each file of a batch as the library finishes with it,
    // converted or not, in any order; runs on a thread of the library's.
    // Null stops the calls.
    using ConversionObserver = std::function<void(const QUrl& file, bool converted)>;
    virtual void setConversionObserver(ConversionObserver observer) = 0;

    // Asks a batch under way to end soon (its files stay Encoding with their
    // reason). Any thread; returns at once.
    virtual void stopConverting() = 0;
    // Forgets a stop that came after its batch had left the library, so that
    // it cannot stop the next run's batch. Called before each batch.
    virtual void withdrawStopRequest() = 0;
};

} // namespace decant
