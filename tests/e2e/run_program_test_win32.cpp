#include <gtest/gtest.h>

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
