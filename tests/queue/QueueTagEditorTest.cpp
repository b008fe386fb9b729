#include "queue/QueueTagEditor.h"

#include "FlacFixture.h"
#include "queue/FilesController.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

struct EditCase {
    const char* name;
    const char* column;
    const char* text;
    bool taken;
    // The field's value after the edit; null for none.
    QVariant value;
};

class QueueTagEditorTest : public testing::TestWithParam<EditCase> {
protected:
    QueueTagEditorTest() {
        const QString path = folder.filePath("song.flac");
        EXPECT_TRUE(test::writeFlacFixture(
            path, test::taggedFixture({"TITLE=Song", "TRACKNUMBER=3", "TRACKTOTAL=12"})));
        controller.addFiles(QStringList{path});
    }

    QTemporaryDir folder;
    FilesController controller{nullptr};
    QueueTagEditor editor{controller};
};

TEST_P(QueueTagEditorTest, replacesTheCommentsWithANewDictionaryAndUndoes) {
    const EditCase& c = GetParam();
    const QueueEntryPointer entry = controller.files().front();
    const CommentsDictionary before = entry->comments();
    const QVariant* held = &*before.constFind("TITLE");
    ASSERT_TRUE(editor.canEdit(0));
    EXPECT_EQ(editor.edit(0, c.column, c.text), c.taken);
    const QString field = QueueTagEditor::editableField(c.column);
    EXPECT_EQ(entry->comments().value(field), c.taken ? c.value : before.value(field));
    // The dictionary a reader holds is never changed under it.
    EXPECT_EQ(*held, "Song");
    EXPECT_EQ(editor.canUndo(), c.taken);
    editor.undo();
    EXPECT_EQ(entry->comments(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, QueueTagEditorTest,
    testing::Values(EditCase{"title", "title", "Another Song", true, "Another Song"},
                    EditCase{"newField", "composer", "Someone", true, "Someone"},
                    EditCase{"emptied", "title", "", true, QVariant()},
                    EditCase{"trackNumber", "tracknumber", " 7 ", true, "7"},
                    EditCase{"notANumber", "tracknumber", "seven", false, QVariant()},
                    EditCase{"unchanged", "title", "Song", false, QVariant()},
                    EditCase{"notATag", "status", "Done", false, QVariant()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QueueTagEditorRefusal, endsUndoAtTheNextStartAndLeavesRowsUnderWayAlone) {
    QTemporaryDir folder;
    const QString path = folder.filePath("song.flac");
    ASSERT_TRUE(test::writeFlacFixture(path, test::taggedFixture({"TITLE=Song"})));
    FilesController controller{nullptr};
    QueueTagEditor editor{controller};
    controller.addFiles(QStringList{path});
    ASSERT_TRUE(editor.edit(0, "title", "Edited"));
    controller.files().front()->setStatus(QueueEntryStatusEncoding);
    EXPECT_FALSE(editor.canEdit(0));
    EXPECT_FALSE(editor.edit(0, "title", "Again"));
    controller.startDecoding(nullptr);
    EXPECT_FALSE(editor.canUndo());
    EXPECT_EQ(controller.files().front()->comments().value("TITLE"), "Edited");
}

} // namespace
} // namespace decant
