#include "device/config_items.h"

#include <gtest/gtest.h>

#include <functional>

#include "device/items.h"
#include "scenario/scenario.h"
#include "sim_device.h"
#include "trace_lines.h"

namespace {

using trace::FailedGet;
using trace::Get;
using trace::Join;
using trace::LittleEndianHex;
using trace::Set;
using trace::SetBytes;
using Lines = std::vector<std::string>;

std::string ProfileWith(const std::string& generator) {
    return "[device]\nname = KVX-4 [SIM0001] / HDMI TX\nflags = 16\noutputs = HDMI TX\n"
           "[generator]\nmemory = 4294967296\n" +
           generator;
}

struct TraceCase {
    const char* name;
    std::function<bool()> operation;
    bool result;
    Lines trace;
};

class ConfigItemTrace : public ::testing::TestWithParam<TraceCase> {};

TEST_P(ConfigItemTrace, WritesExactlyTheseItems) {
    SimDevice sim;
    sim.open();
    const TraceCase& c = GetParam();
    EXPECT_EQ(c.operation(), c.result);
    EXPECT_EQ(sim.trace(), c.trace);
}

std::string Bytes48() {
    std::string hex;
    for (int i = 0; i < 48; ++i) hex += LittleEndianHex(static_cast<uint64_t>(i), 1);
    return hex;
}

const uint8_t* ChannelStatus() {
    static uint8_t bytes[48];
    for (int i = 0; i < 48; ++i) bytes[i] = static_cast<uint8_t>(i);
    return bytes;
}

Timing SampleTiming() {
    Timing t;
    t.hactive = 1920;
    t.vactive = 1080;
    t.htotal = 2200;
    t.vtotal = 1125;
    t.hstart = 192;
    t.vstart = 41;
    t.hsync = -44;
    t.vsync = 5;
    t.frate = 60000;
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ConfigItemTrace,
    ::testing::Values(
        TraceCase{"WriteRegister", [] { return WriteRegister(8192, 5); }, true,
                  trace::WriteRegister(8192, 5)},
        TraceCase{"ScramblerOn", [] { return SetScrambler(true); }, true,
                  Join({trace::WriteRegister(6146, 1), trace::ReadRegister(6146, 1)})},
        TraceCase{"ScramblerOff", [] { return SetScrambler(false); }, true,
                  Join({trace::WriteRegister(6146, 2), trace::ReadRegister(6146, 2)})},
        TraceCase{"ImageSizeHdmi", [] { return SetImageSize(true, 1920, 1080); }, true,
                  Join({trace::WriteRegister(7187, 1920), trace::WriteRegister(7188, 1080)})},
        TraceCase{"ImageSizeDisplayPort", [] { return SetImageSize(false, 640, 480); }, true,
                  Join({trace::WriteRegister(3091, 640), trace::WriteRegister(3092, 480)})},
        TraceCase{"AudioParameters", [] { return SetAudioParameters(2, 48000, 16); }, true,
                  Join({trace::WriteRegister(8194, 2), trace::WriteRegister(8195, 48000),
                        trace::WriteRegister(8196, 16)})},
        TraceCase{"AudioMuteRefusesMode3", [] { return SetAudioMute(3); }, false, {}},
        TraceCase{"AudioMute", [] { return SetAudioMute(1); }, true, trace::WriteRegister(8200, 1)},
        TraceCase{"AudioSize", [] { return SetAudioSize(384004); }, true,
                  trace::WriteRegister(8202, 384004)},
        TraceCase{"AudioBlock",
                  [] { return SetAudioMemoryBlock(0); },
                  false,
                  {Set(0xFF00000, 8205, 4), Set(0xFF00003, 0, 4, -1)}},
        TraceCase{"AudioCompressed", [] { return SetAudioCompressed(true); }, true,
                  Join({trace::ReadRegister(8193, 0), trace::WriteRegister(8193, 4)})},
        TraceCase{"ChannelStatus", [] { return SetAudioChannelStatus(ChannelStatus(), 48); }, true,
                  Join({trace::ReadRegister(8193, 0),
                        trace::WriteRegister(8193, 8),
                        trace::ReadRegister(8193, 8),
                        trace::WriteRegister(8193, 8),
                        {Set(0xFF00000, 8198, 4), SetBytes(0xFF00004, 48, Bytes48())}})},
        TraceCase{"PacketType", [] { return SetAudioPacketType(3); }, true,
                  Join({trace::ReadRegister(8193, 0), trace::WriteRegister(8193, 0x100),
                        trace::ReadRegister(8193, 0x100), trace::WriteRegister(8193, 0x1100),
                        trace::WriteRegister(8197, 3)})},
        TraceCase{"ApplySettings", [] { return ApplySettings(); }, true, {Set(1795, 1, 4)}},
        TraceCase{"SelectPattern", [] { return SelectPattern(14); }, true, {Set(1809, 14, 4)}},
        TraceCase{"Timings",
                  [] { return SetTimings(SampleTiming()); },
                  true,
                  {Set(1796, 2200, 4), Set(1797, 192, 4), Set(1798, 1920, 4),
                   Set(1799, static_cast<uint32_t>(-44), 4), Set(1800, 1125, 4), Set(1801, 41, 4),
                   Set(1802, 1080, 4), Set(1803, 5, 4), Set(1805, 60000, 4)}},
        TraceCase{"ColorYuv444Bits9",
                  [] { return SetColorFormat(ColorFormatOf("YUV444", 9)); },
                  true,
                  {Set(1804, 2048, 4)}},
        TraceCase{"ColorByNameYuv420",
                  [] { return SetColorFormatByName("YUV420@10bit"); },
                  true,
                  {Set(1804, 6146, 4)}},
        TraceCase{"ColorByNameLowerCase",
                  [] { return SetColorFormatByName("yuv420@10bit"); },
                  true,
                  {Set(1804, 2, 4)}},
        TraceCase{"ColorByNameYuv422",
                  [] { return SetColorFormatByName("YUV422@12bit"); },
                  true,
                  {Set(1804, 4099, 4)}},
        TraceCase{"ColorByNameRgb",
                  [] { return SetColorFormatByName("RGB444@8bit"); },
                  true,
                  {Set(1804, 1, 4)}},
        TraceCase{"ColorByNameWithoutAt", [] { return SetColorFormatByName("RGB444"); }, false, {}},
        TraceCase{"ColorByNameEmpty", [] { return SetColorFormatByName(""); }, false, {}},
        TraceCase{"ResetLayout", [] { return ResetMemoryLayout(); }, true, {Set(2178, 0, 8)}},
        TraceCase{"Layout",
                  [] { return SetMemoryLayout({167772160, 0, 0}); },
                  true,
                  {SetBytes(2179, 3,
                            LittleEndianHex(167772160, 8) + LittleEndianHex(0, 8) +
                                LittleEndianHex(0, 8))}},
        TraceCase{"MemoryEqualIsNotEnough",
                  [] { return IsMemorySufficient(4294967296ULL); },
                  false,
                  {Get(2176, 4294967296ULL, 8)}},
        TraceCase{"MemoryLarger",
                  [] { return IsMemorySufficient(4294967295ULL); },
                  true,
                  {Get(2176, 4294967296ULL, 8)}},
        TraceCase{"PlaybackOn", [] { return SetPlaybackState(1); }, true, {Set(0x5002B000, 1, 4)}},
        TraceCase{"PlaybackStopsAtOnce",
                  [] { return SetPlaybackState(0); },
                  true,
                  {Set(0x5002B000, 0, 4)}},
        TraceCase{"PlaybackContent",
                  [] { return SetPlaybackContent(7); },
                  true,
                  {Set(0x5002B001, 7, 4)}}),
    [](const ::testing::TestParamInfo<TraceCase>& info) { return std::string(info.param.name); });

TEST(ConfigItems, FailingAddressWriteStopsTheRegisterWrite) {
    SimDevice sim;
    sim.open();
    hlxsim::FailSet(item::kRegisterAddress);
    EXPECT_FALSE(WriteRegister(8192, 1));
    EXPECT_EQ(sim.trace(), Lines{Set(0xFF00000, 8192, 4, -1)});
}

TEST(ConfigItems, FailingWidthWriteStopsBeforeHeight) {
    SimDevice sim;
    sim.open();
    hlxsim::FailRegister(3091);
    EXPECT_FALSE(SetImageSize(false, 640, 480));
    EXPECT_EQ(sim.trace(), (Lines{Set(0xFF00000, 3091, 4), Set(0xFF00003, 640, 4, -1)}));
}

TEST(ConfigItems, ScramblerReportsTheBitReadBack) {
    SimDevice sim;
    sim.open();
    hlxsim::FailRegister(6146);
    // Neither the write nor the read works: the zeroed value reads as "off".
    EXPECT_FALSE(SetScrambler(true));
    EXPECT_TRUE(SetScrambler(false));
}

TEST(ConfigItems, WriteMemoryBlockEmptiesTheBufferEvenOnFailure) {
    SimDevice sim;
    sim.open();
    std::vector<uint8_t> bytes(16, 0xAB);
    EXPECT_FALSE(WriteMemoryBlock(0, bytes));  // no layout: the block cannot be selected
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(sim.trace(), Lines{Set(2180, 0, 4, -1)});

    ASSERT_TRUE(SetMemoryLayout({1024, 1024}));
    bytes.assign(4, 0xCD);
    EXPECT_TRUE(WriteMemoryBlock(1, bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(hlxsim::BlockBytes(1), (std::vector<uint8_t>{0xCD, 0xCD, 0xCD, 0xCD}));
}

TEST(ConfigItems, MemorySizeReadFailureIsNotSufficient) {
    SimDevice sim;
    sim.open();
    hlxsim::FailGet(item::kMemorySize);
    EXPECT_FALSE(IsMemorySufficient(0));
    uint64_t size = 7;
    EXPECT_FALSE(GetMemorySize(size));
}

class PlaybackStop : public ::testing::Test {
  protected:
    std::vector<uint32_t> waits;
    WaitFunction wait = [this](uint32_t ms) { waits.push_back(ms); };
};

TEST_F(PlaybackStop, PollsUntilTheDeviceReportsTheStop) {
    SimDevice sim(ProfileWith("stop-delay = 3\n"));
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    ASSERT_TRUE(SetPlaybackState(1));
    sim.trace();
    EXPECT_TRUE(SetPlaybackState(0, wait));
    EXPECT_EQ(sim.trace(),
              (Lines{Set(0x5002B000, 0, 4, 1), Get(0x5002B000, 1, 4), Get(0x5002B000, 1, 4),
                     Get(0x5002B000, 1, 4), Get(0x5002B000, 0, 4)}));
    EXPECT_EQ(waits, (std::vector<uint32_t>{100, 100, 100}));
}

TEST_F(PlaybackStop, GivesUpAfterOneHundredReads) {
    SimDevice sim(ProfileWith("stop-delay = 1000\n"));
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    ASSERT_TRUE(SetPlaybackState(1));
    sim.trace();
    EXPECT_TRUE(SetPlaybackState(0, wait));
    const Lines trace = sim.trace();
    ASSERT_EQ(trace.size(), 101u);
    EXPECT_EQ(trace.back(), Get(0x5002B000, 1, 4));
    EXPECT_EQ(waits.size(), 99u);
}

TEST_F(PlaybackStop, AFailedReadLeavesTheZeroedValueAndEndsThePoll) {
    SimDevice sim(ProfileWith("stop-delay = 5\n"));
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    ASSERT_TRUE(SetPlaybackState(1));
    hlxsim::FailGet(item::kPlaybackState);
    sim.trace();
    EXPECT_TRUE(SetPlaybackState(0, wait));
    EXPECT_EQ(sim.trace(), (Lines{Set(0x5002B000, 0, 4, 1), FailedGet(0x5002B000, 4)}));
    EXPECT_TRUE(waits.empty());
}

TEST_F(PlaybackStop, RefusedWriteFails) {
    SimDevice sim;
    sim.open();
    hlxsim::FailSet(item::kPlaybackState);
    EXPECT_FALSE(SetPlaybackState(0, wait));
    EXPECT_FALSE(IsPlaybackRunning());
}

}  // namespace
