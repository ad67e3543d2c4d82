// The program run with "--edid" against the simulated generator.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/run_program.h"
#include "edid/edid_builder.h"
#include "files/paths.h"
#include "support.h"

using namespace edidtest;

namespace {

const char kDevice[] =
    "[device]\nname = KVX-4 [SIM0001] / HDMI TX\nflags = "
    "16\noutputs = HDMI TX\n";

// One HDMI transmitter whose sink declares a Dolby VSVDB; `extra` adds
// generator keys.
std::string Profile(const std::string& extra = "") {
    EdidBuilder edid;
    edid.cta({Adb(), Vsvdb(12, 0x40)});
    return std::string(kDevice) + "[generator]\nedid-hex = " + HexWords(edid.bytes()) + "\n" +
           extra;
}

class EdidEndToEnd : public ::testing::Test {
  protected:
    ProgramRun run(const std::string& profile, const std::string& arguments) {
        const std::string profilePath = folder.write("sim.ini", profile);
        return RunProgram(ShellQuote(TAVREL_CMD_PATH) + " " + arguments, folder.path(),
                          {{"HLX_SIM_PROFILE", profilePath}});
    }
    static bool HasLine(const ProgramRun& run, const std::string& line) {
        const std::vector<std::string> lines = OutputLines(run.output);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    TempFolder folder;
};

}  // namespace

TEST_F(EdidEndToEnd, ReportsTheVsvdbAndWritesTheFile) {
    const ProgramRun result = run(Profile(), "--edid out.bin --interface HDMI");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_TRUE(HasLine(result, "VSVDB is present: EB 01 46 D0 00 40 40 40 40 40 40 40 "))
        << result.output;
    EXPECT_EQ(fileSize(folder.path() + "/out.bin"), 8192);
}

TEST_F(EdidEndToEnd, RefusedReadFails) {
    const ProgramRun result = run(Profile("fail-get = 4352\n"), "--edid out.bin --interface HDMI");
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_TRUE(HasLine(result, "Reading EDID failed!")) << result.output;
    EXPECT_FALSE(fileExists(folder.path() + "/out.bin"));
}

TEST_F(EdidEndToEnd, NoDeviceFailsToOpen) {
    const ProgramRun result = run("[generator]\nmemory = 1024\n", "--edid out.bin");
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_TRUE(HasLine(result, "Failed opening device '*' for ' TX'.")) << result.output;
}

TEST_F(EdidEndToEnd, WithoutAValueWritesEdidBinInTheCurrentFolder) {
    const ProgramRun result = run(Profile(), "--interface HDMI --edid");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(fileSize(folder.path() + "/Edid.bin"), 8192);
}
