#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace decant {

// The XXH3-128 digest of the sample bytes a decode writes, beside the MD5
// it proves of them: the library holds its decoded-back files to this one,
// which takes a tenth of MD5's time. Each decode owns its own.
class SampleCheck {
public:
    SampleCheck();
    ~SampleCheck();
    SampleCheck(SampleCheck&&) noexcept;
    SampleCheck& operator=(SampleCheck&&) noexcept;

    void restart();
    void add(const unsigned char* bytes, std::size_t size);
    // Lower-case hex of the canonical (big-endian) digest.
    std::string result() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace decant
