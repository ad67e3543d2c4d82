#include <gtest/gtest.h>

#include "e2e_fixture.h"
#include "version.h"

namespace {

const std::vector<std::string> kUsage = {
    "Uploads data and setups KVX device into streaming mode according to provided playlist files.",
    "",
    "Required parameters: --playlist OR --scenario OR --play:",
    "  --playlist [VALUE]\t\tSpecifies file path to playlist file.",
    "  --scenario [VALUE]\t\tSpecifies file path to scenario file.",
    "  --play\t\t\tStarts playback with previously loaded content.",
    "",
    "Optional parameters:",
    "  --source-sn [SN]\t\tSerial number of the Source device.",
    "  --verbose\t\t\tTurns on verbose logging.",
    "  --check\t\t\tChecks the scenarios without a device; uploads nothing.",
    "  --preview [DIR]\t\tWrites each frame as the device will get it into DIR (with --check).",
    "  --sink [FILE]\t\tChecks each scenario against the sink's EDID in FILE (with --check).",
    "  --report [FILE]\t\tWrites a JUnit XML report of the run into FILE.",
    "  --list-devices\t\tLists the devices and outputs the library reports.",
    "",
    "Test automation parameters:",
    "  --sink-sn [SN]\t\tSerial number of the Sink device.",
    "  --capture-folder [VALUE]\tSpecifies file path to store captured content.",
    "  --interface [INF]\t\tHDMI or DisplayPort.",
    "  --reset-sink-before-capture\tResets the Sink device when starting capture application.",
    "",
};

std::vector<std::string> AfterBanner(const std::vector<std::string>& lines) {
    return lines.size() < 3 ? lines : std::vector<std::string>(lines.begin() + 3, lines.end());
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

using EntryPoint = ProgramTest;

TEST_F(EntryPoint, NoArgumentsPrintBannerAndUsage) {
    EXPECT_EQ(Run("").exitCode, 1);
    const auto lines = Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string("Tavrel command line utility, version ") + TAVREL_VERSION);
    EXPECT_EQ(lines[1].rfind("Binary build date: ", 0), 0u);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(AfterBanner(lines), kUsage);
    // Every line also reaches the log file in the current folder.
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    EXPECT_EQ(LogFileText(), text);
}

TEST_F(EntryPoint, HelpKeysExitZero) {
    for (const std::string& arguments :
         {std::string("-h"), ShellQuote("/?"), std::string("--help --playlist x.ini"),
          std::string("bare -h")}) {
        EXPECT_EQ(Run(arguments).exitCode, 0) << arguments;
        EXPECT_EQ(AfterBanner(Lines()), kUsage) << arguments;
    }
}

TEST_F(EntryPoint, BareWordsOnlyAreLikeNoArguments) {
    EXPECT_EQ(Run("playlist.ini").exitCode, 1);
    EXPECT_EQ(AfterBanner(Lines()), kUsage);
}

TEST_F(EntryPoint, MissingFilesAndInvalidKeys) {
    struct Case {
        const char* arguments;
        std::vector<std::string> head;
    } cases[] = {
        {"--playlist missing.ini", {"Playlist file missing.ini does not exist!", ""}},
        {"--scenario s.txt --interface HDMI", {"Scenario file s.txt does not exist!", ""}},
        {"--play", {"Incorrect or absent required keys!", ""}},
        {"--playlist --verbose", {"Incorrect or absent required keys!", ""}},
        {"--playlist p.ini --scenario s.txt --interface HDMI",
         {"Incorrect or absent required keys!", ""}},
        {"--list-devices --source-sn 7", {"Incorrect or absent required keys!", ""}},
        {"--playlist p.ini --report", {"Incorrect or absent required keys!", ""}},
        {"--check --edid", {"Incorrect or absent required keys!", ""}},
        {"--playlist p.ini --check --play", {"Incorrect or absent required keys!", ""}},
        {"--playlist p.ini --sink s.bin", {"Incorrect or absent required keys!", ""}},
        // A typo never acts, however valid the rest is; the first in command-line order.
        {"--playlist p.ini --chek --reprot r.xml", {"Unknown key '--chek'.", ""}},
        {"--scenario s.txt --interface HDMI --source-sn -5", {"Unknown key '-5'.", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.arguments).exitCode, 1) << c.arguments;
        EXPECT_EQ(AfterBanner(Lines()), Concat(c.head, kUsage)) << c.arguments;
        EXPECT_TRUE(Trace().empty()) << c.arguments;
    }
}

TEST_F(EntryPoint, FolderPassesTheExistenceCheck) {
    folder.write("lists/placeholder", "");
    EXPECT_EQ(Run("--playlist lists").exitCode, 1);
    EXPECT_TRUE(HasLine("Success: Initialized Corvane."));
    EXPECT_TRUE(HasLine("Failed loading playlist!"));
}

TEST_F(EntryPoint, LibraryThatCannotStart) {
    folder.write("p.ini", "");
    EXPECT_EQ(Run("--playlist p.ini", DefaultProfileWith("fail-init = 1\n")).exitCode, 1);
    EXPECT_EQ(Lines().back(), "Fatal: Could not find/initialize HLX Library. Quitting");
    EXPECT_EQ(Trace(), std::vector<std::string>{"HLX_Init(0) = -1"});
}

TEST_F(EntryPoint, LibraryThatCannotCloseKeepsTheModeResult) {
    folder.write("p.ini", "");
    EXPECT_EQ(Run("--playlist p.ini", DefaultProfileWith("fail-clean = 1\n")).exitCode, 1);
    EXPECT_EQ(Lines().back(), "Fatal: Could not properly close HLX Library");
}

}  // namespace
