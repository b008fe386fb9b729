// A stand-in for a launch of the application, for the single-instance test.
// Paths are given and printed in hexadecimal, so any bytes can travel.
//   probe listen FOLDER [busy|quitting]
//       becomes the instance and prints "listening", then one "received:"
//       line per hand-over (hex paths joined by ","). "busy" keeps the main
//       thread from its event loop for 3 s first; "quitting" tells later
//       launches it is quitting and ends after 1 s.
//   probe forward FOLDER HEXPATH...
//       hands the paths over: exit 0 when taken, 1 when the instance does
//       not respond, 3 when this launch became the instance.
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

#include <chrono>
#include <thread>

using decant::SingleInstance;

namespace {

int forward(SingleInstance& instance, const QStringList& hexPaths) {
    QList<QByteArray> paths;
    for (const QString& hex : hexPaths) {
        paths.append(QByteArray::fromHex(hex.toLatin1()));
    }
    switch (instance.claim(paths, {std::chrono::milliseconds(1500), std::chrono::seconds(8)})) {
    case SingleInstance::Launch::HandedOver:
        return 0;
    case SingleInstance::Launch::First:
        return 3;
    case SingleInstance::Launch::NotResponding:
    case SingleInstance::Launch::Unavailable:
        break;
    }
    QTextStream(stderr) << SingleInstance::notRespondingMessage << Qt::endl;
    return 1;
}

int listen(QCoreApplication& application, SingleInstance& instance, const QString& mode) {
    if (instance.claim({}) != SingleInstance::Launch::First || !instance.listen()) {
        return 1;
    }
    QTextStream out(stdout);
    QObject::connect(&instance, &SingleInstance::pathsReceived,
                     [&](const QList<QByteArray>& paths) {
                         QStringList hex;
                         for (const QByteArray& path : paths) {
                             hex.append(QString::fromLatin1(path.toHex()));
                         }
                         out << "received:" << hex.join(QLatin1Char(',')) << Qt::endl;
                     });
    if (mode == QLatin1String("quitting")) {
        instance.setQuitting();
        QTimer::singleShot(1000, &application, &QCoreApplication::quit);
    }
    out << "listening" << Qt::endl;
    if (mode == QLatin1String("busy")) {
        std::this_thread::sleep_for(std::chrono::seconds(3));
    }
    return application.exec();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        return 2;
    }
    SingleInstance instance(arguments.at(2));
    if (arguments.at(1) == QLatin1String("forward")) {
        return forward(instance, arguments.mid(3));
    }
    return listen(application, instance, arguments.value(3));
}
