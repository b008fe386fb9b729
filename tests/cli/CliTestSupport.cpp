#include "CliTestSupport.h"

#include "TestEnvironment.h"
#include "platform/TextWidth.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace decant::test {

CliScratch::CliScratch() {
    EXPECT_TRUE(folder_.isValid());
    QDir(folder_.path()).mkpath(QStringLiteral("music"));
    QDir(folder_.path()).mkpath(QStringLiteral("tmp"));
}

QString CliScratch::musicPath(const QString& relative) const {
    const QString music = folder_.filePath(QStringLiteral("music"));
    return relative.isEmpty() ? music : QDir(music).filePath(relative);
}

QString CliScratch::libraryPath() const {
    return folder_.filePath(QStringLiteral("library"));
}

QString CliScratch::writeFlac(const QString& relative, const FlacFixture& fixture) {
    const QString path = musicPath(relative);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(writeFlacFixture(path, fixture)) << path.toStdString();
    return path;
}

QString CliScratch::writeFile(const QString& relative, const QByteArray& bytes) {
    const QString path = musicPath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return path;
}

QStringList CliScratch::mediaFiles() const {
    // At every depth: files live in artist and album folders.
    const QDir media(QDir(libraryPath()).filePath(QStringLiteral("Media")));
    QStringList files;
    QDirIterator entries(media.path(), QDir::Files | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        files.append(media.relativeFilePath(entries.next()));
    }
    files.sort();
    return files;
}

std::shared_ptr<library::Library> CliScratch::openLibrary() const {
    library::LibraryOptions options;
    options.readOnly = true;
    const auto opened = library::Library::open(libraryPath(), options);
    EXPECT_TRUE(opened) << opened.error().message.toStdString();
    return opened.valueOr(nullptr);
}

QList<library::TrackRecord> CliScratch::libraryTracks() const {
    const auto opened = openLibrary();
    return opened ? opened->tracks().valueOr({}) : QList<library::TrackRecord>();
}

QProcessEnvironment CliScratch::environment() const {
    // The test process's environment already points HOME and the XDG
    // folders into its scratch folder.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DECANT_LIBRARY"), libraryPath());
    environment.insert(QStringLiteral("TMPDIR"), folder_.filePath(QStringLiteral("tmp")));
    for (auto change = environmentChanges_.cbegin(); change != environmentChanges_.cend();
         ++change) {
        if (change.value().isNull()) {
            environment.remove(change.key());
        } else {
            environment.insert(change.key(), change.value());
        }
    }
    return environment;
}

void CliScratch::setEnvironmentVariable(const QString& name, const QString& value) {
    environmentChanges_.insert(name, value);
}

QStringList CliScratch::decodedFiles() const {
    QStringList files;
    QDirIterator found(folder_.filePath(QStringLiteral("tmp")), {QStringLiteral("*.wav")},
                       QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (found.hasNext()) {
        files.append(found.next());
    }
    return files;
}

namespace {

CliResult runProcess(const CliScratch& scratch, const QString& program,
                     const QStringList& arguments, std::chrono::milliseconds timeout) {
    QProcess process;
    process.setProcessEnvironment(scratch.environment());
    process.start(program, arguments);
    CliResult result;
    const bool finished = processEventsUntil(
        [&process] { return process.state() == QProcess::NotRunning; }, int(timeout.count()));
    if (!finished) {
        process.kill();
        process.waitForFinished(5000);
    } else {
        result.exited = process.error() != QProcess::FailedToStart &&
                        process.exitStatus() == QProcess::NormalExit;
        result.exitCode = process.exitCode();
    }
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// A printf format that gives exactly `bytes`: every byte that is not plain
// ASCII, or that printf or the single quotes would read, as an octal escape.
QString printfFormat(const QByteArray& bytes) {
    QString format;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value >= 0x80 || value < 0x20 || byte == '\\' || byte == '%' || byte == '\'') {
            format += QStringLiteral("\\%1").arg(value, 3, 8, QChar(u'0'));
        } else {
            format += QLatin1Char(byte);
        }
    }
    return format;
}

} // namespace

CliResult runCli(const CliScratch& scratch, const QStringList& arguments,
                 std::chrono::milliseconds timeout) {
    return runProcess(scratch, QStringLiteral(DECANT_CLI), arguments, timeout);
}

CliResult runCliWithBytes(const CliScratch& scratch, const QList<QByteArray>& arguments,
                          std::chrono::milliseconds timeout) {
    QString script = QStringLiteral("exec \"$0\"");
    for (const QByteArray& argument : arguments) {
        script += QStringLiteral(" \"$(printf '%1')\"").arg(printfFormat(argument));
    }
    return runProcess(scratch, QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), script, QStringLiteral(DECANT_CLI)}, timeout);
}

QMap<QString, QString> summaryRow(const QString& out, const QString& fileName) {
    const QStringList lines = out.split(u'\n');
    const auto heading = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
        return line.startsWith(QLatin1String("File  "));
    });
    if (heading == lines.end()) {
        return {};
    }
    QList<std::pair<QString, qsizetype>> columns;
    static const QRegularExpression title(QStringLiteral("\\S+"));
    for (auto match = title.globalMatch(*heading); match.hasNext();) {
        const auto found = match.next();
        columns.append({found.captured(), found.capturedStart()});
    }
    const auto row = std::find_if(heading + 1, lines.end(), [&](const QString& line) {
        return line.startsWith(fileName + QLatin1String("  "));
    });
    if (row == lines.end()) {
        return {};
    }
    // The heading is ASCII: its characters are its terminal cells. A row's
    // are not, so each character goes to the column its first cell is in.
    QMap<QString, QString> cells;
    int cell = 0;
    qsizetype column = 0;
    for (const char32_t character : row->toUcs4()) {
        while (column + 1 < columns.size() && cell >= columns[column + 1].second) {
            ++column;
        }
        cells[columns[column].first] += QString::fromUcs4(&character, 1);
        cell += displayWidth(QString::fromUcs4(&character, 1));
    }
    for (auto& text : cells) {
        text = text.trimmed();
    }
    return cells;
}

QStringList statusChanges(const QString& out, const QString& fileName) {
    QStringList statuses;
    const QRegularExpression line(
        QStringLiteral("^(\\w+)  %1(:.*)?$").arg(QRegularExpression::escape(fileName)));
    for (const QString& text : out.split(u'\n')) {
        if (const auto match = line.match(text); match.hasMatch()) {
            statuses.append(match.captured(1));
        }
    }
    return statuses;
}

} // namespace decant::test
