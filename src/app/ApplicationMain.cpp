#include "app/ApplicationMain.h"

#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "platform/SingleInstance.h"
#include "queue/FilesController.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

namespace decant {
namespace {

// File managers pass the files opened with Decant as arguments; the running
// instance may have another working folder, so they travel absolute.
QStringList absolutePaths(const QStringList& arguments) {
    QStringList paths;
    for (const QString& argument : arguments) {
        paths.append(QDir::current().absoluteFilePath(argument));
    }
    return paths;
}

} // namespace

int applicationMain(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Decant"));
    QApplication::setApplicationVersion(QStringLiteral(DECANT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("decant"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("decant")));

    const QStringList paths = absolutePaths(application.arguments().mid(1));
    SingleInstance instance;
    if (instance.forwardToRunningInstance(paths)) {
        return 0;
    }
    instance.listen();

    auto controller = std::make_shared<FilesController>();
    MainWindow window(controller);
    AppDelegate delegate;
    delegate.setFilesController(controller);
    delegate.setWindow(&window);
    QObject::connect(&window, &MainWindow::pathsChosen, &delegate,
                     &AppDelegate::applicationOpenFiles);
    QObject::connect(&instance, &SingleInstance::pathsReceived, &delegate,
                     &AppDelegate::handleLaterLaunch);

    window.show();
    delegate.applicationDidFinishLaunching();
    if (!paths.isEmpty()) {
        delegate.applicationOpenFiles(paths);
    }
    return application.exec();
}

} // namespace decant
