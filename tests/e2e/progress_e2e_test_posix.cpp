// The frame upload's progress line: shown on a terminal, absent from a pipe and the log.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "e2e_fixture.h"

namespace {

// What the terminal received, and where in it the program fell silent for a while: there
// the screen stood as the text up to that point left it.
struct Screen {
    std::string shown;
    std::vector<size_t> pauses;
};

// Runs the program in `folder` with all standard streams on a pseudo-terminal (standard
// output into the file `output` instead, when one is named), with the simulator's profile
// `profile` when one is named.
Screen RunOnTerminal(const std::string& folder, std::vector<std::string> arguments,
                     const std::string& output = "", const std::string& profile = "") {
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
    Screen screen;
    if (child < 0) return screen;
    char chunk[4096];
    ssize_t got;
    auto last = std::chrono::steady_clock::now();
    // The read fails (EIO) once the program has ended and closed the terminal.
    while ((got = read(terminal, chunk, sizeof chunk)) > 0) {
        const auto now = std::chrono::steady_clock::now();
        if (!screen.shown.empty() && now - last > std::chrono::milliseconds(10)) {
            screen.pauses.push_back(screen.shown.size());
        }
        last = now;
        screen.shown.append(chunk, got);
    }
    close(terminal);
    waitpid(child, nullptr, 0);
    return screen;
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
    const Screen paced = RunOnTerminal(folder.path(), arguments, "", profile);
    const std::string& shown = paced.shown;
    // Drawn again at once below each frame's line, the last time with the final count.
    const std::string draw = "\rUploading frames ";
    size_t at = 0;
    for (int frame = 1; frame <= 40; ++frame) {
        const std::string line = "f" + std::to_string(1000 + frame - 1).substr(1) + ".bin: 4 Bpp";
        at = shown.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << shown;
        at = shown.find(draw, at);
        const std::string count = draw + std::to_string(frame) + "/40, ";
        ASSERT_EQ(shown.compare(at, count.size(), count), 0) << count << shown;
    }
    EXPECT_LT(at, shown.find("Image upload succeeded!"));
    // While the next frame is written the line stands on the screen, so the terminal falls
    // silent with it shown. Most pauses show it, whatever the machine's load.
    size_t showing = 0;
    for (size_t pause : paced.pauses) {
        const size_t drawn = shown.rfind('\r', pause - 1);
        showing += shown.compare(drawn, draw.size(), draw) == 0 ? 1 : 0;
    }
    EXPECT_GE(showing, 20u) << shown;
    EXPECT_NE(shown.find("Upload succeeded!"), std::string::npos);
    EXPECT_EQ(LogFileText().find("Uploading frames"), std::string::npos);

    // Standard output in a file (as with `| tee`): the line would break into its lines.
    const std::string beside =
        RunOnTerminal(folder.path(), arguments, folder.path() + "/out.txt").shown;
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
