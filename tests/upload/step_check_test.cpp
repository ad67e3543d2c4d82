#include "upload/step_check.h"

#include <gtest/gtest.h>

#include "audio_files.h"
#include "scenario/scenario.h"
#include "support.h"
#include "upload/content_plan.h"
#include "upload/recording_loader.h"

namespace {

constexpr const char* kClockWarning =
    "\nWARNING: TMDS clock drops might happen due to color format change!";

class StepCheckTest : public ::testing::Test {
  protected:
    StepCheckTest() {
        settings.timing.frate = 60000;
        settings.timing.htotal = 2200;
        settings.timing.vtotal = 1125;
    }
    // `count` numbered files f000.bin ... named by `field`.
    void Sequence(std::string& field, const std::string& stem, int count) {
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "%s%03d.bin", stem.c_str(), i);
            folder.write(name, "x");
        }
        field = folder.path() + "/" + stem + "000.bin";
    }
    // The check's result and its messages, one a line.
    std::string Check(const std::string& porder, bool expected = true) {
        settings.porder = porder;
        loader.lines.clear();
        EXPECT_EQ(ReportFindings(loader, PlanContent(settings).findings, FindingPoint::kSteps),
                  expected)
            << porder;
        std::string lines;
        for (const std::string& line : loader.lines) lines += (lines.empty() ? "" : "\n") + line;
        return lines;
    }
    TempFolder folder;
    ScenarioSettings settings;
    RecordingLoader loader;
};

TEST_F(StepCheckTest, SummaryOfAPlainSequence) {
    Sequence(settings.video, "f", 10);
    EXPECT_EQ(Check("0-9:30::256"), "info: Scenario: 10steps; total duration 300 frames");
    EXPECT_EQ(Check(""), "info: Scenario: 1steps; total duration 1 frames");
    // A written order without a step is handed over, with a warning.
    EXPECT_EQ(Check("0:1:;256"),
              "info: Scenario: 0steps; total duration 0 frames\n"
              "info: WARNING: the playing order '0:1:;256' has no step.");
    EXPECT_EQ(Check("5-3:1::256"),
              "info: Scenario: 0steps; total duration 0 frames\n"
              "info: WARNING: the playing order '5-3:1::256' has no step.");
}

TEST_F(StepCheckTest, ColourChangesAndTheirWarnings) {
    std::string alternating;
    for (int i = 0; i < 11; ++i) alternating += i % 2 ? "0:30::512;" : "0:30::256;";
    EXPECT_EQ(
        Check(alternating),
        std::string("info: Scenario: 11steps; total duration 330 frames; color format changes") +
            kClockWarning);
    EXPECT_EQ(Check("0:1::256;0:1::768"),
              std::string("info: Scenario: WARNING: color format changes in a short video! 2steps; "
                          "total duration 2 frames") +
                  kClockWarning);
    // 4:2:2 carries 10 bits at the 8-bit clock.
    EXPECT_EQ(Check("0:150::514;0:150::258"),
              "info: Scenario: 2steps; total duration 300 frames; color format changes");
    EXPECT_EQ(Check("0:298::514;0:1::258"),
              "info: Scenario: WARNING: color format changes in a short video! 2steps; total "
              "duration 299 frames");
}

TEST_F(StepCheckTest, FramesBelowTheCountPass) {
    Sequence(settings.video, "f", 5);
    EXPECT_EQ(Check("0-4:1::256"), "info: Scenario: 5steps; total duration 5 frames");
    EXPECT_EQ(Check("0-7:1::256", false),
              "error: Scenario: FATAL error, video frame 5 cannot be found");
    settings.video += ";not selected";  // the files exist, but nothing is uploaded
    EXPECT_EQ(Check("2:1::256", false),
              "error: Scenario: FATAL error, video frame 2 cannot be found");
    settings.video.clear();
    EXPECT_EQ(Check("0:1::256"), "info: Scenario: 1steps; total duration 1 frames");
    EXPECT_EQ(Check("1:1::256", false),
              "error: Scenario: FATAL error, video frame 1 cannot be found");
}

TEST_F(StepCheckTest, FramesOfAllVideoItemsCount) {
    std::string first;
    std::string second;
    Sequence(first, "a", 2);
    Sequence(second, "b", 3);
    settings.video = first + ";" + second + ";";
    EXPECT_EQ(Check("0-4:1::256"), "info: Scenario: 5steps; total duration 5 frames");
    EXPECT_EQ(Check("5:1::256", false),
              "error: Scenario: FATAL error, video frame 5 cannot be found");
}

TEST_F(StepCheckTest, PacketIndexesMustBeBelowTheCount) {
    EXPECT_EQ(Check("0:1:0:256", false), "error: Scenario: FATAL error, packet 0 cannot be found");
    Sequence(settings.packets, "p", 3);
    EXPECT_EQ(Check("0:1:0,1,2:256;0:1:2,1:256"),
              "info: Scenario: 2steps; total duration 2 frames");
    EXPECT_EQ(Check("0:1:0,1:256;0:1:0,3,4:256", false),
              "error: Scenario: FATAL error, packet 3 cannot be found");
}

TEST_F(StepCheckTest, LongSequences) {
    EXPECT_EQ(Check("0:4294967295::256;0:4294967295::256"),
              "info: Scenario: 2steps; total duration 8589934590 frames");
    EXPECT_EQ(Check("0-1048576:1::256", false),
              "error: Scenario: FATAL error, playing order has more than 1048576 steps");
    std::string packets = "0";
    for (int i = 0; i < 41943; ++i) packets += ",0";
    EXPECT_EQ(Check("0-99:1:" + packets + ":256", false),
              "error: Scenario: FATAL error, playing order lists more than 4194304 packets");
}

TEST_F(StepCheckTest, LinkClockFollowsDepthAndColourSpace) {
    struct Case {
        uint16_t code;
        uint64_t hertz;
    };
    const Case cases[] = {
        {0x100, 148500000},                      // RGB 8 bits
        {0x000, 148500000},                      // 6 bits: no deep-colour factor
        {0x200, 185625000},                      // 10 bits: 5/4
        {0x300, 222750000},                      // 12 bits: 3/2
        {0x400, 297000000},                      // 16 bits: 2
        {0x500, 148500000},                      // unknown depth
        {0x103, 74250000},                       // 4:2:0 halves the pixel rate
        {0x203, 92812500},  {0x302, 148500000},  // 4:2:2 never scales
    };
    for (const Case& c : cases) EXPECT_EQ(estimateLinkClock(c.code, settings), c.hertz) << c.code;
    settings.timing.frate = 59940;
    EXPECT_EQ(estimateLinkClock(0x100, settings), 148351500u);
}

}  // namespace
