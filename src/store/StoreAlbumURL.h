#pragma once

#include <QLatin1String>
#include <QString>
#include <QUrl>

namespace decant {

// The iTunes Store's web host, which also answers the store's lookup
// service, and the host of the album links people share today (old store
// links redirect there). The store command reads album pages on these two
// hosts only.
inline constexpr QLatin1String storeWebHost{"itunes.apple.com"};
inline constexpr QLatin1String storeMusicHost{"music.apple.com"};

// The storefront of a link that names none.
inline constexpr QLatin1String defaultStorefront{"us"};

// Why a text was or was not taken as an album page's address.
enum class StoreURLCheck {
    Admitted,
    NotAURL,      // does not parse as an absolute URL
    NotSecure,    // its scheme is not "https"
    NotStoreHost, // its host is not one of the store's
    HasUserInfo,  // it carries a user name or password
};

// A short sentence for the user, e.g. for the command line.
QString describeStoreURLCheck(StoreURLCheck check);

struct StoreAlbumURL {
    QUrl url; // set only when admitted
    StoreURLCheck check = StoreURLCheck::NotAURL;

    bool admitted() const { return check == StoreURLCheck::Admitted; }
};

// Parses the text, untrimmed, as the address of a store album page. Only a
// secure URL of one of the store's hosts, without a user name or password,
// is admitted; port, path and query are not looked at. Scheme and host are
// compared as the URL parser gives them, which lower-cases both.
StoreAlbumURL admitStoreAlbumURL(const QString& text);

// Which album a link names, for the store's lookup service.
struct StoreAlbumIdentity {
    // The digits of the path's last segment, written with or without "id"
    // ("/us/album/blue/1440833098", "/us/album/blue/id1440833098"); empty
    // when that segment is anything else.
    QString albumId;
    // The path's first segment when it is two letters ("us", "gb"), in
    // lower case; the default storefront otherwise.
    QString storefront;
};

StoreAlbumIdentity albumIdentityOf(const QUrl& url);

} // namespace decant
