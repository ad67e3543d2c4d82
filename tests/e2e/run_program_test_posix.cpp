#include "run_program.h"

#include <gtest/gtest.h>

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
