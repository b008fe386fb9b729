#include "store/StoreAlbumURL.h"

namespace decant {

QString describeStoreURLCheck(StoreURLCheck check) {
    switch (check) {
    case StoreURLCheck::Admitted:
        return QStringLiteral("The address is an iTunes Store page.");
    case StoreURLCheck::NotAURL:
        return QStringLiteral("The text is not a valid web address.");
    case StoreURLCheck::NotSecure:
        return QStringLiteral("The address must begin with https://.");
    case StoreURLCheck::NotStoreHost:
        return QStringLiteral("The address must be on %1.").arg(storeWebHost);
    case StoreURLCheck::HasUserInfo:
        return QStringLiteral("The address must not carry a user name or password.");
    }
    return {};
}

StoreAlbumURL admitStoreAlbumURL(const QString& text) {
    // Strict mode refuses what a tolerant parser would quietly repair (spaces,
    // stray characters), so the address read is the one the user typed.
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative()) {
        return {{}, StoreURLCheck::NotAURL};
    }
    if (url.scheme() != u"https") {
        return {{}, StoreURLCheck::NotSecure};
    }
    if (url.host() != storeWebHost) {
        return {{}, StoreURLCheck::NotStoreHost};
    }
    // The HTTP client would send them to the store as credentials.
    if (!url.userName().isEmpty() || !url.password().isEmpty()) {
        return {{}, StoreURLCheck::HasUserInfo};
    }
    return {url, StoreURLCheck::Admitted};
}

} // namespace decant
