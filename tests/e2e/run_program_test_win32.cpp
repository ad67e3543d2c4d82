#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "run_program.h"
#include "support.h"

TEST(RunProgram, CapturesOutputAndExitCodeInTheFolderWithTheEnvironment) {
    TempFolder folder;
    folder.write("marker.txt", "here\n");
    const ProgramRun run = RunProgram("type marker.txt&echo %GREETING%&exit /b 3", folder.path(),
                                      {{"GREETING", "it's me"}});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(OutputLines(run.output), (std::vector<std::string>{"here", "it's me"}));
}

TEST(RunProgram, StandardErrorOnlyWhenAsked) {
    EXPECT_EQ(RunProgram("echo out&echo err>&2", "", {}, true).output, "out\nerr\n");
    EXPECT_EQ(RunProgram("echo out&echo err>&2", "", {}, false).output, "out\n");
}

TEST(RunProgram, EnvironmentIsPutBackAfterTheRun) {
    RunProgram("exit /b 0", "", {{"TAVREL_RUN_PROGRAM_PROBE", "set"}});
    EXPECT_EQ(std::getenv("TAVREL_RUN_PROGRAM_PROBE"), nullptr);
}

TEST(ShellQuote, KeepsBackslashesAndEscapesQuotesForTheRuntime) {
    const std::pair<const char*, const char*> cases[] = {
        {R"(C:\dir\TavrelCmd.exe)", R"("C:\dir\TavrelCmd.exe")"},
        {R"(D:\cap folder\)", R"("D:\cap folder\\")"},
        {R"(say "hi")", R"("say \"hi\"")"},
        {R"(a\"b)", R"("a\\\"b")"},
        {"", R"("")"},
    };
    for (const auto& [text, quoted] : cases) EXPECT_EQ(ShellQuote(text), quoted) << text;
}

TEST(RunBoundedProgram, StopsTheChildAtTheTimeLimitAndFoldsInErrors) {
    const auto start = std::chrono::steady_clock::now();
    // A step of 0 counts for ever.
    const ProgramRun run =
        RunBoundedProgram("echo err>&2&for /l %i in (1,0,2) do @rem", "", {}, RunLimits{1, 0});
    EXPECT_EQ(run.exitCode, kTimedOut);
    EXPECT_EQ(run.output, "err\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_EQ(RunBoundedProgram("exit /b 5", "", {}, RunLimits{60, 0}).exitCode, 5);
}
