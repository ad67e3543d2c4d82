#include "upload/packets.h"

#include <gtest/gtest.h>

#include "audio_files.h"
#include "device/config_items.h"
#include "scenario/scenario.h"
#include "sim_device.h"
#include "support.h"
#include "trace_lines.h"
#include "upload/content_plan.h"
#include "upload/memory_layout.h"
#include "upload/recording_loader.h"

namespace {

std::vector<uint8_t> Parse(const std::vector<uint8_t>& file, bool hdmi, bool* ok = nullptr) {
    std::vector<uint8_t> layout;
    const bool parsed = ParsePacket(file.data(), file.size(), hdmi, layout);
    if (ok) *ok = parsed;
    return layout;
}

std::vector<uint8_t> Counting(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i + 1);
    return bytes;
}

PlayingOrderStep Step(std::vector<uint32_t> packets) {
    PlayingOrderStep step;
    step.packetIndices = std::move(packets);
    return step;
}

uint32_t Le16(const std::vector<uint8_t>& data, size_t at) {
    return data[at] | uint32_t{data[at + 1]} << 8;
}

TEST(PacketLayoutTest, HdmiInfoFrameMapsEveryByte) {
    const uint8_t devicePosition[32] = {0,  9,  18, 1,  2,  10, 11, 19, 20, 28, 3,
                                        4,  12, 13, 21, 22, 29, 5,  6,  14, 15, 23,
                                        24, 30, 7,  8,  16, 17, 25, 26, 31, 27};
    std::vector<uint8_t> file = Counting(31);
    file.resize(kPacketFileMinBytes, 0);  // as loaded: padded to 36
    bool ok = false;
    const std::vector<uint8_t> layout = Parse(file, true, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(layout.size(), 32u);
    for (size_t i = 0; i < 32; ++i)
        EXPECT_EQ(layout[devicePosition[i]], file[i]) << "file byte " << i;
    EXPECT_EQ(layout[27], 0);  // the padding byte
    Parse(Counting(30), true, &ok);
    EXPECT_FALSE(ok);
}

TEST(PacketLayoutTest, DisplayPortHeaderWordsThenPayload) {
    bool ok = false;
    const std::vector<uint8_t> file = Counting(36);
    const std::vector<uint8_t> layout = Parse(file, false, &ok);
    ASSERT_TRUE(ok);
    std::vector<uint8_t> expected{1, 2, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0};
    expected.insert(expected.end(), file.begin() + 4, file.end());
    EXPECT_EQ(layout, expected);

    struct Case {
        size_t size;
        bool ok;
    };
    for (const Case c : {Case{40, false}, Case{52, true}, Case{116, true}, Case{132, false},
                         Case{3, false}, Case{4, true}}) {
        Parse(Counting(c.size), false, &ok);
        EXPECT_EQ(ok, c.ok) << c.size;
    }
    EXPECT_EQ(Parse(Counting(116), false)[1], 7);
}

TEST(PacketDataTest, OneStepWithTheSamePacketTwice) {
    PacketSet set;
    set.packets = {Counting(32)};
    set.steps = {Step({0, 0})};
    std::vector<uint8_t> data;
    ASSERT_EQ(BuildPacketData(set, data), PacketDataStatus::kOk);
    ASSERT_EQ(data.size(), 1024u);
    EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.begin() + 8),
              (std::vector<uint8_t>{64, 0, 64, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + 8, data.begin() + 64),
              std::vector<uint8_t>(56, 0));
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + 64, data.begin() + 96), Counting(32));
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + 96, data.begin() + 128), Counting(32));
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + 128, data.end()), std::vector<uint8_t>(896, 0));
}

TEST(PacketDataTest, StepWithoutPacketsSharesTheNextOffset) {
    PacketSet set;
    set.packets = {Counting(48), Counting(32)};
    set.steps = {Step({0}), Step({}), Step({1, 0})};
    std::vector<uint8_t> data;
    ASSERT_EQ(BuildPacketData(set, data), PacketDataStatus::kOk);
    EXPECT_EQ(Le16(data, 0), 64u);
    EXPECT_EQ(Le16(data, 2), 48u);
    EXPECT_EQ(Le16(data, 8), 128u);
    EXPECT_EQ(Le16(data, 10), 0u);
    EXPECT_EQ(Le16(data, 16), 128u);
    EXPECT_EQ(Le16(data, 18), 80u);
    EXPECT_EQ(data[128 + 32], 1);  // packet 0 right after packet 1
    EXPECT_EQ(data.size(), 1024u);
}

TEST(PacketDataTest, HighOffsetBitsGoToTheLastTwoBytes) {
    PacketSet set;
    set.packets = {std::vector<uint8_t>(64000, 9)};
    set.steps = {Step({0}), Step({0}), Step({0})};
    std::vector<uint8_t> data;
    ASSERT_EQ(BuildPacketData(set, data), PacketDataStatus::kOk);
    const uint32_t third = 64 + 2 * 64000;  // 0x1F440, already a multiple of 64
    EXPECT_EQ(Le16(data, 16), third & 0xFFFF);
    EXPECT_EQ(Le16(data, 18), 64000u);
    EXPECT_EQ(Le16(data, 20), 0u);
    EXPECT_EQ(Le16(data, 22), 1u);
    EXPECT_EQ(data[third], 9);
    EXPECT_EQ(data.size(), 192512u);  // RoundUp(192064 + 64, 1024)
}

TEST(PacketDataTest, LimitsAndMissingPackets) {
    PacketSet set;
    set.packets = {Counting(32)};
    std::vector<uint8_t> data{1};
    set.steps = {Step(std::vector<uint32_t>(2047, 0))};
    EXPECT_EQ(BuildPacketData(set, data), PacketDataStatus::kOk);
    set.steps = {Step(std::vector<uint32_t>(2048, 0))};
    EXPECT_EQ(BuildPacketData(set, data), PacketDataStatus::kStepTooLarge);
    // 256 full steps of 65504 bytes pass 2^24 at the last one.
    set.steps.assign(256, Step(std::vector<uint32_t>(2047, 0)));
    EXPECT_EQ(BuildPacketData(set, data), PacketDataStatus::kDataTooLarge);
    set.steps.resize(255);
    EXPECT_EQ(BuildPacketData(set, data), PacketDataStatus::kOk);
    set.steps = {Step({0}), Step({1})};
    EXPECT_EQ(BuildPacketData(set, data), PacketDataStatus::kMissingPacket);
    set.steps.clear();
    EXPECT_EQ(BuildPacketData(set, data), PacketDataStatus::kOk);
    EXPECT_TRUE(data.empty());
}

class PacketUploadTest : public ::testing::Test {
  protected:
    PacketUploadTest() { sim.open(); }
    void Files(size_t count, size_t size) {
        for (size_t i = 0; i < count; ++i) {
            settings.packets = folder.write("pkt" + std::to_string(i) + ".bin", Counting(size));
        }
        settings.packets = folder.path() + "/pkt0.bin";
    }
    // Sent as the upload sends them: the data prepared for sizing, into the packets block
    // of `layout` (block 0 when there is no video).
    bool Upload(const MemoryLayout& layout = MemoryLayout{{0, 0}}) {
        const ContentPlan plan = PlanContent(settings);
        return UploadPackets(loader, settings, plan.packets, layout, plan.findings);
    }
    SimDevice sim;
    TempFolder folder;
    ScenarioSettings settings;
    RecordingLoader loader;
};

TEST_F(PacketUploadTest, LoadsTheSequenceInOrder) {
    Files(3, 20);
    settings.porder = "0:1:2,0:256";
    PacketSet set;
    ASSERT_TRUE(LoadPackets(settings, set));
    ASSERT_EQ(set.packets.size(), 3u);
    EXPECT_EQ(set.packets[0].size(), 48u);  // padded to 36: two payload units
    ASSERT_EQ(set.steps.size(), 1u);
    EXPECT_EQ(set.steps[0].packetIndices, (std::vector<uint32_t>{2, 0}));
    settings.hdmi = true;
    ASSERT_TRUE(LoadPackets(settings, set));
    EXPECT_EQ(set.packets[2].size(), 32u);
}

TEST_F(PacketUploadTest, FilesThatMakeNoPacketFailTheLoad) {
    PacketSet set;
    settings.packets = folder.write("dp0.bin", Counting(40));
    EXPECT_FALSE(LoadPackets(settings, set));
    settings.packets = folder.write("empty0.bin", std::string());
    EXPECT_FALSE(LoadPackets(settings, set));
    settings.packets = folder.write("pkt0.BIN", Counting(36));
    EXPECT_FALSE(LoadPackets(settings, set));
    settings.packets = folder.path() + "/none0.bin";
    EXPECT_FALSE(LoadPackets(settings, set));
}

TEST_F(PacketUploadTest, WritesThePacketDataAfterTheVideoBlocks) {
    Files(1, 31);
    settings.hdmi = true;
    settings.video = "v000.bin";
    settings.porder = "0:1:0,0:256";
    const MemoryLayout layout{{0, 12288, 0}};
    ASSERT_TRUE(SetMemoryLayout(layout.blocks));
    sim.trace();
    ASSERT_TRUE(Upload(layout));
    EXPECT_EQ(loader.lines, std::vector<std::string>{"info: Loaded packet(s)"});
    const std::vector<uint8_t> block = hlxsim::BlockBytes(1);
    ASSERT_EQ(block.size(), 1024u);
    const std::vector<std::string> expected{trace::Set(0x884, 1), trace::SetData(0x885, block)};
    EXPECT_EQ(sim.trace(), expected);
    EXPECT_EQ(Le16(block, 2), 64u);
}

TEST_F(PacketUploadTest, TooManyPacketsInOneStepAfterTheRelaxedNote) {
    Files(1, 31);
    settings.hdmi = true;
    settings.strict = false;
    settings.porder = "0:1:" + std::string("0") + [] {
        std::string more;
        for (int i = 1; i < 2048; ++i) more += ",0";
        return more;
    }() + ":256";
    EXPECT_FALSE(Upload());
    EXPECT_EQ(loader.lines, (std::vector<std::string>{"info: Relaxed settings validation.",
                                                      "error: Too many packets in one step!"}));
    EXPECT_TRUE(sim.trace().empty());
}

TEST_F(PacketUploadTest, FailuresAndTheUnselectedCase) {
    settings.packets = "not selected";
    settings.strict = false;
    EXPECT_TRUE(Upload());
    EXPECT_EQ(loader.lines, std::vector<std::string>{"info: Relaxed settings validation."});

    loader.lines.clear();
    settings.strict = true;
    settings.packets = folder.write("bad0.bin", Counting(40));
    EXPECT_FALSE(Upload());
    EXPECT_EQ(loader.lines, (std::vector<std::string>{
                                "error: bad0.bin: a DisplayPort packet of 40 bytes has a payload "
                                "of 36 bytes, not a whole number of 16-byte units",
                                "error: Fatal: failed to read/upload packets!"}));

    loader.lines.clear();
    Files(1, 36);
    hlxsim::FailSet(0x885);
    EXPECT_FALSE(Upload());  // no layout, so the block is refused too
    EXPECT_EQ(loader.lines, std::vector<std::string>{"error: Fatal: failed to transfer packets!"});

    loader.lines.clear();
    settings.porder = "0:1:1:256";  // packet 1 does not exist
    EXPECT_FALSE(Upload());
    EXPECT_EQ(loader.lines,
              std::vector<std::string>{"error: Fatal: failed to read/upload packets!"});
}

}  // namespace
