#include "decode/SampleCheck.h"

#include "decode/FLACStreamSteps.h"

#include <new>
#include <xxhash.h>

namespace decant {

struct SampleCheck::State {
    std::unique_ptr<XXH3_state_t, decltype(&XXH3_freeState)> xxh3{XXH3_createState(),
                                                                  &XXH3_freeState};
};

SampleCheck::SampleCheck()
    : state_(std::make_unique<State>()) {
    if (!state_->xxh3) {
        throw std::bad_alloc();
    }
    restart();
}

SampleCheck::~SampleCheck() = default;
SampleCheck::SampleCheck(SampleCheck&&) noexcept = default;
SampleCheck& SampleCheck::operator=(SampleCheck&&) noexcept = default;

void SampleCheck::restart() {
    XXH3_128bits_reset(state_->xxh3.get());
}

void SampleCheck::add(const unsigned char* bytes, std::size_t size) {
    XXH3_128bits_update(state_->xxh3.get(), bytes, size);
}

std::string SampleCheck::result() const {
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits_digest(state_->xxh3.get()));
    return hexDigest(canonical.digest, sizeof canonical.digest);
}

} // namespace decant
