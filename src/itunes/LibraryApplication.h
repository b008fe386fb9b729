#pragma once

#include "itunes/iTunesApplication.h"

#include <QString>

#include <memory>
#include <mutex>

namespace decant {

namespace library {
class Library;
}

// The embedded music library behind the scripting interface. The library is
// opened at its first conversion, so a session that never converts creates
// nothing on disk. Thread-safe.
class LibraryApplication final : public iTunesApplication {
public:
    // The library in `folder`, or in its default location when empty.
    explicit LibraryApplication(QString folder = {});
    ~LibraryApplication() override;

    QList<iTunesTrackPointer> convert(const QList<QUrl>& files) override;

    // Why the library could not be opened; empty while nothing went wrong.
    QString openingError() const;
    // The open library, opening it when needed; null when it cannot be.
    std::shared_ptr<library::Library> library();

private:
    const QString folder_;
    mutable std::mutex mutex_;
    std::shared_ptr<library::Library> library_;
    QString openingError_;
};

} // namespace decant
