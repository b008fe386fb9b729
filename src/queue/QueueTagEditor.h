#pragma once

#include "queue/Comments.h"
#include "queue/QueueEntry.h"

#include <QList>
#include <QString>

#include <optional>

namespace decant {

class FilesController;

// Tags the user types into the queue's table before an import, and their
// undo. An edit never changes an entry's comments in place: it gives the
// entry a new dictionary, since the hand-off thread may be reading the old
// one. As with a store fetch, the next Start ends the undo. Main thread.
class QueueTagEditor {
public:
    explicit QueueTagEditor(FilesController& controller);

    // The tag field a column edits ("title" gives TITLE), or empty for a
    // column that cannot be edited (the file, its status).
    static QString editableField(const QString& columnIdentifier);
    // Why `text` cannot be the field's value (a track or disc number that
    // is not a number); nothing when it can.
    static std::optional<QString> refusal(const QString& field, const QString& text);
    // The field's value as the cell's editor starts with it: a track number
    // without its total.
    QString editedText(int row, const QString& columnIdentifier) const;

    // Whether the row's tags can still change before its import: it waits
    // outside a run under way, or failed.
    bool canEdit(int row) const;
    // Sets the field the column edits to the text, or removes the field for
    // an empty text. False when the row or the text is refused, or nothing
    // changed.
    bool edit(int row, const QString& columnIdentifier, const QString& text);

    bool canUndo() const;
    // Gives the last edited row the tags it had before.
    void undo();
    // A store fetch replaced the tags: the edits before it stay.
    void forgetEdits() { edits_.clear(); }

private:
    struct Edit {
        QueueEntryPointer entry;
        CommentsDictionary before;
        int runsStarted = 0;
    };

    FilesController& controller_;
    QList<Edit> edits_;
};

} // namespace decant
