#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace decant {

// Shows a folder in the user's file manager: through the desktop portal
// (org.freedesktop.portal.OpenURI), which every current desktop and sandbox
// provides, else through xdg-open. Main thread; the outcome comes back on
// it, later, since the portal answers over D-Bus.
class FolderOpener final : public QObject {
    Q_OBJECT

public:
    // Empty when the folder was handed to the desktop; else why not, and
    // what to install.
    using Done = std::function<void(const QString& problem)>;

    explicit FolderOpener(QObject* parent = nullptr);

    void open(const QString& folder, Done done);

private:
    void openWithPortal(const QString& folder, Done done);
    static QString openWithXdgOpen(const QString& folder);
};

} // namespace decant
