#include "decode/BackgroundWriter.h"

#include <utility>

namespace decant {

void BackgroundWriter::Chunk::reserve(std::size_t size) {
    if (size > capacity) {
        bytes = std::make_unique_for_overwrite<unsigned char[]>(size);
        capacity = size;
    }
}

BackgroundWriter::BackgroundWriter(std::FILE* stream)
    : filling(chunkSize)
    , writing(chunkSize)
    , stream(stream)
    , thread([this](std::stop_token stop) { writeChunks(stop); }) {}

BackgroundWriter::~BackgroundWriter() {
    finish();
}

unsigned char* BackgroundWriter::reserve(std::size_t size) {
    if (filled + size > filling.capacity && !handOver()) {
        return nullptr;
    }
    filling.reserve(size); // only ever grows an empty chunk
    return filling.bytes.get() + filled;
}

void BackgroundWriter::commit(std::size_t size) {
    filled += size;
}

bool BackgroundWriter::finish() {
    if (!thread.joinable()) {
        return !failed;
    }
    const bool handedOver = handOver();
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return !pending; });
    }
    thread.request_stop();
    thread.join();
    return handedOver && !failed;
}

// Waits for the writing thread to be done with the previous chunk, then
// gives it the one just filled.
bool BackgroundWriter::handOver() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [this] { return !pending; });
    if (failed) {
        return false;
    }
    if (filled > 0) {
        std::swap(filling, writing);
        toWrite = std::exchange(filled, 0);
        pending = true;
        changed.notify_all();
    }
    return true;
}

void BackgroundWriter::writeChunks(std::stop_token stop) {
    std::unique_lock lock(mutex);
    while (changed.wait(lock, stop, [this] { return pending; })) {
        lock.unlock();
        const bool written = std::fwrite(writing.bytes.get(), 1, toWrite, stream) == toWrite;
        lock.lock();
        failed = failed || !written;
        pending = false;
        changed.notify_all();
    }
}

} // namespace decant
