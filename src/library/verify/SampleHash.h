#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace decant::library {

// The digest of a stream of sample bytes, in lower-case hex: MD5, which
// FLAC files carry and the library records, or XXH3's 128 bits, which the
// writer of a WAV file gives beside the MD5 it proved. Both tell a changed
// byte apart; XXH3 takes a tenth of MD5's time, so a proof compares with it
// wherever the writer gave one.
class SampleHash {
public:
    enum class Kind { Md5, Xxh3 };

    explicit SampleHash(Kind kind);
    ~SampleHash();
    SampleHash(const SampleHash&) = delete;
    SampleHash& operator=(const SampleHash&) = delete;

    void add(const uint8_t* bytes, std::size_t size);
    QString result() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace decant::library
