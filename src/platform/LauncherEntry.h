#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

namespace decant {

// Publishes a count and a progress on the application's icon in docks and
// task managers (KDE Plasma, GNOME docks, Plank) with the launcher-entry
// D-Bus signal. Does nothing without a session bus.
class LauncherEntry {
public:
    // `desktopFile` names the application's .desktop file, e.g. "decant.desktop".
    explicit LauncherEntry(QString desktopFile);

    // A count to show, or nothing to hide it. Any thread.
    void setCount(std::optional<qint64> count) const;
    // A progress from 0 to 1 to show, or nothing to hide it. Any thread.
    void setProgress(std::optional<double> progress) const;

private:
    // Docks keep the properties an update does not name.
    void update(const QVariantMap& properties) const;

    QString applicationURI_;
};

} // namespace decant
