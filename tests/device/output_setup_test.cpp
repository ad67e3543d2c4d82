#include "device/output_setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/source_device.h"
#include "device/color_value.h"
#include "device/items.h"
#include "device/upload_callback.h"
#include "sim_device.h"
#include "support.h"
#include "trace_lines.h"
#include "upload/scenario_plan.h"

namespace {

const char* const kHdmiDevice = "KVX-4 [SIM0001] / HDMI TX";

ScenarioSettings FullScenario() {
    ScenarioSettings s;
    s.video = "frames\\f0.bin";
    s.audio = "tone.wav";
    s.packets = "packets";
    s.colorspace = "RGB444";
    s.bitspercolor = 8;
    s.loadingRGB = "255,0,0";
    s.timing = {1280, 720, 1650, 750, 260, 25, 40, 5, 60000};
    return s;
}

// A trace line that ends in a negative status.
bool IsFailure(const std::string& line) {
    const size_t at = line.rfind(" = -");
    return at != std::string::npos && at + 4 < line.size() &&
           line.find_first_not_of("0123456789", at + 4) == std::string::npos;
}

class OutputSetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim_.open();
        UploadCallback() = [this](const ScenarioSettings& settings, const ContentPlan&) {
            uploads_.push_back(settings);
            beforeUpload_ = sim_.trace();
            if (duringUpload_) duringUpload_();
            return UploadOutcome{uploadResult_, ""};
        };
    }
    void TearDown() override {
        UploadCallback() = nullptr;
        hlxsim::ClearFaults();
    }

    int32_t Start(const ScenarioSettings& settings) {
        const ScenarioPlan plan = PlanScenario(settings);
        const int32_t code = startScenario(kHdmiDevice, plan.setup, plan.content, statusText_);
        afterUpload_ = sim_.trace();
        return code;
    }

    SimDevice sim_;
    std::vector<ScenarioSettings> uploads_;
    std::vector<std::string> beforeUpload_;
    std::vector<std::string> afterUpload_;
    std::function<void()> duringUpload_;
    bool uploadResult_ = true;
    std::string statusText_;
};

const std::vector<std::string> kFullSetUpBeforeUpload = {
    "HLX_TS_SetConfigItem(0x5002B000, 4, 00000000) = 0",  // stop playback
    "HLX_TS_SetConfigItem(0x0FF00000, 4, 00200000) = 0",  // audio generator off
    "HLX_TS_SetConfigItem(0x0FF00003, 4, 00000000) = 0",
    "HLX_TS_SetConfigItem(0x00000714, 8, 000000ff00000000) = 0",  // loading colour
    "HLX_TS_SetConfigItem(0x00000711, 4, 03000000) = 0",
    "HLX_TS_SetConfigItem(0x00000703, 4, 01000000) = 0",
    "HLX_TS_SetConfigItem(0x00000711, 4, 03000000) = 0",
    "HLX_TS_SetConfigItem(0x00000703, 4, 01000000) = 0",
    "HLX_TS_SetConfigItem(0x00000704, 4, 72060000) = 0",  // htotal 1650
    "HLX_TS_SetConfigItem(0x00000705, 4, 04010000) = 0",  // hstart 260
    "HLX_TS_SetConfigItem(0x00000706, 4, 00050000) = 0",  // hactive 1280
    "HLX_TS_SetConfigItem(0x00000707, 4, 28000000) = 0",  // hsync 40
    "HLX_TS_SetConfigItem(0x00000708, 4, ee020000) = 0",  // vtotal 750
    "HLX_TS_SetConfigItem(0x00000709, 4, 19000000) = 0",  // vstart 25
    "HLX_TS_SetConfigItem(0x0000070A, 4, d0020000) = 0",  // vactive 720
    "HLX_TS_SetConfigItem(0x0000070B, 4, 05000000) = 0",  // vsync 5
    "HLX_TS_SetConfigItem(0x0000070D, 4, 60ea0000) = 0",  // frate 60000
    "HLX_TS_SetConfigItem(0x0000070C, 4, 01000000) = 0",  // RGB444@8bit
    "HLX_TS_SetConfigItem(0x00000711, 4, 03000000) = 0",
    "HLX_TS_SetConfigItem(0x00000703, 4, 01000000) = 0",
    "HLX_TS_SetConfigItem(0x0FF00000, 4, 02180000) = 0",  // scrambler off, read back
    "HLX_TS_SetConfigItem(0x0FF00003, 4, 02000000) = 0",
    "HLX_TS_SetConfigItem(0x0FF00000, 4, 02180000) = 0",
    "HLX_TS_GetConfigItem(0x0FF00001, 8) = 8 0200000000000000",
    "HLX_TS_SetConfigItem(0x00000281, 4, 07010000) = 0",  // no HDCP
    "HLX_TS_SetConfigItem(0x00000291, 4, 07010000) = 0",
};

const std::vector<std::string> kFullSetUpAfterUpload = {
    "HLX_TS_SetConfigItem(0x00000711, 4, 0e000000) = 0",  // playback pattern
    "HLX_TS_SetConfigItem(0x00000703, 4, 01000000) = 0",
    "HLX_TS_SetConfigItem(0x5002B001, 4, 07000000) = 0",  // video, packets, audio
    "HLX_TS_SetConfigItem(0x5002B000, 4, 01000000) = 0",  // playback on
};

TEST_F(OutputSetupTest, FullSetUpWritesEveryStepInOrder) {
    EXPECT_EQ(Start(FullScenario()), kSetupStarted);
    EXPECT_EQ(beforeUpload_, kFullSetUpBeforeUpload);
    EXPECT_EQ(afterUpload_, kFullSetUpAfterUpload);
    EXPECT_EQ(statusText_, "74250000 -> 3G");
    ASSERT_EQ(uploads_.size(), 1u);
    EXPECT_EQ(uploads_[0].video, "frames\\f0.bin");
    EXPECT_EQ(uploads_[0].timing.frate, 60000);
}

TEST_F(OutputSetupTest, ContentMaskFollowsTheContentPresent) {
    ScenarioSettings settings = FullScenario();
    settings.video.clear();
    settings.audio.clear();
    ASSERT_EQ(Start(settings), kSetupStarted);
    ASSERT_EQ(afterUpload_.size(), 4u);
    EXPECT_EQ(afterUpload_[2], trace::Set(item::kPlaybackContent, 2));
}

TEST_F(OutputSetupTest, ZeroTimingsWriteNothing) {
    ScenarioSettings settings = FullScenario();
    settings.timing = Timing{};
    EXPECT_EQ(Start(settings), kSetupNoTimings);
    EXPECT_TRUE(afterUpload_.empty());
    EXPECT_TRUE(uploads_.empty());
}

TEST_F(OutputSetupTest, UploadFailureComesAfterTheOutputIsConfigured) {
    uploadResult_ = false;
    EXPECT_EQ(Start(FullScenario()), kSetupUploadFailed);
    EXPECT_EQ(beforeUpload_, kFullSetUpBeforeUpload);
    EXPECT_TRUE(afterUpload_.empty());
}

TEST_F(OutputSetupTest, MissingUploadCallbackIsAnUploadFailure) {
    UploadCallback() = nullptr;
    EXPECT_EQ(Start(FullScenario()), kSetupUploadFailed);
    EXPECT_EQ(afterUpload_, kFullSetUpBeforeUpload);
}

struct StepFailure {
    const char* name;
    std::function<void()> beforeStart;
    std::function<void()> duringUpload;
    int32_t code;
    std::string lastLine;  // prefix of the refused call that ended the set-up
};

TEST_F(OutputSetupTest, EachFailingStepEndsTheSetUpWithItsCode) {
    const std::vector<StepFailure> cases = {
        {"stop", [] { hlxsim::FailSet(item::kPlaybackState); }, nullptr, kSetupPlaybackOffFailed,
         trace::RefusedSet(item::kPlaybackState, 0)},
        {"audio off", [] { hlxsim::FailRegister(reg::kAudioControl); }, nullptr,
         kSetupPlaybackOffFailed, trace::RefusedSet(item::kRegisterWrite, 0)},
        {"pattern", [] { hlxsim::FailSet(item::kPattern); }, nullptr, kSetupApplyFailed,
         trace::RefusedSet(item::kPattern, 3)},
        {"apply", [] { hlxsim::FailSet(item::kApplySettings); }, nullptr, kSetupApplyFailed,
         trace::RefusedSet(item::kApplySettings, 1)},
        {"timing", [] { hlxsim::FailSet(item::kFrameRate); }, nullptr, kSetupTimingsFailed,
         trace::RefusedSet(item::kFrameRate, 60000)},
        {"colour format", [] { hlxsim::FailSet(item::kColorFormat); }, nullptr,
         kSetupColorFormatFailed, trace::RefusedSet(item::kColorFormat, 1)},
        {"playback pattern", nullptr, [] { hlxsim::FailSet(item::kPattern); }, kSetupApplyFailed,
         trace::RefusedSet(item::kPattern, 14)},
        {"content", [] { hlxsim::FailSet(item::kPlaybackContent); }, nullptr,
         kSetupPlaybackOnFailed, trace::RefusedSet(item::kPlaybackContent, 7)},
        {"playback on", nullptr, [] { hlxsim::FailSet(item::kPlaybackState); },
         kSetupPlaybackOnFailed, trace::RefusedSet(item::kPlaybackState, 1)},
    };
    for (const StepFailure& c : cases) {
        SCOPED_TRACE(c.name);
        hlxsim::ClearFaults();
        sim_.trace();
        beforeUpload_.clear();
        if (c.beforeStart) c.beforeStart();
        duringUpload_ = c.duringUpload;
        EXPECT_EQ(Start(FullScenario()), c.code);
        std::vector<std::string> all = beforeUpload_;
        all.insert(all.end(), afterUpload_.begin(), afterUpload_.end());
        ASSERT_FALSE(all.empty());
        EXPECT_EQ(all.back().rfind(c.lastLine, 0), 0u) << all.back();
        EXPECT_TRUE(IsFailure(all.back())) << all.back();
    }
}

TEST_F(OutputSetupTest, TimingFailureStopsAtTheRefusedItem) {
    hlxsim::FailSet(item::kVTotal);
    EXPECT_EQ(Start(FullScenario()), kSetupTimingsFailed);
    // Stop, audio off, colour, 2 x (pattern, apply), then htotal, hstart, hactive, hsync, vtotal.
    ASSERT_EQ(afterUpload_.size(), 13u);
    EXPECT_EQ(afterUpload_[11], trace::Set(item::kHSync, 40));
    EXPECT_EQ(afterUpload_[12].rfind(trace::RefusedSet(item::kVTotal, 750), 0), 0u);
}

TEST_F(OutputSetupTest, RefusedColourScramblerAndHdcpDoNotStopTheSetUp) {
    const std::vector<std::function<void()>> faults = {
        [] { hlxsim::FailSet(item::kSolidColor); },
        [] { hlxsim::FailRegister(reg::kScrambler); },
        [] { hlxsim::FailSet(item::kHdcp1Control); },
        [] { hlxsim::FailSet(item::kHdcp2Control); },
    };
    for (size_t i = 0; i < faults.size(); ++i) {
        SCOPED_TRACE(i);
        hlxsim::ClearFaults();
        faults[i]();
        uploads_.clear();
        LogCapture log;
        EXPECT_EQ(Start(FullScenario()), kSetupStarted);
        EXPECT_EQ(uploads_.size(), 1u);
        EXPECT_TRUE(log.lines.empty());  // switching off is not worth a word
    }
}

TEST_F(OutputSetupTest, RefusedScramblingAndHdcpWarnOnceBeforeTheUpload) {
    hlxsim::FailRegister(reg::kScrambler);
    hlxsim::FailSet(item::kHdcp2Control);
    ScenarioSettings settings = FullScenario();
    settings.scrambler = true;
    settings.hdcp = 2;
    LogCapture log;
    duringUpload_ = [&log] { log.lines.push_back("upload"); };
    EXPECT_EQ(Start(settings), kSetupStarted);
    duringUpload_ = nullptr;
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             "WARNING: the device refused the scrambler setting.",
                             "WARNING: the device refused the HDCP setting.", "upload"}));
}

TEST_F(OutputSetupTest, LoadingColourFollowsTheColourSpace) {
    struct Case {
        const char* colorspace;
        const char* loadingRGB;
        std::string line3;  // the line after stop and audio off
    };
    const std::vector<Case> cases = {
        {"RGB444", "255,0,0", trace::Set(item::kSolidColor, 0x00000000FF000000, 8)},
        {"YUV422", "255,0,0", trace::Set(item::kSolidColor, 0x00005A00EF005100, 8)},
        {"RGB444", "", trace::Set(item::kSolidColor, 0, 8)},
        {"RGB444", "1,2", trace::Set(item::kPattern, 3)},  // not three parts: no colour
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.colorspace) + " " + c.loadingRGB);
        ScenarioSettings settings = FullScenario();
        settings.colorspace = c.colorspace;
        settings.loadingRGB = c.loadingRGB;
        EXPECT_EQ(Start(settings), kSetupStarted);
        ASSERT_GT(beforeUpload_.size(), 3u);
        EXPECT_EQ(beforeUpload_[3], c.line3);
    }
}

TEST_F(OutputSetupTest, HdcpWritesFollowTheVersion) {
    const std::vector<std::pair<uint32_t, std::vector<std::string>>> cases = {
        {0, {trace::Set(item::kHdcp1Control, 0x107), trace::Set(item::kHdcp2Control, 0x107)}},
        {1, {trace::Set(item::kHdcp1Control, 0x106)}},
        {2, {trace::Set(item::kHdcp2Control, 0x102), trace::Set(item::kHdcp2Control, 0x106)}},
        {3, {}},
    };
    for (const auto& [hdcp, expected] : cases) {
        SCOPED_TRACE(hdcp);
        ScenarioSettings settings = FullScenario();
        settings.hdcp = hdcp;
        EXPECT_EQ(Start(settings), kSetupStarted);
        // The HDCP writes come right after the scrambler's read-back.
        const auto readBack =
            std::find_if(beforeUpload_.begin(), beforeUpload_.end(), [](const std::string& line) {
                return line.rfind("HLX_TS_GetConfigItem(0x0FF00001", 0) == 0;
            });
        ASSERT_NE(readBack, beforeUpload_.end());
        const std::vector<std::string> hdcpLines(readBack + 1, beforeUpload_.end());
        EXPECT_EQ(hdcpLines, expected);
    }
}

TEST_F(OutputSetupTest, UnusualDepthGoesToBandwidthTextAndDepthCodeZero) {
    ScenarioSettings settings = FullScenario();
    settings.bitspercolor = 9;
    settings.colorspace = "YUV422";
    EXPECT_EQ(Start(settings), kSetupStarted);
    EXPECT_EQ(statusText_, "74250000 -> 3G");
    EXPECT_EQ(hlxsim::ItemBytes(item::kColorFormat), (std::vector<uint8_t>{0x00, 0x10, 0, 0}));
}

TEST(OutputSetupBandwidth, TooSmallLinkStopsBeforeTheTimings) {
    SimDevice sim(
        "[device]\nname = KVX-4 [SIM0002] / DisplayPort TX\nflags = 16\noutputs = DisplayPort TX\n"
        "[generator]\ndp-lanes = 1\ndp-rate = 6\n");
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    bool uploaded = false;
    UploadCallback() = [&uploaded](const ScenarioSettings&, const ContentPlan&) {
        return UploadOutcome{uploaded = true, ""};
    };
    std::string status;
    const ScenarioPlan plan = PlanScenario(FullScenario());
    EXPECT_EQ(startScenario("KVX-4 [SIM0002] / DisplayPort TX", plan.setup, plan.content, status),
              kSetupNotEnoughBandwidth);
    UploadCallback() = nullptr;
    EXPECT_EQ(status, "Available: 1256 Mbps (LC=1,BR=1620), requested: 1782 Mbps.");
    EXPECT_FALSE(uploaded);
    const std::vector<std::string> lines = sim.trace();
    ASSERT_EQ(lines.size(), 10u);  // stop, audio off, colour, 2 x (pattern, apply), link reads
    EXPECT_EQ(lines[8], trace::Get(item::kDpLaneCount, 1));
    EXPECT_EQ(lines[9], trace::Get(item::kDpLinkRate, 6));
}

TEST_F(OutputSetupTest, PlaylistScenarioUsesThePlaylistStrictAndMessage) {
    Playlist playlist;
    playlist.deviceName = kHdmiDevice;
    playlist.strict = false;
    playlist.entries.resize(2);
    playlist.entries[1].settings = FullScenario();
    playlist.entries[1].settings.strict = true;

    const ScenarioPlan outside = PlanScenario(ScenarioSettings{});
    EXPECT_EQ(StartPlaylistScenario(playlist, 2, outside.setup, outside.content),
              kSetupIndexOutOfRange);
    EXPECT_TRUE(sim_.trace().empty());
    EXPECT_TRUE(playlist.setupMessage.empty());

    const ScenarioPlan plan = PlanScenario(EntrySettings(playlist, 1));
    EXPECT_EQ(StartPlaylistScenario(playlist, 1, plan.setup, plan.content), kSetupStarted);
    ASSERT_EQ(uploads_.size(), 1u);
    EXPECT_FALSE(uploads_[0].strict);
    EXPECT_TRUE(playlist.entries[1].settings.strict);
    EXPECT_EQ(playlist.setupMessage, "74250000 -> 3G");
}

TEST(ParseColorValue, ComponentsAndConversion) {
    struct Case {
        const char* text;
        const char* colorSpace;
        bool ok;
        uint64_t value;
    };
    const Case cases[] = {
        {"255,0,0", "RGB444", true, 0x00000000FF000000},
        {"255,0,0", "YUV422", true, 0x00005A00EF005100},
        {"0,255,0", "RGB444", true, 0x000000000000FF00},
        {"0,0,255", "RGB444", true, 0x0000FF0000000000},
        {"", "RGB444", true, 0},
        {"", "YUV444", true, 0x0000800080001000},             // black: Y 16, Cr 128, Cb 128
        {" 12abc,x,-0", "RGB444", true, 0x000000000C000000},  // lenient: digits up to the first
        {"65536,0,1", "RGB444", true, 0x0000010000000000},    // low 16 bits only
        {"65535,0,0", "YUV420", true, 0x00000000FF00FF00},    // clamped: Y 255, Cr 255, Cb 0
        {"0,65535,0", "YUV422", true, 0x000000000000FF00},    // Y 255, Cr 0, Cb 0
        {"1,2,3;", "RGB444", true, 0x0000030001000200},
        {"1,2", "RGB444", false, 0},
        {"1,2,3,4", "RGB444", false, 0},
        {"255,0,0", "yuv422", true, 0x00000000FF000000},  // "YUV" is case-sensitive
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.colorSpace);
        uint64_t value = 0xDEADBEEF;
        EXPECT_EQ(ParseColorValue(c.text, c.colorSpace, value), c.ok);
        if (c.ok) {
            EXPECT_EQ(value, c.value);
        }
    }
}

TEST(ResetOutput, StopsAndShowsBlackRgb) {
    SimDevice sim;
    sim.open();
    ResetOutput();
    const std::vector<std::string> expected = {
        trace::Set(item::kPlaybackState, 0), trace::Set(item::kPattern, 3),
        trace::Set(item::kColorFormat, 1),   trace::Set(item::kSolidColor, 0, 8),
        trace::Set(item::kPattern, 3),       trace::Set(item::kApplySettings, 1),
    };
    EXPECT_EQ(sim.trace(), expected);
}

TEST(ReopenDevice, ResetsThenOpensTheNamedOutputAgain) {
    SimDevice sim;
    sim.open();
    Playlist playlist;
    playlist.serialnumber = "SIM0001";
    playlist.connectortype = "HDMI TX";
    EXPECT_TRUE(ReopenDevice(playlist));
    const std::vector<std::string> lines = sim.trace();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), trace::Set(item::kDeviceReset, 3));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "HLX_DEV_Deselect(0) = 0"), lines.end());
    EXPECT_EQ(lines.back(), "HLX_VOUT_Enable(0) = 0");
    EXPECT_EQ(hlxsim::SelectedDevice(), 0);
}

TEST(ReopenDevice, FailsOnRefusedResetOrUnknownDevice) {
    SimDevice sim;
    sim.open();
    Playlist playlist;
    playlist.serialnumber = "SIM0001";
    playlist.connectortype = "HDMI TX";
    hlxsim::FailSet(item::kDeviceReset);
    EXPECT_FALSE(ReopenDevice(playlist));
    EXPECT_EQ(sim.trace().size(), 1u);
    hlxsim::ClearFaults();

    playlist.serialnumber = "NOSUCH";
    EXPECT_FALSE(ReopenDevice(playlist));
    const std::vector<std::string> lines = sim.trace();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("HLX_DEV_Deselect(4294967286) = -", 0), 0u);
}

}  // namespace
