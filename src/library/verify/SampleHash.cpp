#include "library/verify/SampleHash.h"

#include <QCryptographicHash>

#include <new>
#include <xxhash.h>

namespace decant::library {

struct SampleHash::State {
    explicit State(Kind kind)
        : kind(kind) {
        if (kind == Kind::Xxh3) {
            XXH3_128bits_reset(xxh3.get());
        }
    }

    Kind kind;
    QCryptographicHash md5{QCryptographicHash::Md5};
    std::unique_ptr<XXH3_state_t, decltype(&XXH3_freeState)> xxh3{
        kind == Kind::Xxh3 ? XXH3_createState() : nullptr, &XXH3_freeState};
};

SampleHash::SampleHash(Kind kind)
    : state_(std::make_unique<State>(kind)) {
    if (kind == Kind::Xxh3 && !state_->xxh3) {
        throw std::bad_alloc();
    }
}

SampleHash::~SampleHash() = default;

void SampleHash::add(const uint8_t* bytes, std::size_t size) {
    if (state_->kind == Kind::Md5) {
        state_->md5.addData(QByteArrayView(bytes, qsizetype(size)));
    } else {
        XXH3_128bits_update(state_->xxh3.get(), bytes, size);
    }
}

QString SampleHash::result() const {
    if (state_->kind == Kind::Md5) {
        return QString::fromLatin1(state_->md5.result().toHex());
    }
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits_digest(state_->xxh3.get()));
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(canonical.digest), sizeof canonical.digest)
            .toHex());
}

} // namespace decant::library
