#include "app/ApplicationMain.h"

#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "app/QueueStatusBar.h"
#include "app/QuitCoordinator.h"
#include "itunes/ScriptingBridge.h"
#include "itunes/iTunesHandOff.h"
#include "platform/RunFolder.h"
#include "platform/SignalWatcher.h"
#include "platform/SingleInstance.h"
#include "platform/Translations.h"
#include "queue/DecodeBatch.h"
#include "queue/FilesController.h"
#include "store/MetadataFetchCommand.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <unistd.h>

namespace decant {
namespace {

// File managers pass the files opened with Decant as arguments, as bytes;
// the running instance may have another working folder, so they travel
// absolute.
QList<QByteArray> absolutePaths(int argc, char** argv) {
    const std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
    QList<QByteArray> paths;
    for (int index = 1; index < argc; ++index) {
        const QByteArray argument(argv[index]);
        paths.append(argument.startsWith('/') || !folder
                         ? argument
                         : QByteArray(folder.get()) + '/' + argument);
    }
    return paths;
}

// Why a launch ends without a window, on the terminal; empty when it runs.
std::optional<QString> launchProblem(SingleInstance& instance, const QList<QByteArray>& paths) {
    switch (instance.claim(paths)) {
    case SingleInstance::Launch::First:
        return std::nullopt;
    case SingleInstance::Launch::HandedOver:
        return QString();
    case SingleInstance::Launch::NotResponding:
        return QCoreApplication::translate("decant::SingleInstance",
                                           SingleInstance::notRespondingMessage);
    case SingleInstance::Launch::Unavailable:
        return QCoreApplication::translate("decant::ApplicationMain",
                                           "Decant cannot tell whether it is already running: %1")
            .arg(instance.errorString());
    }
    return QString();
}

// Decoded audio no live Decant process holds: what a crash, a kill or a
// logout that did not wait left, and the files of failed decodes, kept until
// now. Said in the status bar, since it is disk space given back.
void removeDecodedAudioLeftBehind(MainWindow& window) {
    if (const FreedSpace freed = removeAbandonedDecodedAudio(); freed.bytes > 0) {
        window.queueStatusBar()->showNotice(
            MainWindow::tr("Freed %1 of decoded audio left by an earlier run.")
                .arg(formatByteCount(freed.bytes)));
    }
}

// A launch from a file manager has no terminal to read: the reason is shown
// in a dialog too, wherever a window can be seen (not on the offscreen
// platform that tests and scripts run on).
void reportLaunchProblem(const QString& problem) {
    QTextStream(stderr) << problem << Qt::endl;
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return;
    }
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), problem,
                    QMessageBox::Close);
    box.setAccessibleName(QCoreApplication::translate("decant::ApplicationMain",
                                                      "Decant could not start"));
    box.exec();
}

QIcon shippedIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/decant/%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace

int applicationMain(int argc, char** argv) {
    // Takes its own options (-platform, -style) out of argc and argv.
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Decant"));
    installTranslations(application);
    QApplication::setApplicationVersion(QStringLiteral(DECANT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("decant"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("decant"), shippedIcon()));
    // Quitting goes through the coordinator, which ends the loop itself.
    QApplication::setQuitOnLastWindowClosed(false);

    const QList<QByteArray> paths = absolutePaths(argc, argv);
    SingleInstance instance;
    if (const std::optional<QString> problem = launchProblem(instance, paths)) {
        if (problem->isEmpty()) {
            return 0;
        }
        reportLaunchProblem(*problem);
        return 1;
    }
    if (!instance.listen()) {
        QTextStream(stderr) << QCoreApplication::translate(
                                   "decant::ApplicationMain",
                                   "Decant cannot take files from later launches: %1")
                                   .arg(instance.errorString())
                            << Qt::endl;
    }

    // The queue hands its files to the library that answers to the bridge's
    // identifier, through the hand-off with the shipped comment map.
    const iTunesApplicationPointer library =
        applicationWithBundleIdentifier(QLatin1String(iTunesBundleIdentifier));
    auto controller = std::make_shared<FilesController>(std::make_shared<iTunesHandOff>(library));
    MainWindow window(controller, std::make_shared<MetadataFetchCommand>(*controller), library);
    AppDelegate delegate;
    delegate.setFilesController(controller);
    delegate.setWindow(&window);
    QObject::connect(&window, &MainWindow::pathsChosen, &delegate,
                     &AppDelegate::applicationOpenFiles);
    QObject::connect(&instance, &SingleInstance::pathsReceived, &delegate,
                     &AppDelegate::handleLaterLaunch);

    QuitCoordinator quit(controller, &window);
    const SignalWatcher terminationSignals([&quit](int) { quit.requestQuit(); });
    QObject::connect(&quit, &QuitCoordinator::stopping, &instance, &SingleInstance::setQuitting);
    QObject::connect(&quit, &QuitCoordinator::readyToQuit, &application,
                     [] { QCoreApplication::exit(0); });

    removeDecodedAudioLeftBehind(window);
    window.show();
    delegate.applicationDidFinishLaunching();
    if (!paths.isEmpty()) {
        delegate.applicationOpenFiles(paths);
    }
    const int status = application.exec();
    if (quit.gaveUpWaiting()) {
        // The library did not stop in time, and joining its thread would
        // keep the process for as long as it takes.
        std::fflush(nullptr);
        _exit(status);
    }
    return status;
}

} // namespace decant
