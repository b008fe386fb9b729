#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace decant {

// What a check or a repair of the library said.
struct InspectionReport {
    enum class Outcome {
        Sound,         // nothing wrong, or everything mended
        ProblemsFound, // problems a repair mends, or some it could not
        Failed,        // the library could not be read or changed
    };
    Outcome outcome = Outcome::Failed;
    // One finding or repair a line, then a summary, as decant-library check
    // prints them; the reason when it failed.
    QStringList lines;
};

// Check Library in the Library window: decant-library check --verify and
// check --repair --verify on the library in one folder. Each blocks the
// calling thread until it is done, decoding every verified file; any
// thread may call them.
class LibraryInspection {
public:
    // Told as each file has been decoded again, on a thread of the
    // check's; false stops the check, which then fails.
    using Progress = std::function<bool(qsizetype done, qsizetype total)>;

    explicit LibraryInspection(QString location);

    InspectionReport check(const Progress& progress) const;
    InspectionReport repair(const Progress& progress) const;

private:
    QString location_;
};

} // namespace decant
