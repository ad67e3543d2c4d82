#include "app/options.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "app/entry.h"
#include "sim_device.h"
#include "support.h"
#include "version.h"

namespace {

ArgumentMap Arguments(std::vector<const char*> args) {
    args.insert(args.begin(), "TavrelCmd");
    return ArgumentMap(static_cast<int>(args.size()), args.data());
}

TEST(ArgumentMapTest, KeysValuesAndTheFirstOccurrence) {
    const ArgumentMap map = Arguments({"--playlist", "a.txt", "--playlist", "b.txt", "bare", "/?",
                                       "--source-sn", "-5", "--edid", "", "--verbose"});
    std::string value;
    EXPECT_TRUE(map.valueOf("--playlist", value));
    EXPECT_EQ(value, "a.txt");
    EXPECT_TRUE(map.has("/?"));
    EXPECT_TRUE(map.has("-5"));
    EXPECT_TRUE(map.has("--source-sn"));
    EXPECT_FALSE(map.valueOf("--source-sn", value));
    EXPECT_FALSE(map.has("bare"));
    EXPECT_TRUE(map.has("--edid"));  // its value was the empty argument
    EXPECT_FALSE(map.valueOf("--edid", value));
    EXPECT_TRUE(map.has("--verbose"));
    EXPECT_FALSE(map.has(""));
    EXPECT_FALSE(map.valueOf("", value));
}

TEST(ArgumentMapTest, BareArgumentsMakeNoKeys) {
    EXPECT_TRUE(Arguments({"playlist.ini", "x"}).empty());
    EXPECT_TRUE(Arguments({}).empty());
}

struct ValidityCase {
    std::vector<const char*> args;
    bool valid;
};

TEST(ParseOptionsTest, ValidityRule) {
    const ValidityCase cases[] = {
        {{"--playlist", "p.ini"}, true},
        {{"--scenario", "s.txt", "--interface", "HDMI"}, true},
        {{"--scenario", "s.txt"}, false},
        {{"--playlist", "p.ini", "--scenario", "s.txt", "--interface", "HDMI"}, false},
        {{"--playlist", "p.ini", "--scenario", "s.txt", "--interface", "HDMI", "--edid"}, true},
        {{"--play"}, false},
        {{"--playlist", "--verbose"}, false},
        {{"--edid"}, true},
        {{"--scenario", "s.txt", "--interface", "HDMI", "--play"}, true},
        {{"--list-devices"}, true},
        {{"--list-devices", "--verbose"}, false},
        {{"--list-devices", "--playlist", "p.ini"}, false},
        {{"--playlist", "p.ini", "--report", "r.xml"}, true},
        {{"--scenario", "s.txt", "--interface", "HDMI", "--check", "--report", "r.xml"}, true},
        {{"--playlist", "p.ini", "--report"}, false},
        {{"--playlist", "p.ini", "--report", "r.xml", "--play"}, false},
        {{"--edid", "--report", "r.xml"}, false},
        {{"--report", "r.xml"}, false},
        {{"--playlist", "p.ini", "--check", "--play"}, false},
        {{"--playlist", "p.ini", "--check", "--edid"}, false},
        {{"--playlist", "p.ini", "--check", "--preview", "out"}, true},
        {{"--playlist", "p.ini", "--preview", "out"}, false},
        {{"--playlist", "p.ini", "--check", "--preview"}, false},
    };
    for (const ValidityCase& c : cases) {
        CommandLineOptions options;
        EXPECT_EQ(ParseOptions(Arguments(c.args), options), c.valid) << c.args.size();
    }
}

TEST(ParseOptionsTest, DefaultsAndValues) {
    CommandLineOptions options;
    ASSERT_TRUE(ParseOptions(Arguments({"--playlist", "p.ini", "--sink-sn", "--capture-folder",
                                        "cap", "--reset-sink-before-capture", "--play"}),
                             options));
    EXPECT_EQ(options.playlist, "p.ini");
    EXPECT_EQ(options.sourceSerialNumber, "*");
    EXPECT_EQ(options.sinkSerialNumber, "*");
    EXPECT_EQ(options.captureFolder, "cap");
    EXPECT_TRUE(options.resetSinkBeforeCapture);
    EXPECT_TRUE(options.play);
    EXPECT_TRUE(options.edidPath.empty());

    ASSERT_TRUE(ParseOptions(Arguments({"--edid", "--playlist", "p.ini"}), options));
    EXPECT_EQ(options.edidPath, "Edid.bin");
    EXPECT_TRUE(options.interface.empty());
    ASSERT_TRUE(ParseOptions(Arguments({"--edid", "out.bin", "--source-sn", "42"}), options));
    EXPECT_EQ(options.edidPath, "out.bin");
    EXPECT_EQ(options.sourceSerialNumber, "42");

    ASSERT_TRUE(ParseOptions(
        Arguments({"--playlist", "p.ini", "--check", "--report", "r.xml", "--preview", "pics"}),
        options));
    EXPECT_EQ(options.reportPath, "r.xml");
    EXPECT_EQ(options.previewFolder, "pics");
    ASSERT_TRUE(ParseOptions(Arguments({"--list-devices"}), options));
    EXPECT_TRUE(options.listDevices);
}

TEST(UsageText, TwentyTwoLinesWithTabs) {
    LogCapture capture;
    PrintUsage();
    ASSERT_EQ(capture.lines.size(), 22u);
    EXPECT_EQ(capture.lines[0],
              "Uploads data and setups KVX device into streaming mode according to provided "
              "playlist files.");
    EXPECT_EQ(capture.lines[5], "  --play\t\t\tStarts playback with previously loaded content.");
    EXPECT_EQ(capture.lines[10],
              "  --check\t\t\tChecks the scenarios without a device; uploads nothing.");
    EXPECT_EQ(capture.lines[12],
              "  --sink [FILE]\t\tChecks each scenario against the sink's "
              "EDID in FILE (with --check).");
    EXPECT_EQ(capture.lines[14],
              "  --list-devices\t\tLists the devices and outputs the library reports.");
    EXPECT_EQ(capture.lines[18],
              "  --capture-folder [VALUE]\tSpecifies file path to store captured content.");
    EXPECT_EQ(capture.lines[21], "");
}

TEST(VersionBanner, VersionBuildDateAndEmptyLine) {
    LogCapture capture;
    PrintVersionBanner();
    ASSERT_EQ(capture.lines.size(), 3u);
    EXPECT_EQ(capture.lines[0],
              std::string("Tavrel command line utility, version ") + TAVREL_VERSION);
    EXPECT_EQ(capture.lines[1].rfind("Binary build date: ", 0), 0u);
    EXPECT_EQ(capture.lines[1].size(),
              std::string("Binary build date: Feb 10 2021 12:16:55").size());
    EXPECT_EQ(capture.lines[2], "");
}

TEST(Entry, AnExceptionIsLoggedAndTheLibraryStillReleased) {
    SimDevice sim;
    LogCapture log;
    EXPECT_EQ(RunWithLibrary([]() -> bool { throw std::runtime_error("out of memory"); }), 1);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Fatal: out of memory"});
    EXPECT_EQ(sim.trace(), std::vector<std::string>{"HLX_Clean() = 0"});
}

}  // namespace
