// Device-fault sweep: a full playlist runs once on the simulator to learn every item and
// register it touches; then it runs again with each of them failing, one at a time. Every
// run must end, exit with 0 or 1, and end on one of the program's own messages; a run
// that reports a failure must exit with 1. The table of outcomes goes to stdout.
// The faults are dealt to a few cases, so that ctest runs them side by side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "bounded_run.h"
#include "device/setup_status.h"
#include "e2e_fixture.h"

namespace {

const std::string kScenario = ScenarioText("hdcp=v2\nscrambler=1\naudiosync=1\n", "0-2:2:0:256");

const char* const kEnded = "Playlist has ended.";

struct Fault {
    std::string key;  // profile key: fail-set, fail-get or fail-register
    uint32_t number;
    std::string playlist;

    std::string Name() const {
        char text[64];
        std::snprintf(text, sizeof text, "%s 0x%08X", key.c_str(), number);
        return text;
    }
};

uint32_t HexNumber(const std::string& line, size_t at) {
    return static_cast<uint32_t>(std::stoul(line.substr(at, 8), nullptr, 16));
}

// The value of a 4-byte set, written as lower-case little-endian hex.
uint32_t LittleEndianHex(const std::string& hex) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | std::stoul(hex.substr(2 * i, 2), nullptr, 16);
    return value;
}

// Messages a run may end with. Status texts come from the program itself.
std::set<std::string> FinalMessages() {
    std::set<std::string> messages{kEnded,
                                   "Failed opening device!",
                                   "Failed loading playlist!",
                                   "Failed re-opening device!",
                                   "Fatal: Could not find/initialize HLX Library. Quitting",
                                   "Fatal: Could not properly close HLX Library"};
    for (int32_t code = 0; code >= -10; --code) messages.insert(StatusMessage(code, ""));
    return messages;
}

// Failures reported and then carried on with, by design: two set-up steps of the audio
// upload, and the release of the library, which does not change the exit code.
bool ReportedAndGoesOn(const std::string& line) {
    return line == "Fatal: failed to setting STS!" || line == "Failed to set packet type" ||
           line == "Fatal: Could not properly close HLX Library";
}

bool IsFailureLine(const std::string& line) {
    for (const char* start : {"Fatal", "fatal", "Failed", "Couldn't", "Cannot", "Error", "Not "}) {
        if (line.starts_with(start)) return true;
    }
    return line.find("FATAL") != std::string::npos || line.find("FAIL") != std::string::npos;
}

class FaultSweep : public BoundedProgramTest {
  protected:
    void SetUp() override {
        DemoContent::Write(folder, 64, 4, 3);
        folder.write("s1.txt", kScenario);
        folder.write("hdmi.ini",
                     "[Device]\nserialnumber=SIM0001\nconnectortype=HDMI Out\n"
                     "reset=1\n[Scenario]\npath=s1.txt\n");
        folder.write("dp.ini",
                     "[Device]\nserialnumber=SIM0001\nconnectortype=DisplayPort Out\n"
                     "[Scenario]\npath=s1.txt\n");
    }

    // Runs the playlist fault-free and adds a fault for every item and register it touched.
    void Learn(const std::string& playlist, std::vector<Fault>& faults) {
        ASSERT_EQ(Run("--playlist " + playlist).exitCode, 0);
        ASSERT_EQ(LastLine(), kEnded);
        std::set<std::pair<std::string, uint32_t>> seen;
        for (const Fault& fault : faults) seen.emplace(fault.key, fault.number);
        const auto add = [&](const std::string& key, uint32_t number) {
            if (seen.emplace(key, number).second) faults.push_back({key, number, playlist});
        };
        const std::string set = "HLX_TS_SetConfigItem(0x";
        const std::string get = "HLX_TS_GetConfigItem(0x";
        for (const std::string& line : Trace()) {
            if (line.starts_with(set)) {
                const uint32_t item = HexNumber(line, set.size());
                add("fail-set", item);
                // "0FF00000, 4, <address>)": the register the next access goes to.
                const size_t value = line.find(", 4, ", set.size());
                if (item == 0x0FF00000u && value != std::string::npos) {
                    add("fail-register", LittleEndianHex(line.substr(value + 5, 8)));
                }
            } else if (line.starts_with(get)) {
                add("fail-get", HexNumber(line, get.size()));
            }
        }
    }
};

struct Outcome {
    std::string fault;
    int exitCode;
    std::string verdict;
};

constexpr int kShards = 4;

class FaultSweepShard : public FaultSweep, public ::testing::WithParamInterface<int> {};

TEST_P(FaultSweepShard, EveryTouchedItemAndRegisterFailsCleanly) {
    std::vector<Fault> faults;
    Learn("hdmi.ini", faults);
    Learn("dp.ini", faults);
    ASSERT_GT(faults.size(), 40u);
    size_t dealt = 0;
    const auto mine = [&] { return dealt++ % kShards == static_cast<size_t>(GetParam()); };
    const std::set<std::string> finals = FinalMessages();
    std::vector<Outcome> table;
    const auto check = [&](const std::string& name, const std::string& playlist,
                           const std::string& keys) {
        if (!mine()) return;
        SCOPED_TRACE(name);
        const ProgramRun run = Run("--playlist " + playlist, DefaultProfileWith(keys));
        const std::string last = LastLine();
        const auto failure = std::find_if(Lines().begin(), Lines().end(), [](const std::string& l) {
            return IsFailureLine(l) && !ReportedAndGoesOn(l);
        });
        EXPECT_NE(run.exitCode, kTimedOut) << "hang";
        EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.exitCode;
        EXPECT_FALSE(HasSanitizerReport(run.output));
        EXPECT_EQ(finals.count(last), 1u) << "last line: " << last;
        if (failure != Lines().end()) {
            EXPECT_EQ(run.exitCode, 1) << "reported: " << *failure;
        }
        if (run.exitCode == 0) {
            EXPECT_TRUE(last == kEnded || last.starts_with("Fatal: Could not properly")) << last;
        }
        std::string verdict = run.exitCode == 0 ? "ok" : "stopped: " + last;
        for (const std::string& line : Lines()) {
            if (run.exitCode == 0 && ReportedAndGoesOn(line)) verdict = "ok, reported: " + line;
        }
        table.push_back({name, run.exitCode, verdict});
    };
    for (const Fault& fault : faults) {
        char number[16];
        std::snprintf(number, sizeof number, "0x%08X", fault.number);
        check(fault.Name() + " (" + fault.playlist + ")", fault.playlist,
              fault.key + " = " + number + "\n");
    }
    check("fail-init (hdmi.ini)", "hdmi.ini", "fail-init = 1\n");
    check("fail-clean (hdmi.ini)", "hdmi.ini", "fail-clean = 1\n");
    // A device slow to stop: every stop is polled until it reports it.
    check("stop-delay 3 (hdmi.ini)", "hdmi.ini", "stop-delay = 3\n");
    std::printf("\n%-40s %4s  %s\n", "fault (playlist)", "exit", "outcome");
    for (const Outcome& row : table) {
        std::printf("%-40s %4d  %s\n", row.fault.c_str(), row.exitCode, row.verdict.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, FaultSweepShard, ::testing::Range(0, kShards));

}  // namespace
