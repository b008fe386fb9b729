#include "app/PreferencesDialog.h"

#include "itunes/LibrarySettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <memory>

namespace decant {
namespace {

using namespace std::chrono_literals;

// What the library looks like when the window opens.
enum class LibraryState { Missing, Stored, Locked, RunUnderWay };

struct PreferencesCase {
    const char* name;
    LibraryState state;
    bool editable;
    const char* note; // its start
    const char* bitRate;
    // Saving fails, saying why; the dialog stays open.
    const char* saveFailure = nullptr;
};

class PreferencesDialogTest : public testing::TestWithParam<PreferencesCase> {
protected:
    QTemporaryDir folder;
    QString location = folder.filePath("Decant Library");
    LibrarySettings settings{location, 200ms};
};

// Holds the database's write lock as another program would, until destroyed.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const QString& database) {
        sqlite3_open(database.toUtf8().constData(), &connection_);
        sqlite3_exec(connection_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~ExclusiveLock() { sqlite3_close(connection_); }

private:
    sqlite3* connection_ = nullptr;
};

TEST_P(PreferencesDialogTest, showsTheLibrarysSettingsAndSavesThemWhenItCan) {
    const PreferencesCase& c = GetParam();
    if (c.state != LibraryState::Missing) {
        ASSERT_EQ(settings.save({"aac", 200, false}), "");
    }
    std::unique_ptr<ExclusiveLock> lock;
    if (c.state == LibraryState::Locked) {
        lock = std::make_unique<ExclusiveLock>(location + "/Library.sqlite");
    }
    PreferencesDialog dialog(settings, c.state == LibraryState::RunUnderWay);
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    auto* format = dialog.findChild<QComboBox*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->currentText(), "AAC (.m4a)");
    const auto boxes = dialog.findChildren<QComboBox*>();
    EXPECT_EQ(boxes.at(1)->currentText(), c.bitRate);
    EXPECT_EQ(dialog.note().left(qstrlen(c.note)), c.note);
    auto* save = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save);
    EXPECT_EQ(save->isEnabled(), c.editable);
    EXPECT_EQ(format->isEnabled(), c.editable);
    if (!c.editable) {
        return;
    }
    // Apple Lossless takes no bit rate; Sound Check back on.
    format->setCurrentIndex(format->findData("alac"));
    EXPECT_FALSE(boxes.at(1)->isEnabled());
    dialog.findChild<QCheckBox*>()->setChecked(true);
    save->click();
    const ImportPreferencesReading stored = settings.read();
    EXPECT_EQ(stored.problem, "");
    if (c.saveFailure) {
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.note().left(qstrlen(c.saveFailure)), c.saveFailure);
        EXPECT_EQ(stored.preferences, (ImportPreferences{"aac", 200, false}));
        return;
    }
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << dialog.note().toStdString();
    EXPECT_EQ(stored.preferences, (ImportPreferences{"alac", 0, true}));
}

INSTANTIATE_TEST_SUITE_P(
    States, PreferencesDialogTest,
    testing::Values(PreferencesCase{"missing", LibraryState::Missing, true,
                                    "No import has made the library", "256 kbit/s"},
                    // 200 is no usual step, but AAC takes it.
                    PreferencesCase{"stored", LibraryState::Stored, true, "", "200 kbit/s"},
                    // Readers pass another program's write lock; the write waits for it.
                    PreferencesCase{
                        "locked", LibraryState::Locked, true, "", "200 kbit/s",
                        "The settings could not be saved: the database is locked by another "
                        "program"},
                    PreferencesCase{"runUnderWay", LibraryState::RunUnderWay, false,
                                    "A run is under way", "200 kbit/s"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LibrarySettingsTest, refusesWhatTheEncoderDoesNotTake) {
    QTemporaryDir folder;
    const LibrarySettings settings(folder.filePath("Library"));
    EXPECT_EQ(settings.save({"mp3", 200, true}),
              "mp3 takes one of these bit rates (kbit/s): 32, 40, 48, 56, 64, 80, 96, 112, 128, "
              "160, 192, 224, 256, 320");
    EXPECT_EQ(settings.save({"ogg", 0, true}), "no such encoder: ogg");
    EXPECT_FALSE(settings.read().exists);
}

} // namespace
} // namespace decant
