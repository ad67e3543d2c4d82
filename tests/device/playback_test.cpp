#include "device/playback.h"

#include <gtest/gtest.h>

#include "device/items.h"
#include "device/output_setup.h"
#include "device/setup_status.h"
#include "sim_device.h"
#include "support.h"
#include "trace_lines.h"

namespace {

TEST(StatusMessage, TextForEveryCode) {
    const std::vector<std::pair<int32_t, std::string>> cases = {
        {0, "Starting the scenario play."},
        {-1, "Couldn't turn on playback!"},
        {-2, "Couldn't turn off playback!"},
        {-3, "Couldn't reset playback scenarios!"},
        {-4, "Couldn't apply settings!"},
        {-5, "Couldn't apply provided color format!"},
        {-6, "Couldn't apply provided timings!"},
        {-7, "No timings specified in the scenario!"},
        {-9, "Specified scenario index is out of range!"},
        {-10, "Error happened during upload."},
        {1, ""},
        {-11, ""},
    };
    for (const auto& [code, text] : cases) {
        SCOPED_TRACE(code);
        // The status text only belongs to the bandwidth failure.
        EXPECT_EQ(StatusMessage(code, "Available: 1 Mbps"), text);
    }
}

TEST(StatusMessage, BandwidthFailureCarriesTheStatusText) {
    EXPECT_EQ(StatusMessage(kSetupNotEnoughBandwidth, ""),
              "Not enough bandwidth for specified timings!\n");
    EXPECT_EQ(StatusMessage(kSetupNotEnoughBandwidth, "%s %n 100%"),
              "Not enough bandwidth for specified timings!\n%s %n 100%");
}

std::vector<std::string> PatternLines() {
    return {trace::Set(item::kPattern, 3), trace::Set(item::kApplySettings, 1),
            trace::Set(item::kPattern, 14), trace::Set(item::kApplySettings, 1)};
}

TEST(StartPlayback, StartsPlayOnlyRun) {
    SimDevice sim;
    sim.open();
    LogCapture log;
    EXPECT_TRUE(StartPlayback());
    std::vector<std::string> expected = PatternLines();
    expected.push_back(trace::Set(item::kPlaybackState, 2));
    EXPECT_EQ(sim.trace(), expected);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Playback started: Success"});
}

TEST(StartPlayback, RefusedPlaybackStateIsReported) {
    SimDevice sim;
    sim.open();
    LogCapture log;
    hlxsim::FailSet(item::kPlaybackState);
    EXPECT_FALSE(StartPlayback());
    hlxsim::ClearFaults();
    const std::vector<std::string> lines = sim.trace();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4), PatternLines());
    EXPECT_EQ(lines[4].rfind(trace::RefusedSet(item::kPlaybackState, 2), 0), 0u);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Playback started: Fail"});
}

TEST(StartPlayback, RefusedPatternsDoNotMatter) {
    SimDevice sim;
    sim.open();
    LogCapture log;
    hlxsim::FailSet(item::kPattern);
    hlxsim::FailSet(item::kApplySettings);
    EXPECT_TRUE(StartPlayback());
    hlxsim::ClearFaults();
    EXPECT_EQ(sim.trace().size(), 5u);
    EXPECT_EQ(log.lines, std::vector<std::string>{"Playback started: Success"});
}

}  // namespace
