// A run stopped by a signal still reports, says so, and leaves the generator plain.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include "e2e_fixture.h"

namespace {

struct Stopped {
    int signal = 0;      // the signal that ended the program; 0 when it exited
    double seconds = 0;  // from the signal to the end
};

class Interruption : public ProgramTest {
  protected:
    void SetUp() override {
        DemoContent::Write(folder, 64, 4, 3);
        folder.write("s1.txt", ScenarioText());
    }

    // Starts the program, sends `number` once `marker` is in its output (or in the file
    // `markerFile`), after calling `atMarker`, and waits for its end.
    Stopped RunAndSignal(const std::vector<std::string>& arguments, const std::string& marker,
                         int number, const std::string& profile = "",
                         const std::function<void()>& atMarker = {},
                         const std::string& markerFile = "out.txt") {
        if (!profile.empty()) folder.write("profile.ini", profile);
        const std::string out = folder.path() + "/out.txt";
        const pid_t child = fork();
        if (child == 0) {
            std::vector<std::string> all{TAVREL_CMD_PATH};
            all.insert(all.end(), arguments.begin(), arguments.end());
            std::vector<char*> argv;
            for (std::string& argument : all) argv.push_back(argument.data());
            argv.push_back(nullptr);
            setenv("HLX_SIM_TRACE", "trace.txt", 1);
            if (!profile.empty()) setenv("HLX_SIM_PROFILE", "profile.ini", 1);
            dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
            if (chdir(folder.path().c_str()) == 0) execv(argv[0], argv.data());
            _exit(127);
        }
        using Clock = std::chrono::steady_clock;
        const Clock::time_point limit = Clock::now() + std::chrono::seconds(60);
        const std::string watched = folder.path() + "/" + markerFile;
        while (ReadFileText(watched).find(marker) == std::string::npos && Clock::now() < limit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (atMarker) atMarker();
        const Clock::time_point sent = Clock::now();
        kill(child, number);
        int status = 0;
        waitpid(child, &status, 0);
        const std::chrono::duration<double> seconds = Clock::now() - sent;
        output_ = ReadFileText(out);
        return {WIFSIGNALED(status) ? WTERMSIG(status) : 0, seconds.count()};
    }

    std::string Report() const { return ReadFileText(folder.path() + "/r.xml"); }
    bool ReportHas(const std::string& part) const {
        return Report().find(part) != std::string::npos;
    }
    const std::string& Output() const { return output_; }

    // The trace ends as after a playlist's last scenario, then the library is released.
    void ExpectPlainOutputAndClean() const {
        const std::vector<std::string> trace = Trace();
        ASSERT_GE(trace.size(), 3u);
        EXPECT_EQ(trace.back(), "HLX_Clean() = 0");
        EXPECT_EQ(trace[trace.size() - 2].rfind("HLX_TS_SetConfigItem(0x00000703,", 0), 0u)
            << trace[trace.size() - 2];  // the settings applied after the plain pattern
    }

  private:
    std::string output_;
};

const char* const kDevice = "serialnumber=SIM0001\nconnectortype=HDMI Out\n";

TEST_F(Interruption, DuringThePlayPeriod) {
    folder.write("p.ini", PlaylistText(kDevice, {"path=s1.txt\nperiod=60000\n", "path=s1.txt\n"}));
    const Stopped stopped =
        RunAndSignal({"--playlist", "p.ini", "--report", "r.xml"}, "Playing content", SIGINT);
    EXPECT_EQ(stopped.signal, SIGINT);  // the shell sees 130
    EXPECT_LT(stopped.seconds, 1.0);
    EXPECT_TRUE(Output().ends_with("Playing content for 60000 msec.\nInterrupted by SIGINT.\n"));
    EXPECT_EQ(LogFileText(), Output());
    ExpectPlainOutputAndClean();
    EXPECT_TRUE(ReportHas("<failure message=\"Interrupted by SIGINT.\""));
    EXPECT_TRUE(ReportHas("<skipped message=\"The run ended before this scenario.\"/>"));
}

TEST_F(Interruption, DuringAFrameUploadTheCallInProgressIsTheLast) {
    // Each 1 KiB frame takes half a second over this link.
    const Stopped stopped =
        RunAndSignal({"--scenario", "s1.txt", "--interface", "HDMI", "--report", "r.xml"},
                     "f000.bin: ", SIGTERM, DefaultProfileWith("write-rate = 2000\n"));
    EXPECT_EQ(stopped.signal, SIGTERM);  // the shell sees 143
    const std::vector<std::string> trace = Trace();
    const auto last = std::find_if(trace.rbegin(), trace.rend(), [](const std::string& line) {
        return line.rfind("HLX_TS_SetConfigItem(0x00000720,", 0) == 0;
    });
    ASSERT_NE(last, trace.rend());
    // The write in progress, then at once the reset: the frame's own size is not written.
    EXPECT_EQ(*(last - 1), "HLX_TS_SetConfigItem(0x5002B000, 4, 00000000) = 0");
    ExpectPlainOutputAndClean();
    EXPECT_TRUE(Output().ends_with("f000.bin: 4 Bpp \nInterrupted by SIGTERM.\n")) << Output();
    EXPECT_TRUE(ReportHas("<failure message=\"Interrupted by SIGTERM.\""));
}

TEST_F(Interruption, DuringTheCommandAfterTheUploadTheCommandGetsTheSignal) {
    folder.write("p.ini", PlaylistText(kDevice, {"path=s1.txt\nexecute-after-upload=trap 'echo "
                                                 "handed > cmd.txt; exit 3' TERM; echo ready > "
                                                 "ready.txt; sleep 30 & wait\n"}));
    const Stopped stopped =
        RunAndSignal({"--playlist", "p.ini"}, "ready", SIGTERM, "", {}, "ready.txt");
    EXPECT_EQ(stopped.signal, SIGTERM);  // the shell sees 143
    EXPECT_LT(stopped.seconds, 5.0);
    EXPECT_EQ(ReadFileText(folder.path() + "/cmd.txt"), "handed\n");
    EXPECT_TRUE(Output().ends_with("Interrupted by SIGTERM.\n")) << Output();
    ExpectPlainOutputAndClean();
}

TEST_F(Interruption, AnEarlierReportNeverPassesForThisRun) {
    folder.write("r.xml", "an earlier run's green report");
    folder.write("p.ini", PlaylistText(kDevice, {"path=s1.txt\nperiod=60000\n"}));
    std::string during;
    const Stopped stopped = RunAndSignal({"--playlist", "p.ini", "--report", "r.xml"},
                                         "Playing content", SIGHUP, "", [&] { during = Report(); });
    EXPECT_EQ(stopped.signal, SIGHUP);
    EXPECT_NE(during.find("<failure message=\"The run did not finish.\""), std::string::npos)
        << during;
    EXPECT_TRUE(ReportHas("<failure message=\"Interrupted by SIGHUP.\""));
}

TEST_F(Interruption, DuringTheCheckTheCheckedScenariosKeepTheirVerdicts) {
    // 1080p frames make each scenario's previews take a while.
    DemoContent::Write(folder, 1920, 1080, 2);
    folder.write("big.txt", ScenarioText("timing.hactive=1920\ntiming.vactive=1080\n"
                                         "timing.htotal=2200\ntiming.vtotal=1125\n",
                                         "0-1:1:0:256"));
    folder.write("p.ini", PlaylistText(kDevice, std::vector<std::string>(40, "path=big.txt\n")));
    const Stopped stopped =
        RunAndSignal({"--playlist", "p.ini", "--check", "--preview", "pv", "--report", "r.xml"},
                     "Scenario #1 ", SIGINT);
    EXPECT_EQ(stopped.signal, SIGINT);
    EXPECT_TRUE(Output().ends_with("Interrupted by SIGINT.\n")) << Output();
    EXPECT_EQ(Output().find("Checked "), std::string::npos);
    EXPECT_TRUE(ReportHas("name=\"Scenario #1 big.txt\""));
    EXPECT_TRUE(ReportHas("<skipped message=\"The run ended before this scenario.\"/>"));
    EXPECT_TRUE(ReportHas("<testcase name=\"p.ini\""));
    EXPECT_TRUE(ReportHas("<failure message=\"Interrupted by SIGINT.\""));
    EXPECT_TRUE(Trace().empty());
}

}  // namespace
