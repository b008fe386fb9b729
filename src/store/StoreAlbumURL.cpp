#include "store/StoreAlbumURL.h"

#include <QCoreApplication>

#include <algorithm>

namespace decant {
namespace {

bool isStoreHost(const QString& host) {
    return host == storeWebHost || host == storeMusicHost;
}

bool isAsciiDigits(QStringView text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar character) {
        return character >= u'0' && character <= u'9';
    });
}

bool isTwoAsciiLetters(QStringView text) {
    return text.size() == 2 && std::all_of(text.begin(), text.end(), [](QChar character) {
               return (character >= u'a' && character <= u'z') ||
                      (character >= u'A' && character <= u'Z');
           });
}

} // namespace

QString describeStoreURLCheck(StoreURLCheck check) {
    switch (check) {
    case StoreURLCheck::Admitted:
        return QCoreApplication::translate("decant::StoreAlbumURL",
                                           "The address is an iTunes Store page.");
    case StoreURLCheck::NotAURL:
        return QCoreApplication::translate("decant::StoreAlbumURL",
                                           "The text is not a valid web address.");
    case StoreURLCheck::NotSecure:
        return QCoreApplication::translate("decant::StoreAlbumURL",
                                           "The address must begin with https://.");
    case StoreURLCheck::NotStoreHost:
        return QCoreApplication::translate("decant::StoreAlbumURL",
                                           "The address must be on %1 or %2.")
            .arg(storeWebHost, storeMusicHost);
    case StoreURLCheck::HasUserInfo:
        return QCoreApplication::translate("decant::StoreAlbumURL",
                                           "The address must not carry a user name or password.");
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
    if (!isStoreHost(url.host())) {
        return {{}, StoreURLCheck::NotStoreHost};
    }
    // The HTTP client would send them to the store as credentials.
    if (!url.userName().isEmpty() || !url.password().isEmpty()) {
        return {{}, StoreURLCheck::HasUserInfo};
    }
    return {url, StoreURLCheck::Admitted};
}

StoreAlbumIdentity albumIdentityOf(const QUrl& url) {
    // A trailing slash leaves an empty last segment: the album is the one
    // before it.
    const QStringList segments = url.path().split(u'/', Qt::SkipEmptyParts);
    StoreAlbumIdentity identity{{}, defaultStorefront};
    if (segments.isEmpty()) {
        return identity;
    }
    if (isTwoAsciiLetters(segments.first())) {
        identity.storefront = segments.first().toLower();
    }
    QStringView last = segments.last();
    if (last.startsWith(u"id")) {
        last = last.mid(2);
    }
    if (isAsciiDigits(last)) {
        identity.albumId = last.toString();
    }
    return identity;
}

} // namespace decant
