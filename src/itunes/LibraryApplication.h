#pragma once

#include "itunes/iTunesApplication.h"

#include <QHash>
#include <QString>
#include <QUrl>

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
    // The library in `folder` (relative to the working folder), or in its
    // default location when empty.
    explicit LibraryApplication(const QString& folder = {});
    ~LibraryApplication() override;

    // The tracks are named after the files they were converted from, also
    // those the library held already under the title the hand-off gave them:
    // that name is how the caller tells which file each track is for.
    QList<iTunesTrackPointer> convert(const QList<QUrl>& files) override;
    QList<iTunesTrackPointer> convertProven(const QList<QUrl>& files,
                                            const QStringList& audioDigests,
                                            const QList<QUrl>& leadIns = {},
                                            const QStringList& sampleChecks = {}) override;
    // Also says why a property or the artwork of a track could not be
    // stored. Then backs the library's database up when the import changed
    // it: a backup that fails does not fail the tracks, and the library
    // keeps its reason (decant-library info and check tell it).
    QStringList writeTracksNow(const QList<iTunesTrackPointer>& tracks) override;
    QString failureReasonForFile(const QUrl& file) const override;
    void setConversionObserver(ConversionObserver observer) override;
    void stopConverting() override;
    void withdrawStopRequest() override;
    // The folder given, made absolute, or the default location when none
    // was given.
    QString location() const override;

    // Why the library could not be opened; empty while nothing went wrong.
    QString openingError() const;
    // The open library, opening it when needed; null when it cannot be.
    std::shared_ptr<library::Library> library();

private:
    void failEveryFile(const QList<QUrl>& files, const QString& reason);

    const QString folder_;
    mutable std::mutex mutex_;
    std::shared_ptr<library::Library> library_;
    QString openingError_;
    QHash<QUrl, QString> reasons_; // of the last convert
    ConversionObserver observer_;
    bool stopBeforeOpening_ = false;
};

} // namespace decant
