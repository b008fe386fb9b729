// Tags and file names that hold terminal escapes, a bell, line breaks and
// tabs: every output of decant-cli and decant-library shows them as escapes,
// and none of their control characters reaches the terminal.
#include "CliTestSupport.h"
#include "cli/CommandLine.h"

#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <gtest/gtest.h>

#include <ostream>

namespace decant {
namespace {

// Retitles the terminal, rings it, turns it red; forges a row; a C1 CSI.
const QByteArray hostileArtist = "\x1b]0;PWNED\x07\x1b[31mRed";
const QByteArray hostileTitle = "Line\nbreak\tTab";
const QByteArray hostileAlbum = "C1 \xc2\x9b"
                                "31m";
const QString hostileName = QStringLiteral("\x1b[2J\x07name.flac");

// One output, given the scratch folders after an import and what the
// import wrote.
struct Output {
    const char* name;
    QString (*run)(test::CliScratch& scratch, const QString& importOutput);
};

void PrintTo(const Output& output, std::ostream* out) {
    *out << output.name;
}

class TerminalText : public testing::TestWithParam<Output> {
protected:
    void SetUp() override {
        scratch.writeFlac(hostileName,
                          test::taggedFixture({"ARTIST=" + hostileArtist, "TITLE=" + hostileTitle,
                                               "ALBUM=" + hostileAlbum}));
        test::FlacFixture damaged = test::taggedFixture({"ARTIST=" + hostileArtist});
        damaged.samples = 44100;
        damaged.blockSize = 1024;
        damaged.damagedFrame = 3;
        scratch.writeFlac(QStringLiteral("\x07") + hostileName, damaged);
        const auto imported = test::runCli(scratch, {scratch.musicPath()});
        ASSERT_TRUE(imported.exited);
        importOutput = imported.out + imported.err;
    }

    test::CliScratch scratch;
    QString importOutput;
};

QString runLibraryTool(const test::CliScratch& scratch, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(scratch.environment());
    process.start(QStringLiteral(DECANT_LIBRARY_TOOL), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// decant-cli on a terminal, in this process: its own "erase the line"
// sequence is the only escape it may write.
QString importOnATerminal(test::CliScratch& scratch, const QString&) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    runCommandLine(
        {"decant-cli", "--library", scratch.libraryPath().toUtf8(), scratch.musicPath().toUtf8()},
        {outStream, errStream, true, {}});
    QString output = out + err;
    return output.remove(QStringLiteral("\r\x1b[K"));
}

TEST_P(TerminalText, showsControlCharactersOfTagsAndNamesAsEscapes) {
    const QString output = GetParam().run(scratch, importOutput);
    for (const char16_t control : {u'\x1b', u'\x07', u'\x9b', u'\t'}) {
        EXPECT_FALSE(output.contains(QChar(control)))
            << int(control) << " in " << output.toStdString();
    }
    // A line break of a tag never starts a line of its own.
    EXPECT_FALSE(output.contains(QStringLiteral("Line\nbreak"))) << output.toStdString();
    // The escapes show instead: each output names the file or the track.
    EXPECT_TRUE(output.contains(QStringLiteral("\\e")) || output.contains(QStringLiteral("\\a")) ||
                output.contains(QStringLiteral("break\\tTab")))
        << output.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, TerminalText,
    testing::Values(
        Output{"importOnAPipe", [](test::CliScratch&, const QString& out) { return out; }},
        Output{"importOnATerminal", importOnATerminal},
        Output{"list", [](test::CliScratch& scratch,
                          const QString&) { return runLibraryTool(scratch, {"list"}); }},
        Output{"checkOfAMissingFile",
               [](test::CliScratch& scratch, const QString&) {
                   for (const QString& file : scratch.mediaFiles()) {
                       QFile::remove(scratch.libraryPath() + "/Media/" + file);
                   }
                   return runLibraryTool(scratch, {"check"});
               }},
        Output{"remove",
               [](test::CliScratch& scratch, const QString&) {
                   return runLibraryTool(scratch, {"remove", "1"});
               }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace decant
