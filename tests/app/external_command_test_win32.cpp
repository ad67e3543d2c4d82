#include <gtest/gtest.h>

#include "app/external_command.h"

namespace {

TEST(ExternalCommand, ReturnsTheExitCodeAndReadsAllOutput) {
    std::string output;
    EXPECT_EQ(RunExternalCommand("exit 3", output), 3);
    // Several kilobytes: the child never blocks on a full pipe. CR LF arrives as LF.
    EXPECT_EQ(
        RunExternalCommand(
            "for /l %i in (1,1,400) do @echo 0123456789012345678901234567890123456789", output),
        0);
    EXPECT_EQ(output.size(), 400u * 41u);
    EXPECT_EQ(output.substr(0, 41), "0123456789012345678901234567890123456789\n");
}

TEST(ExternalCommand, StarAndQuotesArePassedAsTheyStand) {
    std::string output;
    EXPECT_EQ(RunExternalCommand("echo -sn * -d \"D:\\cap folder\"", output), 0);
    EXPECT_EQ(output, "-sn * -d \"D:\\cap folder\"\n");
}

TEST(ExternalCommand, UnknownProgramFails) {
    std::string output;
    EXPECT_NE(RunExternalCommand("tavrel_no_such_program.exe -v", output), 0);
    EXPECT_EQ(output, "");
}

}  // namespace
