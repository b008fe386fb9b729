// Arguments decant-cli must refuse before it touches a file or the library.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace decant {
namespace {

struct UsageCase {
    const char* name;
    QStringList arguments; // "MUSIC" stands for the music folder, which holds a FLAC file
    const char* message;   // part of what standard error must say
};

void PrintTo(const UsageCase& usage, std::ostream* out) {
    *out << usage.name;
}

class CommandLineUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(CommandLineUsage, refusesWithStatusTwoAndDecodesNothing) {
    test::CliScratch scratch;
    scratch.writeFlac("a.flac");
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings("MUSIC", scratch.musicPath());

    const auto result = test::runCli(scratch, arguments, std::chrono::seconds(20));

    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains(QLatin1String(GetParam().message))) << result.err.toStdString();
    EXPECT_FALSE(result.out.contains("Decod")) << result.out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(scratch.libraryPath()));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineUsage,
    testing::Values(
        UsageCase{"unknownOption", {"--bogus", "MUSIC"}, "Unknown option 'bogus'"},
        UsageCase{"noPaths", {}, "No FLAC files or folders given."},
        UsageCase{"optionWithoutValue", {"MUSIC", "--store-url"}, "Missing value after"},
        UsageCase{
            "onlyMissingPaths", {"MUSIC/gone", "MUSIC/also gone.flac"}, "none of the paths exists"},
        UsageCase{"insecureStoreURL",
                  {"--store-url", "http://itunes.apple.com/us/album/x/id1", "MUSIC"},
                  "must begin with https://"},
        UsageCase{"storeURLOfAnotherHost",
                  {"--store-url", "https://example.com/us/album/x/id1", "MUSIC"},
                  "must be on itunes.apple.com"},
        UsageCase{"storeURLThatIsNoURL", {"--store-url", "album 42", "MUSIC"}, "not a valid"}),
    [](const testing::TestParamInfo<UsageCase>& info) { return info.param.name; });

TEST(CommandLineInformation, printsHelpAndVersionWithoutImporting) {
    test::CliScratch scratch;
    const auto help = test::runCli(scratch, {"--help"}, std::chrono::seconds(20));
    EXPECT_EQ(help.exitCode, 0);
    // By its name, not by the path it was started with.
    EXPECT_TRUE(help.out.startsWith("Usage: decant-cli [options] PATH...\n"))
        << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--store-url <url>")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--keep-tags")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--library <folder>"));

    const auto version = test::runCli(scratch, {"--version"}, std::chrono::seconds(20));
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.trimmed(), QStringLiteral("decant-cli " DECANT_VERSION));
    EXPECT_FALSE(QFileInfo::exists(scratch.libraryPath()));
}

struct LanguageCase {
    const char* name;
    const char* lang;
    const char* help;    // how --help begins
    const char* refusal; // what a call without paths says
};

class CommandLineLanguage : public testing::TestWithParam<LanguageCase> {};

// The texts follow the user's language; the exit status does not.
TEST_P(CommandLineLanguage, speaksTheLanguageOfTheLocale) {
    test::CliScratch scratch;
    scratch.setEnvironmentVariable("LC_ALL", {});
    scratch.setEnvironmentVariable("LC_MESSAGES", {});
    scratch.setEnvironmentVariable("LANGUAGE", {});
    scratch.setEnvironmentVariable("LANG", QString::fromLatin1(GetParam().lang));

    const auto help = test::runCli(scratch, {"--help"}, std::chrono::seconds(20));
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QString::fromUtf8(GetParam().help))) << help.out.toStdString();
    const auto refused = test::runCli(scratch, {}, std::chrono::seconds(20));
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(QString::fromUtf8(GetParam().refusal)))
        << refused.err.toStdString();
    // Qt's own words, for an option it does not know, are translated too.
    const auto unknown = test::runCli(scratch, {"--bogus", "x"}, std::chrono::seconds(20));
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err.contains("Unknown option"), GetParam().lang == QLatin1String("C.UTF-8"))
        << unknown.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Locales, CommandLineLanguage,
    testing::Values(LanguageCase{"English", "C.UTF-8", "Usage: decant-cli [options] PATH...\n",
                                 "No FLAC files or folders given."},
                    LanguageCase{"German", "de_DE.UTF-8", "Aufruf: decant-cli [Optionen] PFAD",
                                 "Keine FLAC-Dateien oder Ordner angegeben."},
                    LanguageCase{"French", "fr_FR.UTF-8", "Usage : decant-cli [options] CHEMIN",
                                 "Aucun fichier FLAC ni dossier indiqué."}),
    [](const testing::TestParamInfo<LanguageCase>& info) { return info.param.name; });

} // namespace
} // namespace decant
