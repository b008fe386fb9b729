#include "library/tool/LibraryChanges.h"

#include "library/Library.h"
#include "library/Track.h"
#include "platform/TextWidth.h"

#include <QCoreApplication>

namespace decant::library {

bool removeTracks(Library& library, const QList<qint64>& trackIds, QTextStream& out,
                  QTextStream& err) {
    bool everyOne = true;
    for (const qint64 id : trackIds) {
        const auto track = library.track(id);
        const auto record = track ? track->record() : std::nullopt;
        const Removal removal = library.trashTrack(id);
        if (!removal.removed) {
            err << "decant-library: "
                << QCoreApplication::translate("decant::LibraryChanges",
                                               "cannot remove track %1: %2")
                       .arg(id)
                       .arg(removal.error)
                << '\n';
            everyOne = false;
            continue;
        }
        // A line break in the name must not pass for a line of the output.
        const QString name =
            record ? escapeControlCharacters(record->text(QStringLiteral("name"))) : QString();
        if (!removal.error.isEmpty()) {
            out << QCoreApplication::translate("decant::LibraryChanges", "Removed track %1 \"%2\".")
                       .arg(id)
                       .arg(name)
                << '\n';
            err << "decant-library: "
                << QCoreApplication::translate("decant::LibraryChanges",
                                               "%1; it stays where it was.")
                       .arg(removal.error)
                << '\n';
            everyOne = false;
        } else {
            out << QCoreApplication::translate(
                       "decant::LibraryChanges",
                       "Removed track %1 \"%2\"; its file %3 is in the trash.")
                       .arg(id)
                       .arg(name, removal.file)
                << '\n';
        }
    }
    return everyOne;
}

bool organiseFiles(Library& library, QTextStream& out, QTextStream& err) {
    const auto relocations = library.organise();
    if (!relocations) {
        err << "decant-library: "
            << QCoreApplication::translate("decant::LibraryChanges",
                                           "cannot organise the library: %1")
                   .arg(relocations.error().message)
            << '\n';
        return false;
    }
    qsizetype moved = 0;
    qsizetype left = 0;
    for (const Relocation& relocation : *relocations) {
        if (relocation.error.isEmpty()) {
            out << QCoreApplication::translate("decant::LibraryChanges", "Moved %1 to %2.")
                       .arg(relocation.from, relocation.to)
                << '\n';
            ++moved;
        } else {
            err << "decant-library: "
                << QCoreApplication::translate("decant::LibraryChanges", "left track %1 at %2: %3")
                       .arg(relocation.trackId)
                       .arg(relocation.from, relocation.error)
                << '\n';
            ++left;
        }
    }
    if (moved == 0 && left == 0) {
        out << QCoreApplication::translate("decant::LibraryChanges",
                                           "Every file is where its tags say.")
            << '\n';
    } else {
        out << QCoreApplication::translate("decant::LibraryChanges", "%n file(s) moved, %1 left.",
                                           nullptr, int(moved))
                   .arg(left)
            << '\n';
    }
    return left == 0;
}

} // namespace decant::library
