// Without a session bus, as here, a folder opens through xdg-open, or the
// user learns what to install.
#include "platform/FolderOpener.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

class FolderOpenerTest : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        path_ = qgetenv("PATH");
        QDir(scratch.path()).mkpath("bin");
        if (GetParam()) {
            const QString script = scratch.filePath("bin/xdg-open");
            QFile file(script);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$0.opened\"\n");
            file.close();
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(scratch.filePath("bin")));
    }
    void TearDown() override { qputenv("PATH", path_); }

    QTemporaryDir scratch;
    QByteArray path_;
};

TEST_P(FolderOpenerTest, opensWithXdgOpenOrSaysWhatToInstall) {
    const QString folder = scratch.filePath("Decant Library");
    QDir().mkpath(folder);
    std::optional<QString> problem;
    FolderOpener opener;
    opener.open(folder, [&](const QString& outcome) { problem = outcome; });
    ASSERT_TRUE(test::processEventsUntil([&] { return problem.has_value(); }));

    if (GetParam()) {
        EXPECT_TRUE(problem->isEmpty()) << problem->toStdString();
        QFile opened(scratch.filePath("bin/xdg-open.opened"));
        ASSERT_TRUE(test::processEventsUntil([&] { return opened.exists() && opened.size() > 0; }));
        ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(opened.readAll()), folder);
    } else {
        EXPECT_TRUE(problem->contains(folder)) << problem->toStdString();
        EXPECT_TRUE(problem->contains("xdg-utils")) << problem->toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(XdgOpen, FolderOpenerTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "installed" : "missing";
                         });

} // namespace
} // namespace decant
