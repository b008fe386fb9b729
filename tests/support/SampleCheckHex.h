#pragma once

#include <QByteArray>

#include <string>
#include <xxhash.h>

namespace decant::test {

// The XXH3-128 digest of `bytes` as decodes and the library write it:
// lower-case hex of the canonical (big-endian) form.
inline std::string sampleCheckHex(const QByteArray& bytes) {
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical,
                             XXH3_128bits(bytes.constData(), std::size_t(bytes.size())));
    return QByteArray(reinterpret_cast<const char*>(canonical.digest), sizeof canonical.digest)
        .toHex()
        .toStdString();
}

} // namespace decant::test
