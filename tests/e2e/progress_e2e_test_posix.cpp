// The frame upload's progress line: shown on a terminal, absent from a pipe and the log.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "e2e_fixture.h"

namespace {

using namespace std::chrono_literals;

// Runs the program in `folder` with all standard streams on a pseudo-terminal (standard
// output into the file `output` instead, when one is named) and the simulator's profile
// `profile`, when one is named; returns what the terminal received. `pauses` receives the
// places in it where the program fell silent a while: the screen stood there as the text up
// to that point left it.
std::string RunOnTerminal(const std::string& folder, std::vector<std::string> arguments,
                          const std::string& output = "", const std::string& profile = "",
                          std::vector<size_t>* pauses = nullptr) {
    arguments.insert(arguments.begin(), TAVREL_CMD_PATH);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        if (!output.empty()) dup2(open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        if (!profile.empty()) setenv("HLX_SIM_PROFILE", profile.c_str(), 1);
        if (chdir(folder.c_str()) == 0) execv(argv[0], argv.data());
        _exit(127);
    }
    std::string shown;
    if (child < 0) return shown;
    char chunk[4096];
    ssize_t got;
    auto last = std::chrono::steady_clock::now();
    // The read fails (EIO) once the program has ended and closed the terminal.
    while ((got = read(terminal, chunk, sizeof chunk)) > 0) {
        const auto now = std::chrono::steady_clock::now();
        if (pauses && !shown.empty() && now - last > 10ms) pauses->push_back(shown.size());
        last = now;
        shown.append(chunk, got);
    }
    close(terminal);
    waitpid(child, nullptr, 0);
    return shown;
}

class Progress : public ProgramTest {
  protected:
    void SetUp() override {
        DemoContent::Write(folder, 64, 4, 40);
        folder.write("s1.txt", ScenarioText());
    }
};

TEST_F(Progress, OnATerminalOnlyAndNeverInTheLog) {
    const std::vector<std::string> arguments{"--scenario", "s1.txt", "--interface", "HDMI"};
    // A link of 40960 bytes a second: 25 ms a frame of 1024 bytes.
    const std::string profile =
        folder.write("profile.ini", DefaultProfileWith("write-rate = 40960\n"));
    std::vector<size_t> pauses;
    const std::string shown = RunOnTerminal(folder.path(), arguments, "", profile, &pauses);
    // 40 frames, each with its console line and the line drawn again below it, the last time
    // with the final count.
    const std::string draw = "\rUploading frames ";
    EXPECT_NE(shown.find(draw + "1/40, "), std::string::npos) << shown;
    size_t draws = 0;
    for (size_t at = shown.find(draw); at != std::string::npos; at = shown.find(draw, at + 1)) {
        ++draws;
    }
    EXPECT_EQ(draws, 40u) << shown;
    EXPECT_LT(shown.find(draw + "40/40, "), shown.find("Image upload succeeded!"));
    // While a frame is written the line stands on the screen: most pauses show it, whatever
    // the machine's load.
    const auto showing = std::ranges::count_if(pauses, [&](size_t pause) {
        return shown.compare(shown.rfind('\r', pause - 1), draw.size(), draw) == 0;
    });
    EXPECT_GE(showing, 20) << shown;
    EXPECT_NE(shown.find("Upload succeeded!"), std::string::npos);
    EXPECT_EQ(LogFileText().find("Uploading frames"), std::string::npos);

    // Standard output in a file (as with `| tee`): the line would break into its lines.
    const std::string beside = RunOnTerminal(folder.path(), arguments, folder.path() + "/out.txt");
    EXPECT_EQ(beside.find("Uploading frames"), std::string::npos) << beside;
    EXPECT_NE(ReadFileText(folder.path() + "/out.txt").find("Upload succeeded!"),
              std::string::npos);

    const ProgramRun piped =
        RunProgram(ShellQuote(TAVREL_CMD_PATH) + " --scenario s1.txt --interface HDMI",
                   folder.path(), {}, true);
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_EQ(piped.output.find("Uploading frames"), std::string::npos);
    EXPECT_EQ(piped.output.find('\r'), std::string::npos);
}

}  // namespace
