// The simulated generator's memory, register window, playback state and playing-order check.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "sim_calls.h"
#include "sim_device.h"

using namespace simtest;

namespace {

constexpr uint32_t kLayoutReset = 2178;
constexpr uint32_t kSelectBlock = 2180;
constexpr uint32_t kBlockData = 2181;
constexpr uint32_t kImageData = 1824;
constexpr uint32_t kPatternBlock = 1817;
constexpr uint32_t kPlaybackBlock = 0x5002B002;
constexpr uint32_t kPlayback = 0x5002B000;
constexpr uint32_t kPlayingOrder = 0x5002B00E;

int32_t setText(uint32_t item, const std::string& text) {
    return HLX_TS_SetConfigItem(item, text.data(), static_cast<uint32_t>(text.size()));
}

}  // namespace

TEST(SimMemory, ReportsTheProfileMemorySize) {
    SimDevice sim(
        "[device]\nname = M [1] / HDMI TX\noutputs = HDMI TX\n"
        "[generator]\nmemory = 0x123456789\n");
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    std::vector<uint8_t> got;
    EXPECT_EQ(get(2176, got, 8), 8);
    EXPECT_EQ(value(got, 8), 0x123456789u);
}

TEST(SimMemory, LayoutIsCheckedAgainstTheMemory) {
    SimDevice sim(
        "[device]\nname = M [1] / HDMI TX\noutputs = HDMI TX\n"
        "[generator]\nmemory = 1000\n");
    sim.open();
    const uint64_t kHalfWrap = (UINT64_MAX / 2) + 1;
    EXPECT_EQ(setLayout({600, 401}), -1);
    EXPECT_EQ(HLX_TS_SetConfigItem(2179, nullptr, 0), -1);
    EXPECT_EQ(setLayout({kHalfWrap, kHalfWrap}), -1);  // a sum that wraps to 0
    EXPECT_TRUE(hlxsim::Layout().empty());
    EXPECT_EQ(setLayout({600, 400}), 0);
    EXPECT_EQ(hlxsim::Layout(), (std::vector<uint64_t>{600, 400}));
    EXPECT_EQ(setLayout({2000}), -1);  // a refusal keeps the layout in force
    EXPECT_EQ(hlxsim::Layout(), (std::vector<uint64_t>{600, 400}));
    EXPECT_EQ(set32(kLayoutReset, 0), 0);
    EXPECT_TRUE(hlxsim::Layout().empty());
    EXPECT_EQ(set32(kSelectBlock, 0), -1);
}

TEST(SimMemory, BlocksTakeDataUpToTheirSize) {
    SimDevice sim;
    sim.open();
    ASSERT_EQ(setLayout({4, 6}), 0);
    EXPECT_EQ(set(kBlockData, {1}), -1);  // no block selected yet
    EXPECT_EQ(set32(kSelectBlock, 2), -1);
    ASSERT_EQ(set32(kSelectBlock, 1), 0);
    EXPECT_EQ(set(kBlockData, {1, 2, 3}), 0);
    EXPECT_EQ(set(kImageData, {4, 5}), 0);
    EXPECT_EQ(set(kBlockData, {6, 7}), -1);  // would pass the block's end
    EXPECT_EQ(set(kBlockData, {6}), 0);
    EXPECT_EQ(hlxsim::BlockBytes(1), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(hlxsim::BlockFill(1), 6u);
    EXPECT_FALSE(hlxsim::HasItem(kBlockData));
    // Selecting the block again starts it over.
    ASSERT_EQ(set32(kSelectBlock, 1), 0);
    EXPECT_EQ(hlxsim::BlockFill(1), 0u);
    EXPECT_EQ(set(kBlockData, {9}), 0);
    EXPECT_EQ(hlxsim::BlockBytes(1), (std::vector<uint8_t>{9}));
    // A new layout drops the selection.
    ASSERT_EQ(setLayout({4}), 0);
    EXPECT_EQ(set(kBlockData, {1}), -1);
}

TEST(SimMemory, EngineBlockIndexesAreRangeChecked) {
    SimDevice sim;
    sim.open();
    ASSERT_EQ(setLayout({16, 16}), 0);
    for (uint32_t item : {kPatternBlock, kPlaybackBlock}) {
        SCOPED_TRACE(item);
        EXPECT_EQ(set32(item, 1), 0);
        EXPECT_EQ(set32(item, 2), -1);
        EXPECT_EQ(value(hlxsim::ItemBytes(item), 4), 1u);
    }
    EXPECT_EQ(writeRegister(8205, 1), 0);
    EXPECT_EQ(writeRegister(8205, 2), -1);
    EXPECT_EQ(hlxsim::Register(8205), 1u);
}

struct StoreCase {
    const char* store;
    bool keepsBytes;
    bool keepsCrc;
};

class SimStore : public testing::TestWithParam<StoreCase> {};

TEST_P(SimStore, KeepsWhatTheModeSays) {
    const StoreCase& c = GetParam();
    SimDevice sim(std::string("[device]\nname = M [1] / HDMI TX\noutputs = HDMI TX\n"
                              "[generator]\nstore = ") +
                  c.store + "\n");
    ASSERT_TRUE(sim.loaded()) << sim.error();
    sim.open();
    std::vector<uint8_t> data(1000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
    ASSERT_EQ(setLayout({4096}), 0);
    ASSERT_EQ(set32(kSelectBlock, 0), 0);
    ASSERT_EQ(set(kBlockData, std::vector<uint8_t>(data.begin(), data.begin() + 300)), 0);
    ASSERT_EQ(set(kBlockData, std::vector<uint8_t>(data.begin() + 300, data.end())), 0);
    EXPECT_EQ(hlxsim::BlockFill(0), 1000u);
    EXPECT_EQ(hlxsim::BlockBytes(0), c.keepsBytes ? data : std::vector<uint8_t>{});
    EXPECT_EQ(hlxsim::BlockCrc(0), c.keepsCrc ? hlxsim::Crc32(data.data(), data.size()) : 0u);
}

INSTANTIATE_TEST_SUITE_P(Modes, SimStore,
                         testing::Values(StoreCase{"full", true, true},
                                         StoreCase{"digest", false, true},
                                         StoreCase{"none", false, false}));

// Uploads must not pay for the simulator: without a trace and with store = none a
// set neither copies nor checksums the bytes. 3 GiB through a copy would take seconds.
TEST(SimMemory, LargeSetsCostNothingWithoutTraceOrStore) {
    SimDevice sim(
        "[device]\nname = M [1] / HDMI TX\noutputs = HDMI TX\n"
        "[generator]\nstore = none\n");
    sim.open();
    hlxsim::CaptureTrace(false);
    std::vector<uint8_t> frame(8u << 20);
    ASSERT_EQ(setLayout({4294967296u}), 0);
    ASSERT_EQ(set32(kSelectBlock, 0), 0);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 384; ++i) ASSERT_EQ(set(kImageData, frame), 0);
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(500));
    EXPECT_EQ(hlxsim::BlockFill(0), 384ULL * frame.size());
}

TEST(SimRegisters, WindowReadsWritesAndBlocks) {
    SimDevice sim;
    sim.open();
    std::vector<uint8_t> got;
    EXPECT_EQ(set32(0xFF00000, 6146), 0);
    EXPECT_EQ(get(0xFF00001, got, 8), 8);
    EXPECT_EQ(value(got, 8), 0u);  // never written
    EXPECT_EQ(writeRegister(6146, 0x80000001u), 0);
    EXPECT_EQ(get(0xFF00001, got, 8), 8);
    EXPECT_EQ(value(got, 8), 0x80000001u);
    EXPECT_EQ(set32(0xFF00000, 8198), 0);
    EXPECT_EQ(set(0xFF00004, {1, 2, 3}), 0);
    EXPECT_EQ(hlxsim::RegisterBytes(8198), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(hlxsim::Register(6146), 0x80000001u);
    EXPECT_EQ(set32(0xFF00008, 3), 0);
    EXPECT_EQ(hlxsim::SelectedDevice(), 0);
    EXPECT_EQ(sim.trace(), (std::vector<std::string>{
                               "HLX_TS_SetConfigItem(0x0FF00000, 4, 02180000) = 0",
                               "HLX_TS_GetConfigItem(0x0FF00001, 8) = 8 0000000000000000",
                               "HLX_TS_SetConfigItem(0x0FF00000, 4, 02180000) = 0",
                               "HLX_TS_SetConfigItem(0x0FF00003, 4, 01000080) = 0",
                               "HLX_TS_GetConfigItem(0x0FF00001, 8) = 8 0100008000000000",
                               "HLX_TS_SetConfigItem(0x0FF00000, 4, 06200000) = 0",
                               "HLX_TS_SetConfigItem(0x0FF00004, 3, 010203) = 0",
                               "HLX_TS_SetConfigItem(0x0FF00008, 4, 03000000) = 0",
                           }));
}

TEST(SimPlayback, RunsAndStops) {
    SimDevice sim;
    sim.open();
    std::vector<uint8_t> got;
    EXPECT_EQ(get(kPlayback, got, 4), 4);
    EXPECT_EQ(value(got, 4), 0u);
    EXPECT_EQ(set32(kPlayback, 2), 0);
    EXPECT_EQ(hlxsim::PlaybackState(), 2u);
    EXPECT_EQ(get(kPlayback, got, 8), 4);
    EXPECT_EQ(value(got, 4), 1u);
    EXPECT_EQ(set32(kPlayback, 3), -1);
    EXPECT_EQ(set32(kPlayback, 0), 0);
    EXPECT_EQ(get(kPlayback, got, 4), 4);
    EXPECT_EQ(value(got, 4), 0u);
}

TEST(SimPlayback, StopDelayKeepsReportingRunning) {
    SimDevice sim(
        "[device]\nname = M [1] / HDMI TX\noutputs = HDMI TX\n"
        "[generator]\nstop-delay = 3\n");
    sim.open();
    std::vector<uint8_t> got;
    ASSERT_EQ(set32(kPlayback, 1), 0);
    EXPECT_EQ(set32(kPlayback, 0), 1);
    std::vector<uint64_t> seen;
    for (int i = 0; i < 5; ++i) {
        get(kPlayback, got, 4);
        seen.push_back(value(got, 4));
    }
    EXPECT_EQ(seen, (std::vector<uint64_t>{1, 1, 1, 0, 0}));
    // Starting again ends a pending stop.
    EXPECT_EQ(set32(kPlayback, 0), 1);
    EXPECT_EQ(set32(kPlayback, 1), 0);
    EXPECT_EQ(set32(kPlayback, 0), 1);
}

struct OrderCase {
    const char* text;
    bool valid;
};

class SimPlayingOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(SimPlayingOrder, IsCheckedByTheDevice) {
    SimDevice sim;
    sim.open();
    const OrderCase& c = GetParam();
    EXPECT_EQ(setText(kPlayingOrder, c.text), c.valid ? 0 : -1);
    EXPECT_EQ(hlxsim::HasItem(kPlayingOrder), c.valid);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SimPlayingOrder,
    testing::Values(OrderCase{"", true}, OrderCase{"0:1::256", true}, OrderCase{"p0:1::256", true},
                    OrderCase{"10-14:2:3,4:256", true}, OrderCase{"0:1::256v2;5:3:0:256;", true},
                    OrderCase{" 1: 2: 3, 4: 5v 6", true}, OrderCase{"0:1::256;;1:1::256", false},
                    OrderCase{";0:1::256", false}, OrderCase{"0:1::256;;", false},
                    OrderCase{"P0:1::256", false}, OrderCase{"0:1:256", false},
                    OrderCase{"0:1::256:", false}, OrderCase{"0-:1::256", false},
                    OrderCase{"0-1-2:1::256", false}, OrderCase{"0:1:3,,4:256", false},
                    OrderCase{"0:1: :256", false}, OrderCase{"0:1::256v", false},
                    OrderCase{"0:x::256", false}, OrderCase{"0 :1::256", false},
                    OrderCase{"0:1::-256", false}, OrderCase{";", false},
                    OrderCase{"0:1:3,:256", true}, OrderCase{"0:1:,:256", false}));
