#include "library/tool/TrackDetails.h"

#include "library/Library.h"
#include "library/model/TrackProperty.h"
#include "library/tool/ToolOutput.h"
#include "platform/TextWidth.h"

#include <QCoreApplication>

#include <algorithm>

namespace decant::library {
namespace {

QString shownValue(const PropertyValue& value) {
    if (const auto* text = std::get_if<QString>(&value)) {
        // A line break in a tag must not pass for a line of the output.
        return escapeControlCharacters(
            QString(*text).replace(valueSeparator, QStringLiteral("; ")));
    }
    if (const auto* number = std::get_if<qint64>(&value)) {
        return QString::number(*number);
    }
    return std::get<bool>(value) ? QCoreApplication::translate("decant::TrackDetails", "yes")
                                 : QCoreApplication::translate("decant::TrackDetails", "no");
}

void printDetails(const TrackRecord& record, QTextStream& out) {
    out << QCoreApplication::translate("decant::TrackDetails", "Track %1").arg(record.id) << '\n';
    for (const TrackProperty& property : trackProperties()) {
        const auto value = record.properties.constFind(QLatin1String(property.scriptingName));
        if (value == record.properties.cend()) {
            continue;
        }
        if (const QString shown = shownValue(*value); !shown.isEmpty()) {
            out << "  " << property.scriptingName << ": " << shown << '\n';
        }
    }
    // Named as the properties above are, which are identifiers, not words.
    out << "  file: " << escapeControlCharacters(record.file) << '\n';
}

} // namespace

int printTrackDetails(const Library& library, const QList<qint64>& trackIds, QTextStream& out,
                      QTextStream& err) {
    const auto tracks = library.tracks();
    if (!tracks) {
        return cannotRead(tracks.error(), err);
    }
    int status = ToolSucceeded;
    for (const qint64 id : trackIds) {
        const auto found =
            std::find_if(tracks->cbegin(), tracks->cend(),
                         [id](const TrackRecord& record) { return record.id == id; });
        if (found == tracks->cend()) {
            err << "decant-library: "
                << QCoreApplication::translate("decant::TrackDetails",
                                               "no track has the ID %1 (see list)")
                       .arg(id)
                << '\n';
            status = ToolLibraryFailed;
            continue;
        }
        printDetails(*found, out);
    }
    return status;
}

} // namespace decant::library
