#include "queue/QueueTagEditor.h"

#include "queue/FilesController.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>

namespace decant {
namespace {

const QHash<QString, QString>& fieldsOfColumns() {
    static const QHash<QString, QString> fields{
        {QStringLiteral("title"), QStringLiteral("TITLE")},
        {QStringLiteral("artist"), QStringLiteral("ARTIST")},
        {QStringLiteral("album"), QStringLiteral("ALBUM")},
        {QStringLiteral("albumartist"), QStringLiteral("ALBUMARTIST")},
        {QStringLiteral("tracknumber"), QStringLiteral("TRACKNUMBER")},
        {QStringLiteral("discnumber"), QStringLiteral("DISCNUMBER")},
        {QStringLiteral("date"), QStringLiteral("DATE")},
        {QStringLiteral("genre"), QStringLiteral("GENRE")},
        {QStringLiteral("composer"), QStringLiteral("COMPOSER")},
    };
    return fields;
}

bool isNumberField(const QString& field) {
    return field == QLatin1String("TRACKNUMBER") || field == QLatin1String("DISCNUMBER");
}

} // namespace

QueueTagEditor::QueueTagEditor(FilesController& controller)
    : controller_(controller) {}

QString QueueTagEditor::editableField(const QString& columnIdentifier) {
    return fieldsOfColumns().value(columnIdentifier);
}

std::optional<QString> QueueTagEditor::refusal(const QString& field, const QString& text) {
    static const QRegularExpression number(QStringLiteral("^[0-9]{1,5}$"));
    const QString trimmed = text.trimmed();
    if (isNumberField(field) && !trimmed.isEmpty() && !number.match(trimmed).hasMatch()) {
        return QCoreApplication::translate("decant::QueueTableEditing", "%1 is not a number")
            .arg(trimmed);
    }
    return std::nullopt;
}

QString QueueTagEditor::editedText(int row, const QString& columnIdentifier) const {
    const QString field = editableField(columnIdentifier);
    const QList<QueueEntryPointer> entries = controller_.files();
    if (field.isEmpty() || row < 0 || row >= entries.size()) {
        return {};
    }
    const QVariant value = entries[row]->comments().value(field);
    return isNumberField(field) && isNumber(value) ? QString::number(integerValue(value))
                                                   : value.toString();
}

bool QueueTagEditor::canEdit(int row) const {
    const QList<QueueEntryPointer> entries = controller_.files();
    if (row < 0 || row >= entries.size()) {
        return false;
    }
    switch (entries[row]->status()) {
    case QueueEntryStatusFailed:
        return true;
    case QueueEntryStatusWaiting:
        // A row waiting in the run under way is read by its decode's
        // hand-off; one that is not waits for the next Start.
        return controller_.canRemoveRow(row);
    default:
        return false;
    }
}

bool QueueTagEditor::edit(int row, const QString& columnIdentifier, const QString& text) {
    const QString field = editableField(columnIdentifier);
    if (field.isEmpty() || !canEdit(row) || refusal(field, text)) {
        return false;
    }
    const QueueEntryPointer entry = controller_.files().at(row);
    const CommentsDictionary before = entry->comments();
    CommentsDictionary after = before;
    const QString value = isNumberField(field) ? text.trimmed() : text;
    if (value.isEmpty()) {
        after.remove(field);
    } else {
        after.insert(field, value);
    }
    if (after == before) {
        return false;
    }
    entry->setComments(std::move(after));
    edits_.append({entry, before, controller_.runsStarted()});
    return true;
}

bool QueueTagEditor::canUndo() const {
    return !edits_.isEmpty() && edits_.last().runsStarted == controller_.runsStarted();
}

void QueueTagEditor::undo() {
    if (!canUndo()) {
        return;
    }
    const Edit last = edits_.takeLast();
    last.entry->setComments(last.before);
    controller_.reloadTable();
}

} // namespace decant
