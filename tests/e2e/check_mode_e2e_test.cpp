// The check mode end to end: problems per scenario, the summary line, the exit code, and
// no call of the device library at all.
#include <gtest/gtest.h>

#include "e2e_fixture.h"

namespace {

const char* const kDevice = "serialnumber=SIM0001\nconnectortype=HDMI Out\n";

class CheckMode : public ProgramTest {
  protected:
    void SetUp() override {
        DemoContent::Write(folder, 64, 4, 3);
        folder.write("good.txt", ScenarioText());
    }
};

TEST_F(CheckMode, EveryProblemUnderItsScenarioAndNoDeviceCall) {
    folder.write("bad/g000.bin", std::vector<uint8_t>(64 * 4 * 3));
    folder.write("bad/g001.bin", std::vector<uint8_t>(100));
    folder.write("size.txt", ScenarioText("video=bad\\g000.bin\nporder=0-1:40:0:256\n"));
    folder.write("step.txt", ScenarioText("porder=7:40:0:256\n"));
    folder.write("audio.txt", ScenarioText("audio=content\\gone.wav\nvidoe=x\n"));
    folder.write("p.ini",
                 PlaylistText(kDevice, {"path=good.txt\n", "path=size.txt\n", "path=step.txt\n",
                                        "path=audio.txt\n", "path=gone.txt\n", "path=good.txt\n"}) +
                     "perod=5\n");
    const ProgramRun run = Run("--playlist p.ini --check");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(HasInOrder(
        {"Playlist p.ini: 1 problem(s)", "  unknown key 'perod' in p.ini, line 16: it is ignored.",
         "Scenario #1 good.txt: OK", "  Link: 48000 -> 3G", "Scenario #2 size.txt: 1 problem(s)",
         "  Not expected image size 100 for 64x4, Bpp = 0", "  Failed to load bad\\g001.bin",
         "Scenario #3 step.txt: 1 problem(s)",
         "  Scenario: FATAL error, video frame 7 cannot be found",
         "Scenario #4 audio.txt: 2 problem(s)",
         "  unknown key 'vidoe' in audio.txt, line 17: it is ignored.",
         "  File gone.wav doesn't exist!", "Scenario #5 gone.txt: 1 problem(s)",
         "  Scenario file gone.txt cannot be read: it does not exist.", "Scenario #6 good.txt: OK",
         "Checked 6 scenarios: 4 with problems; 1 problem(s) in the playlist."}))
        << run.output;
    EXPECT_TRUE(Trace().empty());
}

TEST_F(CheckMode, GoodPlaylistPassesAndShowsWhatItNeeds) {
    folder.write("p.ini", PlaylistText(kDevice, {"path=good.txt\n", "path=good.txt\n"}));
    EXPECT_EQ(Run("--playlist p.ini --check").exitCode, 0);
    EXPECT_TRUE(
        HasInOrder({"Scenario #1 good.txt: OK", "  Memory blocks: 24576, 12288, 12288 bytes.",
                    "  Total data size: 49152 bytes.", "Scenario #2 good.txt: OK",
                    "Checked 2 scenarios: 0 with problems."}));
    EXPECT_TRUE(Trace().empty());
}

TEST_F(CheckMode, ScenarioWithoutTimingsOnDisplayPort) {
    DemoContent::WriteDisplayPortPacket(folder);
    std::string text = ScenarioText();
    text.erase(0, text.find("colorspace"));
    folder.write("s.txt", text);
    EXPECT_EQ(Run("--scenario s.txt --interface DisplayPort --check").exitCode, 1);
    EXPECT_TRUE(
        HasInOrder({"Scenario #1 s.txt: 1 problem(s)", "  No timings specified in the scenario!",
                    "Checked 1 scenarios: 1 with problems."}));
    folder.write("s.txt", ScenarioText());
    EXPECT_EQ(Run("--scenario s.txt --interface DisplayPort --check").exitCode, 0);
    EXPECT_TRUE(HasLine("  Link: requested 1 Mbps; the check against the link needs the device."));
    EXPECT_TRUE(Trace().empty());
}

TEST_F(CheckMode, ColourProblemsAndFramesAlikeCountOnce) {
    folder.write("c.txt", ScenarioText("colorspace=RGB\nbitspercolor=9\nloadingRGB=1,2\n"));
    EXPECT_EQ(Run("--scenario c.txt --interface HDMI --check").exitCode, 1);
    EXPECT_TRUE(
        HasInOrder({"Scenario #1 c.txt: 4 problem(s)",
                    "  WARNING: the loading colour '1,2' is not R,G,B: it is not shown.",
                    "  WARNING: unknown colour space 'RGB': the device gets its default, RGB444.",
                    "  WARNING: unsupported bits per colour 9: the device runs at 6 bits.",
                    "  Unsupported frame format RGB, Bpp = 3", "  Failed to load content\\f000.bin",
                    "  2 more frame(s) with this problem"}));
}

}  // namespace
