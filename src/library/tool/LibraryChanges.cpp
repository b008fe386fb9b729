#include "library/tool/LibraryChanges.h"

#include "library/Library.h"
#include "library/Track.h"
#include "platform/TextWidth.h"

namespace decant::library {

bool removeTracks(Library& library, const QList<qint64>& trackIds, QTextStream& out,
                  QTextStream& err) {
    bool everyOne = true;
    for (const qint64 id : trackIds) {
        const auto track = library.track(id);
        const auto record = track ? track->record() : std::nullopt;
        const Removal removal = library.trashTrack(id);
        if (!removal.removed) {
            err << "decant-library: cannot remove track " << id << ": " << removal.error << '\n';
            everyOne = false;
            continue;
        }
        // A line break in the name must not pass for a line of the output.
        const QString name =
            record ? escapeControlCharacters(record->text(QStringLiteral("name"))) : QString();
        if (!removal.error.isEmpty()) {
            out << "Removed track " << id << " \"" << name << "\".\n";
            err << "decant-library: " << removal.error << "; it stays where it was.\n";
            everyOne = false;
        } else {
            out << "Removed track " << id << " \"" << name << "\"; its file " << removal.file
                << " is in the trash.\n";
        }
    }
    return everyOne;
}

bool organiseFiles(Library& library, QTextStream& out, QTextStream& err) {
    const auto relocations = library.organise();
    if (!relocations) {
        err << "decant-library: cannot organise the library: " << relocations.error().message
            << '\n';
        return false;
    }
    qsizetype moved = 0;
    qsizetype left = 0;
    for (const Relocation& relocation : *relocations) {
        if (relocation.error.isEmpty()) {
            out << "Moved " << relocation.from << " to " << relocation.to << ".\n";
            ++moved;
        } else {
            err << "decant-library: left track " << relocation.trackId << " at " << relocation.from
                << ": " << relocation.error << '\n';
            ++left;
        }
    }
    if (moved == 0 && left == 0) {
        out << "Every file is where its tags say.\n";
    } else {
        out << moved << (moved == 1 ? " file" : " files") << " moved, " << left << " left.\n";
    }
    return left == 0;
}

} // namespace decant::library
