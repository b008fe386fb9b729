#pragma once

#include <QLatin1String>
#include <QString>
#include <QUrl>

namespace decant {

// The iTunes Store's web host: the only host whose album pages the store
// command reads.
inline constexpr QLatin1String storeWebHost{"itunes.apple.com"};

// Why a text was or was not taken as an album page's address.
enum class StoreURLCheck {
    Admitted,
    NotAURL,      // does not parse as an absolute URL
    NotSecure,    // its scheme is not "https"
    NotStoreHost, // its host is not the store's web host
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
// secure URL of the store's web host, without a user name or password, is
// admitted; port, path and query are not looked at. Scheme and host are compared as the URL parser
// gives them, which lower-cases both.
StoreAlbumURL admitStoreAlbumURL(const QString& text);

} // namespace decant
