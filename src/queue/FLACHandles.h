#pragma once

// Owners for the libFLAC metadata objects the queue reads files with.
#include <FLAC/metadata.h>

#include <memory>

namespace decant {

struct FLACIteratorDeleter {
    // Deleting also closes the file.
    void operator()(FLAC__Metadata_SimpleIterator* iterator) const {
        FLAC__metadata_simple_iterator_delete(iterator);
    }
};
using FLACIterator = std::unique_ptr<FLAC__Metadata_SimpleIterator, FLACIteratorDeleter>;

struct FLACBlockDeleter {
    void operator()(FLAC__StreamMetadata* block) const { FLAC__metadata_object_delete(block); }
};
using FLACBlock = std::unique_ptr<FLAC__StreamMetadata, FLACBlockDeleter>;

} // namespace decant
