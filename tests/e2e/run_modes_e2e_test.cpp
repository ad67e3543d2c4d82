#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "e2e_fixture.h"

namespace {

const char* const kDevice = "serialnumber=SIM0001\nconnectortype=HDMI Out\n";
const char* const kWarning =
    "WARNING: No specific serial number was specified. Using device KVX-4 [SIM0001] / HDMI TX as "
    "source.";

const char* const kNeedsShell = "the stand-in capture program and the commands are shell scripts";

class RunModes : public ProgramTest {
  protected:
    void SetUp() override {
        DemoContent::Write(folder, 64, 4, 3);
        folder.write("s1.txt", ScenarioText());
    }
    // A stand-in capture program on PATH that records its arguments in capture.txt.
    Environment CaptureProgram() {
        const std::string script =
            folder.write("bin/Quillet.exe", "#!/bin/sh\necho \"$@\" >> \"$CAPTURE_LOG\"\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        return {{"PATH", folder.path() + "/bin:" + (path ? path : "/usr/bin:/bin")},
                {"CAPTURE_LOG", folder.path() + "/capture.txt"}};
    }
    // A shell line in which $T names the program.
    ProgramRun Shell(const std::string& line) {
        return RunProgram("T=" + ShellQuote(TAVREL_CMD_PATH) + "; " + line, folder.path());
    }
};

TEST_F(RunModes, PlaylistPlaysEveryScenarioAndEnds) {
    folder.write("p.ini",
                 PlaylistText(kDevice, {"path=s1.txt\nperiod=0\n", "path=s1.txt\nperiod=5\n"}));
    EXPECT_EQ(Run("--playlist p.ini").exitCode, 0);
    EXPECT_TRUE(HasInOrder(
        {"Success: Initialized Corvane.", kWarning, "Loading scenario #1 (0 ms).",
         "Timings:", "    hactive: 64; vactive: 4", "Upload succeeded!",
         "Starting the scenario play.", "Playing content for 0 msec.",
         "Loading scenario #2 (5 ms).", "Playing content for 5 msec.", "Playlist has ended."}));
    EXPECT_EQ(Lines().back(), "Playlist has ended.");
    EXPECT_TRUE(TraceHas("HLX_TS_SetConfigItem(0x5002B00E, 12, 302d323a34303a303a323536) = 0"));
    EXPECT_TRUE(TraceHas("HLX_Clean() = 0"));
}

TEST_F(RunModes, PlaylistWithoutSerialNumberFailsEvenWithSourceSn) {
    folder.write("p.ini", PlaylistText("connectortype=HDMI Out\n", {"path=s1.txt\n"}));
    EXPECT_EQ(Run("--playlist p.ini --source-sn SIM0001").exitCode, 1);
    EXPECT_EQ(Lines()[Lines().size() - 2], "Failed loading playlist!");
}

TEST_F(RunModes, CaptureCommandNeedsFolderSinkAndInterface) {
    if (!HasPosixShell()) GTEST_SKIP() << kNeedsShell;
    folder.write("p.ini", PlaylistText(kDevice, {"path=s1.txt\nperiod=0\n"}));
    EXPECT_EQ(Run("--playlist p.ini --capture-folder cap --sink-sn 1234 --interface HDMI", "",
                  CaptureProgram())
                  .exitCode,
              0);
    EXPECT_TRUE(
        HasLine("Calling external application with command: Quillet.exe -v -e -a -n 120 "
                "-sn 1234 -p HDMI -d \"cap\"."));
    EXPECT_EQ(ReadFileText(folder.path() + "/capture.txt"),
              "-v -e -a -n 120 -sn 1234 -p HDMI -d cap\n");

    EXPECT_EQ(
        Run("--playlist p.ini --capture-folder cap --sink-sn 1234", "", CaptureProgram()).exitCode,
        0);
    EXPECT_FALSE(HasInOrder({"Upload succeeded!",
                             "Calling external application with command: "
                             "Quillet.exe -v -e -a -n 120 -sn 1234 -d \"cap\"."}));
    for (const auto& line : Lines()) EXPECT_EQ(line.find("Calling external"), std::string::npos);
}

TEST_F(RunModes, CaptureWithoutSinkSerialPassesTheStar) {
    if (!HasPosixShell()) GTEST_SKIP() << kNeedsShell;
    folder.write("p.ini", PlaylistText(kDevice, {"path=s1.txt\nperiod=0\n"}));
    EXPECT_EQ(Run("--playlist p.ini --capture-folder cap --interface HDMI", "", CaptureProgram())
                  .exitCode,
              0);
    EXPECT_EQ(ReadFileText(folder.path() + "/capture.txt"),
              "-v -e -a -n 120 -sn * -p HDMI -d cap\n");
}

TEST_F(RunModes, EntryCommandWinsAndItsFailureEndsTheRun) {
    if (!HasPosixShell()) GTEST_SKIP() << kNeedsShell;
    folder.write(
        "p.ini",
        PlaylistText(kDevice, {"path=s1.txt\nperiod=0\nexecute-after-upload=seq 1 3000\n",
                               "path=s1.txt\nexecute-after-upload=exit 3\n", "path=s1.txt\n"}));
    EXPECT_EQ(Run("--playlist p.ini --capture-folder cap --sink-sn 1 --interface HDMI", "",
                  CaptureProgram())
                  .exitCode,
              1);
    EXPECT_TRUE(HasInOrder({"Calling external application with command: seq 1 3000.",
                            "Playing content for 0 msec.",
                            "Calling external application with command: exit 3.",
                            "Calling external application failed with error code: 3."}));
    EXPECT_EQ(Lines().back(), "Calling external application failed with error code: 3.");
    EXPECT_FALSE(HasLine("1"));  // the child's output is not logged
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/capture.txt"));
}

TEST_F(RunModes, CloseAfterUploadEndsTheRunEarly) {
    folder.write("p.ini",
                 PlaylistText(kDevice, {"path=s1.txt\n", "path=s1.txt\nclose-after-upload=1\n",
                                        "path=s1.txt\n"}));
    EXPECT_EQ(Run("--playlist p.ini").exitCode, 0);
    EXPECT_EQ(Lines().back(), "Closing after upload.");
    EXPECT_FALSE(HasLine("Loading scenario #3 (0 ms)."));
    EXPECT_FALSE(HasLine("Playlist has ended."));
}

TEST_F(RunModes, PlayWithAPlaylistUploadsNothing) {
    folder.write("p.ini", PlaylistText(kDevice, {"path=s1.txt\n"}));
    EXPECT_EQ(Run("--playlist p.ini --play").exitCode, 0);
    EXPECT_EQ(Lines().back(), "Playback started: Success");
    EXPECT_FALSE(HasLine("Loading scenario #1 (0 ms)."));
    EXPECT_FALSE(TraceHas("(0x00000883,"));
    EXPECT_TRUE(TraceHas("HLX_TS_SetConfigItem(0x5002B000, 4, 02000000) = 0"));
}

TEST_F(RunModes, DisplayPortBandwidthShortageStopsThePlaylist) {
    folder.write("big.txt",
                 "timing.hactive=3840\ntiming.vactive=2160\ntiming.htotal=4400\n"
                 "timing.vtotal=2250\ntiming.frate=60000\ncolorspace=RGB444\n"
                 "bitspercolor=16\nvideo=content\\f000.bin\n");
    folder.write("p.ini", PlaylistText("serialnumber=SIM0001\nconnectortype=DisplayPort Out\n",
                                       {"path=big.txt\n", "path=s1.txt\n"}));
    EXPECT_EQ(Run("--playlist p.ini").exitCode, 1);
    EXPECT_TRUE(HasInOrder({"Not enough bandwidth for specified timings!",
                            "Available: 16761 Mbps (LC=4,BR=5400), requested: 28512 Mbps."}));
    EXPECT_EQ(Lines().back(), "Available: 16761 Mbps (LC=4,BR=5400), requested: 28512 Mbps.");
    EXPECT_FALSE(HasLine("Loading scenario #2 (0 ms)."));
}

TEST_F(RunModes, ResetReopensTheDeviceAfterThePlaylist) {
    folder.write("p.ini", PlaylistText(std::string(kDevice) + "reset=1\n", {"path=s1.txt\n"}));
    EXPECT_EQ(Run("--playlist p.ini").exitCode, 0);
    EXPECT_TRUE(TraceHas("HLX_TS_SetConfigItem(0x0FF00008, 4, 03000000) = 0"));
    EXPECT_TRUE(TraceHas("HLX_DEV_Deselect(0) = 0"));
    EXPECT_EQ(Lines().back(), "Playlist has ended.");
}

TEST_F(RunModes, ScenarioModeOpensByInterfaceAndMarksHdmi) {
    EXPECT_EQ(Run("--scenario s1.txt --interface HDMI").exitCode, 0);
    EXPECT_TRUE(HasInOrder({kWarning, "Upload succeeded!"}));
    // HDMI outputs take the image size in the HDMI registers (3091 + 4096).
    EXPECT_TRUE(TraceHas("HLX_TS_SetConfigItem(0x0FF00000, 4, 131c0000) = 0"));
    EXPECT_TRUE(TraceHas("HLX_TS_SetConfigItem(0x5002B000, 4, 01000000) = 0"));
}

TEST_F(RunModes, ScenarioModeSaysWhyItFailed) {
    folder.write("zero.txt", "video=content\\f000.bin\n");
    EXPECT_EQ(Run("--scenario zero.txt --interface HDMI").exitCode, 1);
    EXPECT_EQ(Lines().back(), "No timings specified in the scenario!");
    // A file that gives no scenario is named as a playlist run names it, before any device
    // call; the reader's own line is enough where it names the file.
    MakeFolder(folder, "zero.txt");
    EXPECT_EQ(Run("--scenario zero.txt --interface HDMI").exitCode, 1);
    EXPECT_EQ(Lines().back(),
              "Scenario file zero.txt cannot be read: it is not a file that can be read.");
    EXPECT_EQ(Trace(), (std::vector<std::string>{"HLX_Init(0) = 0", "HLX_Clean() = 0"}));
    folder.write("number.txt", "perod=1\ntiming.hactive=x\n");
    EXPECT_EQ(Run("--scenario number.txt --interface HDMI").exitCode, 1);
    EXPECT_EQ(Lines()[Lines().size() - 2],
              "Invalid number 'x' for key 'timing.hactive' in number.txt, line 2.");
    EXPECT_EQ(Lines().back(), "WARNING: unknown key 'perod' in number.txt, line 1: it is ignored.");
}

TEST_F(RunModes, ScenarioModeWithoutTheDevice) {
    const std::string profile =
        "[device]\nname = KVX-4 [SIM0002] / DisplayPort TX\nflags = 16\noutputs = DisplayPort TX\n"
        "[generator]\nmemory = 1073741824\n";
    EXPECT_EQ(Run("--scenario s1.txt --interface HDMI", profile).exitCode, 1);
    EXPECT_TRUE(HasInOrder({"Failed opening device '*' for 'HDMI TX'.", ""}));
}

TEST_F(RunModes, PlayOnlyScenarioModeDoesNotReadTheFile) {
    folder.write("garbage.txt", std::string("\x01\x02timing.hactive=x\n"));
    EXPECT_EQ(Run("--scenario garbage.txt --interface HDMI --play").exitCode, 0);
    EXPECT_EQ(Lines().back(), "Playback started: Success");
    EXPECT_TRUE(TraceHas("HLX_TS_SetConfigItem(0x00000703, 4, 02000000) = 0"));
}

TEST_F(RunModes, PipedFilesAndAClosedConsoleStillPlayToTheEnd) {
    if (!HasPosixShell()) GTEST_SKIP() << kNeedsShell;
    folder.write("p.txt", PlaylistText(kDevice, {"path=s.fifo\nperiod=300\n"}));
    Shell(
        "mkfifo p.ini s.fifo && (cat p.txt > p.ini &) && (cat s1.txt > s.fifo &) && "
        "($T --playlist p.ini; echo $? > rc.txt) | head -1");
    EXPECT_EQ(ReadFileText(folder.path() + "/rc.txt"), "0\n");
    EXPECT_TRUE(LogFileText().ends_with("Playlist has ended.\n"));
}

TEST_F(RunModes, CaptureValuesArriveWhole) {
    if (!HasPosixShell()) GTEST_SKIP() << kNeedsShell;
    const Environment capture = CaptureProgram();
    folder.write("bin/Quillet.exe", "#!/bin/sh\nprintf '%s|' \"$@\" > \"$CAPTURE_LOG\"\n");
    folder.write("p.ini", PlaylistText(kDevice, {"path=s1.txt\n"}));
    Run("--playlist p.ini --capture-folder 'my cap\\' --sink-sn \"it's *\" --interface HDMI", "",
        capture);
    EXPECT_EQ(ReadFileText(folder.path() + "/capture.txt"),
              "-v|-e|-a|-n|120|-sn|it's *|-p|HDMI|-d|my cap\\|");
}

TEST_F(RunModes, ThePlaylistExampleOfTheDocsPlays) {
    const std::string doc = ReadFileText(TAVREL_SOURCE_DIR "/docs/file-formats.md");
    const size_t start = doc.find("copied as it stands:") + 20;
    folder.write("p.ini", doc.substr(start, doc.find("\n|", start) - start));
    folder.write("scenario1.txt", ScenarioText());
    EXPECT_EQ(Run("--playlist p.ini").exitCode, 0);
    EXPECT_EQ(Lines().back(), "Playlist has ended.");
}

}  // namespace
