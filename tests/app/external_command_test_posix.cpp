#include <gtest/gtest.h>

#include "app/external_command.h"

namespace {

TEST(ExternalCommand, ReturnsTheExitCodeAndReadsAllOutput) {
    std::string output;
    EXPECT_EQ(RunExternalCommand("exit 3", output), 3);
    EXPECT_EQ(RunExternalCommand("i=0; while [ $i -lt 400 ]; do echo "
                                 "0123456789012345678901234567890123456789; i=$((i+1)); done",
                                 output),
              0);
    EXPECT_EQ(output.size(), 400u * 41u);
}

TEST(ExternalCommand, StarIsExpandedOnlyInTheUsersCommands) {
    std::string output;
    EXPECT_EQ(RunExternalCommand("echo -sn *", output, false), 0);
    EXPECT_EQ(output, "-sn *\n");
    EXPECT_EQ(RunExternalCommand("cd / && echo pro?", output), 0);
    EXPECT_EQ(output, "proc\n");
}

TEST(ExternalCommand, KilledChildCountsAsFailed) {
    std::string output;
    EXPECT_NE(RunExternalCommand("kill -9 $$", output), 0);
}

}  // namespace
