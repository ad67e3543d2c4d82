#include <gtest/gtest.h>

#include <chrono>

#include "run_program.h"
#include "support.h"

TEST(RunProgram, CapturesOutputAndExitCodeInTheFolderWithTheEnvironment) {
    TempFolder folder;
    folder.write("marker.txt", "here\n");
    const ProgramRun run = RunProgram("cat marker.txt; echo \"$GREETING\"; exit 3", folder.path(),
                                      {{"GREETING", "it's me"}});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(OutputLines(run.output), (std::vector<std::string>{"here", "it's me"}));
}

TEST(RunProgram, StandardErrorOnlyWhenAsked) {
    EXPECT_EQ(RunProgram("echo out; echo err >&2", "", {}, true).output, "out\nerr\n");
    EXPECT_EQ(RunProgram("echo out; echo err 1>&2", "", {}, false).output, "out\n");
}

TEST(RunBoundedProgram, StopsTheChildAtTheTimeLimitAndFoldsInErrors) {
    const auto start = std::chrono::steady_clock::now();
    const ProgramRun run =
        RunBoundedProgram("sh -c 'echo err >&2; sleep 30'", "", {}, RunLimits{1, 0});
    EXPECT_EQ(run.exitCode, kTimedOut);
    EXPECT_EQ(run.output, "err\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(RunBoundedProgram("sh -c 'exit 5'", "", {}, RunLimits{60, 0}).exitCode, 5);
}
