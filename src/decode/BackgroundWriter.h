#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace decant {

// Writes to a stream on a thread of its own, so that decoding never waits
// for the file system: the decoding thread fills one buffer while the other
// is being written. Two buffers of `chunkSize` bytes (more only when a single
// reservation needs it) are all the audio held in memory.
//
// reserve(), commit() and finish() belong to one thread, the owner's; the
// stream is used by the writing thread only until finish() returns.
class BackgroundWriter {
public:
    static constexpr std::size_t chunkSize = 256 * 1024;

    explicit BackgroundWriter(std::FILE* stream);
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;
    ~BackgroundWriter();

    // Room for `size` bytes after those committed so far, to be filled in
    // place; null once a write has failed.
    unsigned char* reserve(std::size_t size);
    void commit(std::size_t size);
    // Writes everything committed and stops the thread. False when any write
    // failed; the stream is the owner's again either way.
    bool finish();

private:
    // Left uninitialised: the pages of a short file's chunk are never touched.
    struct Chunk {
        explicit Chunk(std::size_t size) { reserve(size); }
        void reserve(std::size_t size);

        std::unique_ptr<unsigned char[]> bytes;
        std::size_t capacity = 0;
    };

    bool handOver();
    void writeChunks(std::stop_token stop);

    Chunk filling;
    std::size_t filled = 0;
    Chunk writing;
    std::size_t toWrite = 0;

    std::FILE* const stream;
    std::mutex mutex;
    std::condition_variable_any changed;
    bool pending = false; // `writing` holds a chunk not yet written
    bool failed = false;
    std::jthread thread; // last: starts once the rest is ready, stops first
};

} // namespace decant
