// Every test process runs in a scratch home of its own: HOME, TMPDIR and the
// XDG folders point into a fresh folder that is removed at exit, so no test
// reads or writes the real home folder or music library.
#include "TestEnvironment.h"
#include "platform/Translations.h"

#include <QDir>
#include <gtest/gtest.h>

#ifdef DECANT_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <cstdlib>
#include <stdexcept>

namespace decant::test {
namespace {

QString& scratchRoot() {
    static QString root;
    return root;
}

void makeFolder(const QByteArray& path) {
    if (!QDir().mkpath(QString::fromUtf8(path))) {
        throw std::runtime_error("cannot create " + path.toStdString());
    }
    QFile::setPermissions(QString::fromUtf8(path),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void pointEnvironmentAtScratch() {
    const char* parent = std::getenv("TMPDIR");
    QByteArray pattern = QByteArray(parent && *parent ? parent : "/tmp") + "/decant-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch folder");
    }
    scratchRoot() = QString::fromUtf8(pattern);
    const std::pair<const char*, const char*> folders[] = {
        {"HOME", "/home"},
        {"TMPDIR", "/tmp"},
        {"XDG_CONFIG_HOME", "/home/.config"},
        {"XDG_DATA_HOME", "/home/.local/share"},
        {"XDG_CACHE_HOME", "/home/.cache"},
        {"XDG_STATE_HOME", "/home/.local/state"},
        {"XDG_RUNTIME_DIR", "/runtime"},
    };
    for (const auto& [variable, folder] : folders) {
        const QByteArray path = pattern + folder;
        makeFolder(path);
        setenv(variable, path.constData(), 1);
    }
    unsetenv("DECANT_LIBRARY");
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("LC_ALL", "C.UTF-8", 0);
}

} // namespace

QString scratchDirectory() {
    return scratchRoot();
}

} // namespace decant::test

int main(int argc, char** argv) {
    decant::test::pointEnvironmentAtScratch();
    int result = 0;
    {
        TestApplication application(argc, argv);
        // English, with its plural forms, as the programs speak it.
        decant::installTranslations(application);
        testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    QDir(decant::test::scratchDirectory()).removeRecursively();
    return result;
}
