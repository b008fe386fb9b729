#pragma once

#include "FlacFixture.h"
#include "library/Library.h"

#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

namespace decant::test {

// One test's folders: FLAC files in "music", the library in "library".
class CliScratch {
public:
    CliScratch();

    QString musicPath(const QString& relative = {}) const;
    QString libraryPath() const;

    // Writes a FLAC file below the music folder, making its folders; its path.
    QString writeFlac(const QString& relative, const FlacFixture& fixture = FlacFixture());
    // Writes any bytes below the music folder; the file's path.
    QString writeFile(const QString& relative, const QByteArray& bytes);

    // decant-cli's environment: DECANT_LIBRARY names the library, TMPDIR a
    // folder of this test's own, and what the test set or removed.
    QProcessEnvironment environment() const;
    // A null value removes the variable.
    void setEnvironmentVariable(const QString& name, const QString& value);
    // Decoded audio left in the temporary folder.
    QStringList decodedFiles() const;

    // Names in the library's media folder, hidden ones included.
    QStringList mediaFiles() const;
    // The library opened read-only, as another process would; null on failure.
    std::shared_ptr<library::Library> openLibrary() const;
    QList<library::TrackRecord> libraryTracks() const;

private:
    QTemporaryDir folder_;
    QMap<QString, QString> environmentChanges_;
};

struct CliResult {
    bool exited = false; // ended by itself, within the time limit
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs decant-cli (its standard output a pipe, not a terminal) and waits
// for it at most `timeout`, handling this thread's events meanwhile (so that
// a test's own server answers it); a run that overstays is killed.
CliResult runCli(const CliScratch& scratch, const QStringList& arguments,
                 std::chrono::milliseconds timeout = std::chrono::seconds(60));

// The same with arguments that are bytes, not text (a path named in
// Latin-1): the shell's printf makes them, as a terminal would pass them.
CliResult runCliWithBytes(const CliScratch& scratch, const QList<QByteArray>& arguments,
                          std::chrono::milliseconds timeout = std::chrono::seconds(60));

// The summary's cells for the file, by column title ("Status", "Title"...):
// sliced at the heading's column starts, counted in terminal cells. Empty
// when the file has no row.
QMap<QString, QString> summaryRow(const QString& out, const QString& fileName);

// The progress lines for the file ("Decoded  a.flac" gives "Decoded"), in order.
QStringList statusChanges(const QString& out, const QString& fileName);

} // namespace decant::test
