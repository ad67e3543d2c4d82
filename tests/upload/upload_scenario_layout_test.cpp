// Block sizes of the memory layout, the reset to a pattern and the fixed default layout.
#include <gtest/gtest.h>

#include <filesystem>

#include "device/config_items.h"
#include "format/arithmetic.h"
#include "upload/content_plan.h"
#include "upload/memory_layout.h"
#include "upload/packets.h"
#include "upload/upload_scenario.h"
#include "upload_scenario_support.h"

using namespace orchestration;

namespace {

TEST(RoundUpTest, RoundsUpAndSaturatesInsteadOfWrapping) {
    struct Case {
        uint64_t value, alignment, rounded;
    };
    for (const Case c :
         {Case{0, 1024, 0}, Case{1, 1024, 1024}, Case{1024, 1024, 1024}, Case{1025, 1024, 2048},
          Case{7680, 1024, 8192}, Case{15360, 1024, 15360}, Case{1, 12288, 12288},
          Case{13312, 12288, 24576}, Case{0xFFFFFFFF, 1024, 0x100000000},
          Case{kSaturated - 2046, 1024, kSaturated - 1023}, Case{kSaturated - 5, 1024, kSaturated},
          Case{kSaturated, 12288, kSaturated}}) {
        EXPECT_EQ(RoundUp(c.value, c.alignment), c.rounded) << c.value << " / " << c.alignment;
    }
    EXPECT_EQ(SaturatingMultiply(uint64_t{1} << 40, uint64_t{1} << 30), kSaturated);
    // 2^70 + 2^40, wrapped
    EXPECT_EQ(WrappingMultiply(uint64_t{1} << 40, (uint64_t{1} << 30) + 1), uint64_t{1} << 40);
}

class MemoryBlocksTest : public ::testing::Test, public ScenarioBench {
  protected:
    // `count` one-byte frame files: sizing looks at existence only.
    std::string Sequence(const std::string& prefix, int count) {
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "%s%03d.bin", prefix.c_str(), i);
            folder.write(name, std::string("x"));
        }
        return Path(prefix + "000.bin");
    }
    // One step sending `count` copies of one HDMI packet.
    void OneStepOfPackets(int count) {
        settings.packets = Packet("pk000.bin", 7);
        settings.porder = "0:1:0";
        for (int i = 1; i < count; ++i) settings.porder += ",0";
        settings.porder += ":256";
    }
    size_t PacketDataBytes() {
        PacketSet set;
        std::vector<uint8_t> data;
        EXPECT_TRUE(LoadPackets(settings, set));
        EXPECT_EQ(BuildPacketData(set, data), PacketDataStatus::kOk);
        return data.size();
    }
    using Layout = std::vector<uint64_t>;
    // Sized as the upload sizes them: by the scenario's plan.
    Layout Blocks() { return PlanContent(settings).layout.blocks; }
};

TEST_F(MemoryBlocksTest, FramesReserveTwoRoundedLinePartsPerLine) {
    settings.timing.hactive = 1920;
    settings.timing.vactive = 1080;
    settings.video = Sequence("hd", 10);
    EXPECT_EQ(Blocks(), (Layout{132710400, 0, 0}));
    settings.video = Sequence("one", 1);
    EXPECT_EQ(Blocks(), (Layout{13271040, 0, 0}));

    settings.timing.hactive = 3840;
    settings.timing.vactive = 2160;
    settings.video = Sequence("uhd", 1);
    EXPECT_EQ(Blocks(), (Layout{50872320, 0, 0}));
}

TEST_F(MemoryBlocksTest, OneBlockPerVideoItemInOrder) {
    const std::string a = Sequence("a", 2);
    const std::string b = Sequence("b", 3);
    settings.video = ";" + b + ";;" + a + ";";  // empty items are dropped
    EXPECT_EQ(Blocks(), (Layout{3 * kFrameReservation, 2 * kFrameReservation, 0, 0}));
    settings.video = b + ";" + Path("none000.bin");  // an empty sequence still has its block
    EXPECT_EQ(Blocks(), (Layout{3 * kFrameReservation, 0, 0, 0}));
    settings.video = b + " (not selected)";
    EXPECT_EQ(Blocks(), (Layout{0, 0}));
}

TEST_F(MemoryBlocksTest, PacketBlocksRoundToTwelveKibibytes) {
    struct Case {
        int packets;
        size_t dataBytes;
        uint64_t block;
    };
    for (const Case c : {Case{2, 1024, 12288}, Case{350, 12288, 12288}, Case{382, 13312, 24576}}) {
        OneStepOfPackets(c.packets);
        ASSERT_EQ(PacketDataBytes(), c.dataBytes);
        EXPECT_EQ(Blocks(), (Layout{c.block, 0})) << c.packets;
    }
    settings.packets = "not selected";
    EXPECT_EQ(Blocks(), (Layout{0, 0}));
    settings.packets = folder.write("pk000.dat", std::vector<uint8_t>(31, 1));  // not loadable
    EXPECT_EQ(Blocks(), (Layout{0, 0}));
}

TEST_F(MemoryBlocksTest, PacketsOverTheStepLimitAreRefusedBeforeTheLayout) {
    OneStepOfPackets(2048);  // 65536 bytes in one step
    settings.audio = Wav("tone.wav", 4);
    const ContentPlan plan = PlanContent(settings);
    EXPECT_TRUE(plan.findings.refusesAt(FindingPoint::kLayout));
    EXPECT_EQ(plan.layout.blocks, (Layout{0, 12288}));
}

TEST_F(MemoryBlocksTest, AudioBlockFromTheWaveHeaderOrTheRawSize) {
    settings.audio = Wav("second.wav", 48000);  // 48000 x 8 + 4 bytes of device data
    EXPECT_EQ(Blocks(), (Layout{0, 393216}));

    WavSpec eight;
    eight.channels = 8;
    settings.audio = folder.write("eight.wav", MakeWav(eight, std::vector<uint8_t>(16 * 400, 0)));
    EXPECT_EQ(Blocks(), (Layout{0, 24576}));  // 400 x 32 + 4

    // The extension decides, as when reading: "bin" is raw, twice the file size.
    settings.audio = folder.write("tone.wav.bin", std::vector<uint8_t>(10000, 0));
    EXPECT_EQ(Blocks(), (Layout{0, 24576}));
    WavSpec bytes;
    bytes.bits = 8;
    settings.audio = folder.write("tone.bin.wav", MakeWav(bytes, std::vector<uint8_t>(6000, 0)));
    EXPECT_EQ(Blocks(), (Layout{0, 24576}));                                    // 3000 x 8 + 4
    settings.audio = folder.write("tone.wav", std::vector<uint8_t>(10000, 0));  // no header
    EXPECT_EQ(Blocks(), (Layout{0, 0}));
    settings.audio = Path("missing.bin");
    EXPECT_EQ(Blocks(), (Layout{0, 0}));
    settings.audio = Path("tone.wav") + " not selected";
    EXPECT_EQ(Blocks(), (Layout{0, 0}));
}

// Sizes past 32 bits keep their value instead of wrapping (sparse files, nothing read).
TEST_F(MemoryBlocksTest, AudioPastFourGibibytesKeepsItsWholeSize) {
    settings.audio = folder.write("long.bin", std::string());
    std::filesystem::resize_file(settings.audio, uint64_t{3} << 30);
    EXPECT_EQ(Blocks(), (Layout{0, uint64_t{6} << 30}));

    WavSpec three;
    three.channels = 3;
    three.bits = 8;
    three.dataSize = 0xFFFFFFF0;  // cut to what the file holds
    settings.audio = folder.write("long.wav", MakeWav(three, {}));
    const uint64_t frames = 150000000;
    std::filesystem::resize_file(settings.audio, 44 + 3 * frames);
    const uint64_t bytes = 32 * frames + 4;
    EXPECT_EQ(Blocks(), (Layout{0, (bytes + 12287) / 12288 * 12288}));
}

class PatternResetTest : public ::testing::Test, public ScenarioBench {
  protected:
    RecordingLoader loader;
};

TEST_F(PatternResetTest, ResetsTheLayoutAndShowsThePattern) {
    ASSERT_TRUE(SetMemoryLayout({4096, 0, 0}));
    Trace();
    EXPECT_TRUE(ResetLayoutToPattern(loader));
    EXPECT_EQ(loader.lines, Lines{"info: Resetting memory layout"});
    EXPECT_EQ(Trace(), ResetToPatternLines());
    EXPECT_TRUE(hlxsim::Layout().empty());
}

TEST_F(PatternResetTest, EachRefusalHasItsMessage) {
    struct Case {
        uint32_t item;
        size_t calls;
        std::string message;
    };
    const Case cases[] = {
        {item::kMemoryLayoutReset, 1, "Failed resetting memory layout!"},
        {item::kColorFormat, 2, "Failed setting color format!"},
        {item::kPattern, 3, "Failed applying pattern second time!"},
        {item::kApplySettings, 4, "Failed applying settings!"},
    };
    for (const Case& c : cases) {
        hlxsim::ClearFaults();
        hlxsim::FailSet(c.item);
        loader.lines.clear();
        EXPECT_FALSE(ResetLayoutToPattern(loader)) << c.message;
        EXPECT_EQ(loader.lines, (Lines{"info: Resetting memory layout", "error: " + c.message}));
        Lines expected = ResetToPatternLines();
        expected.resize(c.calls);
        std::string& refused = expected.back();
        refused.replace(refused.size() - 1, 1, "-1");
        EXPECT_EQ(Trace(), expected);
    }
}

class DefaultLayoutTest : public ::testing::Test, public ScenarioBench {};

Lines DefaultLayoutLines() {
    return trace::Join({trace::WriteRegister(reg::kAudioMute, 1),
                        trace::WriteRegister(reg::kAudioControl, 0),
                        {LayoutLine({167772160, 0, 0}), trace::Set(item::kPatternMemoryBlock, 0),
                         trace::Set(item::kPlaybackMemoryBlock, 1)},
                        trace::WriteRegister(reg::kAudioMemoryBlock, 2)});
}

TEST_F(DefaultLayoutTest, ThreeBlocksWithOneEnginePerBlock) {
    EXPECT_TRUE(SetDefaultMemoryLayout());
    EXPECT_EQ(Trace(), DefaultLayoutLines());
    EXPECT_EQ(hlxsim::Layout(), (std::vector<uint64_t>{167772160, 0, 0}));
    EXPECT_EQ(hlxsim::Register(reg::kAudioMemoryBlock), 2u);
}

TEST_F(DefaultLayoutTest, StopsAtTheFirstRefusalButIgnoresTheAudioSwitches) {
    struct Case {
        uint32_t item;
        uint32_t reg;
        size_t calls;  // trace lines up to the refused one
        bool result;
    };
    for (const Case c :
         {Case{item::kMemoryLayout, 0, 5, false}, Case{item::kPatternMemoryBlock, 0, 6, false},
          Case{item::kPlaybackMemoryBlock, 0, 7, false}, Case{0, reg::kAudioMemoryBlock, 9, false},
          Case{0, reg::kAudioMute, 9, true}, Case{0, reg::kAudioControl, 9, true}}) {
        hlxsim::ClearFaults();
        if (c.item != 0) hlxsim::FailSet(c.item);
        if (c.reg != 0) hlxsim::FailRegister(c.reg);
        EXPECT_EQ(SetDefaultMemoryLayout(), c.result) << c.item << " " << c.reg;
        const Lines all = Trace();
        EXPECT_EQ(all.size(), c.calls) << c.item << " " << c.reg;
        if (!c.result) {
            EXPECT_TRUE(all.back().ends_with(" = -1")) << all.back();
        }
    }
}

}  // namespace
