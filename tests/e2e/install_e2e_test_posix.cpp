#include <gtest/gtest.h>

#include "e2e_fixture.h"
#include "files/paths.h"

namespace {

using Installed = ProgramTest;

TEST_F(Installed, PlaysAScenarioFromItsPrefix) {
    const std::string prefix = folder.path() + "/prefix";
    const ProgramRun install =
        RunProgram(ShellQuote(TAVREL_CMAKE_COMMAND) + " --install " +
                       ShellQuote(TAVREL_BINARY_DIR) + " --prefix " + ShellQuote(prefix),
                   "", {}, true);
    ASSERT_EQ(install.exitCode, 0) << install.output;
    for (const char* file :
         {"lib/tavrelcmd/libHLX.so", "bin/tavrel-content", "share/doc/tavrelcmd/README.md",
          "share/doc/tavrelcmd/copyright", "share/man/man1/tavrel-content.1.gz",
          "share/doc/tavrelcmd/docs/simulator.md", "share/tavrelcmd/examples/demo/playlist.ini"}) {
        EXPECT_TRUE(fileExists(prefix + "/" + file)) << file;
    }
    const std::string program = ShellQuote(prefix + "/bin/TavrelCmd");
    // The installed program takes the installed library, not the build folder's.
    const std::string libraries = RunProgram("ldd " + program, "").output;
    EXPECT_NE(libraries.find(prefix + "/bin/../lib/tavrelcmd/libHLX.so"), std::string::npos)
        << libraries;
    EXPECT_EQ(RunProgram(program + " --help", folder.path()).exitCode, 0);

    DemoContent::Write(folder, 64, 4, 3);
    folder.write("s1.txt", ScenarioText());
    const ProgramRun run =
        RunProgram(program + " --scenario s1.txt --interface HDMI", folder.path());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Upload succeeded!"), std::string::npos);
}

}  // namespace
