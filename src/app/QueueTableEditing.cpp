#include "app/QueueTableEditing.h"

#include "app/QueueTableModel.h"
#include "app/QueueTableView.h"
#include "queue/QueueTagEditor.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace decant {
namespace {

// Takes only digits in a track or disc number cell, so that a text that is
// not a number never leaves the cell.
class TagCellDelegate final : public QStyledItemDelegate {
public:
    TagCellDelegate(QueueTableModel& model, QObject* parent)
        : QStyledItemDelegate(parent)
        , model_(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        const QString field =
            QueueTagEditor::editableField(model_.columnIdentifier(index.column()));
        const bool number =
            field == QLatin1String("TRACKNUMBER") || field == QLatin1String("DISCNUMBER");
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && number) {
            line->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]{0,5}")), line));
        }
        return editor;
    }

private:
    QueueTableModel& model_;
};

} // namespace

QueueTableEditing::QueueTableEditing(QueueTableView& table, QueueTableModel& model)
    : QObject(&table)
    , table_(table)
    , model_(model) {
    table_.setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    table_.setItemDelegate(new TagCellDelegate(model_, &table_));
    addColumnMenu();
}

void QueueTableEditing::addColumnMenu() {
    const QList<std::pair<QString, QString>> columns{
        {QStringLiteral("albumartist"), tr("Album Artist")},
        {QStringLiteral("discnumber"), tr("Disc")},
        {QStringLiteral("date"), tr("Year")},
        {QStringLiteral("genre"), tr("Genre")},
        {QStringLiteral("composer"), tr("Composer")}};
    QHeaderView* header = table_.horizontalHeader();
    header->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const auto& [identifier, title] : columns) {
        auto* show = new QAction(tr("Show %1").arg(title), header);
        show->setObjectName(QStringLiteral("showColumn_") + identifier);
        show->setCheckable(true);
        header->addAction(show);
        connect(show, &QAction::toggled, this,
                [this, identifier = identifier, title = title](bool shown) {
                    if (shown) {
                        model_.addColumn(identifier, title);
                    } else {
                        model_.removeColumn(identifier);
                    }
                });
    }
}

} // namespace decant
