// A stand-in for a launch of the application, for the single-instance test:
//   probe listen SOCKET          becomes the instance; prints what it receives
//   probe forward SOCKET PATH... hands the paths over; exit 0 when taken
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        return 2;
    }
    decant::SingleInstance instance(arguments.at(2));
    QTextStream out(stdout);
    if (arguments.at(1) == QLatin1String("forward")) {
        return instance.forwardToRunningInstance(arguments.mid(3)) ? 0 : 1;
    }
    if (!instance.listen()) {
        return 1;
    }
    QObject::connect(&instance, &decant::SingleInstance::pathsReceived,
                     [&](const QStringList& paths) {
                         out << "received:" << paths.join(QLatin1Char('|')) << Qt::endl;
                         QCoreApplication::quit();
                     });
    out << "listening" << Qt::endl;
    return application.exec();
}
