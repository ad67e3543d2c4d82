// The frame upload's progress line: shown on a terminal, absent from a pipe and the log.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include "e2e_fixture.h"

namespace {

// Runs the program in `folder` with all standard streams on a pseudo-terminal; returns
// what the terminal received.
std::string RunOnTerminal(const std::string& folder, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), TAVREL_CMD_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        if (chdir(folder.c_str()) == 0) execv(argv[0], argv.data());
        _exit(127);
    }
    std::string shown;
    if (child < 0) return shown;
    char chunk[4096];
    ssize_t got;
    // The read fails (EIO) once the program has ended and closed the terminal.
    while ((got = read(terminal, chunk, sizeof chunk)) > 0) shown.append(chunk, got);
    close(terminal);
    waitpid(child, nullptr, 0);
    return shown;
}

class Progress : public ProgramTest {
  protected:
    void SetUp() override {
        DemoContent::Write(folder, 64, 4, 3);
        folder.write("s1.txt", ScenarioText());
    }
};

TEST_F(Progress, OnATerminalOnlyAndNeverInTheLog) {
    const std::string shown =
        RunOnTerminal(folder.path(), {"--scenario", "s1.txt", "--interface", "HDMI"});
    EXPECT_NE(shown.find("\rUploading frames 3/3, "), std::string::npos) << shown;
    EXPECT_NE(shown.find("Upload succeeded!"), std::string::npos);
    EXPECT_EQ(LogFileText().find("Uploading frames"), std::string::npos);

    const ProgramRun piped =
        RunProgram(ShellQuote(TAVREL_CMD_PATH) + " --scenario s1.txt --interface HDMI",
                   folder.path(), {}, true);
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_EQ(piped.output.find("Uploading frames"), std::string::npos);
    EXPECT_EQ(piped.output.find('\r'), std::string::npos);
}

}  // namespace
