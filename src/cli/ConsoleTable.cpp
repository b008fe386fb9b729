#include "cli/ConsoleTable.h"

#include "platform/TextWidth.h"
#include "queue/FilesController.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <string_view>

namespace decant {
namespace {

struct Column {
    const char* identifier;
    const char* title;
};

constexpr const char* verifiedColumn = "verified";

constexpr std::array<Column, 7> columns{{
    {"path", QT_TRANSLATE_NOOP("decant-cli", "File")},
    {"status", QT_TRANSLATE_NOOP("decant-cli", "Status")},
    {"tracknumber", QT_TRANSLATE_NOOP("decant-cli", "Track")},
    {"title", QT_TRANSLATE_NOOP("decant-cli", "Title")},
    {"artist", QT_TRANSLATE_NOOP("decant-cli", "Artist")},
    {"album", QT_TRANSLATE_NOOP("decant-cli", "Album")},
    {verifiedColumn, QT_TRANSLATE_NOOP("decant-cli", "Verified")},
}};

QString joinAligned(const QStringList& cells, const QList<int>& widths) {
    QString line;
    for (qsizetype column = 0; column < cells.size(); ++column) {
        const bool last = column + 1 == cells.size();
        line += last ? cells[column] : padToDisplayWidth(cells[column], widths[column] + 2);
    }
    // An empty last cell would leave the padding of the one before it.
    while (line.endsWith(u' ')) {
        line.chop(1);
    }
    return line;
}

} // namespace

ConsoleTable::ConsoleTable(const FilesController& dataSource, std::function<void()> changed)
    : dataSource_(dataSource)
    , changed_(std::move(changed)) {}

void ConsoleTable::reloadData() {
    if (changed_) {
        changed_();
    }
}

void ConsoleTable::reloadCell(int, int) {
    if (changed_) {
        changed_();
    }
}

int ConsoleTable::columnWithIdentifier(const QString& identifier) const {
    const auto found = std::find_if(columns.begin(), columns.end(), [&](const Column& column) {
        return identifier == QLatin1String(column.identifier);
    });
    return found == columns.end() ? -1 : int(found - columns.begin());
}

int ConsoleTable::numberOfRows() const {
    return dataSource_.numberOfRowsInTableView();
}

QStringList ConsoleTable::lines() const {
    QList<QStringList> rows;
    QStringList heading;
    for (const Column& column : columns) {
        heading.append(QCoreApplication::translate("decant-cli", column.title));
    }
    rows.append(heading);
    const QList<QueueEntryPointer> entries = dataSource_.files();
    for (int row = 0; row < int(entries.size()); ++row) {
        QStringList cells;
        for (const Column& column : columns) {
            // Not a column of the queue's table, whose other identifiers name
            // tags: what the library proved of the file's track.
            const QString cell = std::string_view(column.identifier) == verifiedColumn
                                     ? entries[row]->verification()
                                     : dataSource_.tableViewObjectValueForTableColumnRow(
                                           QLatin1String(column.identifier), row);
            // Tags may hold line breaks, tabs and terminal escapes; one row
            // must stay one line, and show them rather than obey them.
            cells.append(escapeControlCharacters(cell));
        }
        rows.append(cells);
    }

    // By the cells a terminal gives each text: CJK characters take two,
    // combining marks none.
    QList<int> widths(qsizetype(columns.size()), 0);
    for (const QStringList& cells : rows) {
        for (qsizetype column = 0; column < cells.size(); ++column) {
            widths[column] = std::max(widths[column], displayWidth(cells[column]));
        }
    }
    QStringList lines;
    for (const QStringList& cells : rows) {
        lines.append(joinAligned(cells, widths));
    }
    return lines;
}

} // namespace decant
