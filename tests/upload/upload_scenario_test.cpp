// The upload orchestration against the simulated generator: layout, engine blocks,
// content uploads, playing order and the messages of each outcome.
#include "upload/upload_scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "upload/audio.h"
#include "upload/packets.h"
#include "upload_scenario_support.h"

using namespace orchestration;

namespace {

class UploadScenarioTest : public ::testing::Test, public ScenarioBench {
  protected:
    // Audio only: the smallest scenario that runs every step.
    void AudioOnly() {
        settings.audio = Wav("tone.wav", 4);
        settings.porder = "";
    }
    std::vector<uint8_t> AudioData() const {
        PageBuffer data;
        AudioFormat format;
        EXPECT_TRUE(ReadAudioFile(settings, data, format));
        return std::vector<uint8_t>(data.begin(), data.end());
    }
    std::vector<uint8_t> PacketData() const {
        PacketSet set;
        std::vector<uint8_t> data;
        EXPECT_TRUE(LoadPackets(settings, set));
        EXPECT_EQ(BuildPacketData(set, data), PacketDataStatus::kOk);
        return data;
    }
    RecordingLoader loader;
};

Lines Head(const Lines& lines, size_t count) {
    return Lines(lines.begin(), lines.begin() + std::min(count, lines.size()));
}

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(UploadScenarioTest, TwoVideoItemsAudioAndPackets) {
    Frame("a000.bin", 1);
    Frame("a001.bin", 2);
    Frame("b000.bin", 3);
    Packet("pk000.bin", 10);
    Packet("pk001.bin", 50);
    settings.video = Path("a000.bin") + ";" + Path("b000.bin");
    settings.audio = Wav("tone.wav", 4);
    settings.packets = Path("pk000.bin");
    settings.porder = "0:1:0,1:256";
    LogCapture log;
    ASSERT_TRUE(UploadScenario(settings, PlanContent(settings)).uploaded);

    EXPECT_EQ(log.lines,
              (Lines{"Scenario: 1steps; total duration 1 frames", "Total memory: 4294967296 bytes.",
                     "Total data size: 49152 bytes.", "Video data size: 24576 bytes.",
                     "Packets data size: 12288 bytes.", "Audio data size: 12288 bytes.",
                     "Memory layout: OK.", "a000.bin: 4 Bpp ", "a001.bin: 4 Bpp ",
                     "b000.bin: 4 Bpp ", "Image upload succeeded!", "Set STS OK",
                     "Set packet type 0 OK", "Set audio parameters [2, 48000, 16] OK",
                     "Loaded packet(s)", "Loaded playback scenario", "Upload succeeded!"}));
    const std::vector<uint64_t> layout{2 * kFrameReservation, kFrameReservation, 12288, 12288};
    const Lines expectedHead = OrchestrationLines(layout);
    const Lines all = Trace();
    EXPECT_EQ(Head(all, expectedHead.size()), expectedHead);
    const std::vector<uint8_t> audio = AudioData();
    const std::vector<uint8_t> packets = PacketData();
    EXPECT_EQ(ContentLines(all), (Lines{SelectLine(0), DataLine(item::kImageData, FrameBytes(1)),
                                        DataLine(item::kImageData, FrameBytes(2)), SelectLine(1),
                                        DataLine(item::kImageData, FrameBytes(3)), SelectLine(3),
                                        DataLine(item::kMemoryBlockData, audio), SelectLine(2),
                                        DataLine(item::kMemoryBlockData, packets)}));
    EXPECT_EQ(all.back(), PlayingOrderLine("0:1:0,1:256"));

    EXPECT_EQ(hlxsim::Layout(), layout);
    EXPECT_EQ(hlxsim::BlockBytes(0), Concat(FrameBytes(1), FrameBytes(2)));
    EXPECT_EQ(hlxsim::BlockBytes(1), FrameBytes(3));
    EXPECT_EQ(hlxsim::BlockBytes(2), packets);
    EXPECT_EQ(hlxsim::BlockBytes(3), audio);
    EXPECT_EQ(hlxsim::Register(reg::kAudioMemoryBlock), 3u);
}

TEST_F(UploadScenarioTest, AudioOnlyPutsPatternAndPlaybackOnTheEmptyPacketsBlock) {
    // Absent and "not selected" content alike: no video block, no video load.
    for (const char* unselected : {"", "not selected", "- not selected -"}) {
        AudioOnly();
        settings.video = unselected;
        settings.packets = unselected;
        loader.lines.clear();
        loader.videoLoads = 0;
        ASSERT_TRUE(UploadScenarioContent(loader, settings)) << unselected;
        EXPECT_EQ(loader.videoLoads, 0);
        EXPECT_EQ(
            loader.lines,
            (Lines{"info: Scenario: 1steps; total duration 1 frames",
                   "info: Total memory: 4294967296 bytes.", "info: Total data size: 12288 bytes.",
                   "info: Video data size: 0 bytes.", "info: Packets data size: 0 bytes.",
                   "info: Audio data size: 12288 bytes.", "info: Memory layout: OK.",
                   "info: Set STS OK", "info: Set packet type 0 OK",
                   "info: Set audio parameters [2, 48000, 16] OK", "info: Loaded playback scenario",
                   "success: Upload succeeded!"}));
        const Lines all = Trace();
        const Lines expectedHead = OrchestrationLines({0, 12288});
        EXPECT_EQ(Head(all, expectedHead.size()), expectedHead);
        EXPECT_EQ(ContentLines(all),
                  (Lines{SelectLine(1), DataLine(item::kMemoryBlockData, AudioData())}));
        // An empty playing order goes to the device as a zero-length item.
        EXPECT_EQ(all.back(), PlayingOrderLine(""));
        EXPECT_EQ(all.back(), "HLX_TS_SetConfigItem(0x5002B00E, 0, ) = 0");
    }
}

TEST_F(UploadScenarioTest, RunningPlaybackIsStoppedBeforeTheLayout) {
    AudioOnly();
    const uint32_t on = 1;
    ASSERT_EQ(HLX_TS_SetConfigItem(item::kPlaybackState, &on, 4), 0);
    Trace();
    ASSERT_TRUE(UploadScenarioContent(loader, settings));
    const Lines all = Trace();
    const Lines expected =
        trace::Join({{trace::Get(item::kMemorySize, kDefaultMemory, 8),
                      trace::Get(item::kMemorySize, kDefaultMemory, 8),
                      trace::Get(item::kPlaybackState, 1), trace::Set(item::kPlaybackState, 0)},
                     trace::WriteRegister(reg::kAudioControl, 0),
                     {LayoutLine({0, 12288})}});
    EXPECT_EQ(Head(all, expected.size()), expected);
    EXPECT_EQ(hlxsim::PlaybackState(), 0u);
}

TEST_F(UploadScenarioTest, MissingFilesAreAllReportedAndTheStepCheckStillRuns) {
    Frame("f000.bin", 1);
    Frame("a007.bin", 1);  // neither a000 nor a001: the sequence finds nothing
    settings.video = Path("a007.bin") + ";" + Path("f000.bin") + ";" + Path("clip.bin");
    settings.audio = Path("tone.wav");
    settings.packets = Path("pk000.bin");
    struct Case {
        std::string porder;
        std::string stepLine;
    };
    const Case cases[] = {
        {"", "info: Scenario: 1steps; total duration 1 frames"},
        {"0:1:5:256", "error: Scenario: FATAL error, packet 5 cannot be found"},
    };
    for (const Case& c : cases) {
        settings.porder = c.porder;
        loader.lines.clear();
        EXPECT_FALSE(UploadScenarioContent(loader, settings)) << c.porder;
        // An empty sequence is named by the first file it looked for.
        EXPECT_EQ(loader.lines,
                  (Lines{"info: File a000.bin doesn't exist!", "info: File clip.bin doesn't exist!",
                         "info: File tone.wav doesn't exist!",
                         "info: File pk000.bin doesn't exist!", c.stepLine}));
        EXPECT_TRUE(Trace().empty());
    }
}

TEST_F(UploadScenarioTest, FailedStepCheckAloneStopsBeforeTheDevice) {
    AudioOnly();
    settings.porder = "0:1:0:256";  // a packet, but no packets
    EXPECT_FALSE(UploadScenarioContent(loader, settings));
    EXPECT_EQ(loader.lines, Lines{"error: Scenario: FATAL error, packet 0 cannot be found"});
    EXPECT_TRUE(Trace().empty());
}

TEST_F(UploadScenarioTest, MemoryMustBeStrictlyLargerThanTheTotal) {
    struct Case {
        uint64_t memory;
        bool failRead;
        bool uploaded;
    };
    for (const Case c :
         {Case{12288, false, false}, Case{12289, false, true}, Case{kDefaultMemory, true, false}}) {
        UseMemory(c.memory);
        if (c.failRead) hlxsim::FailGet(item::kMemorySize);
        AudioOnly();
        loader.lines.clear();
        EXPECT_EQ(UploadScenarioContent(loader, settings), c.uploaded) << c.memory;
        const uint64_t shown = c.failRead ? 0 : c.memory;
        const Lines sizes{"info: Total memory: " + std::to_string(shown) + " bytes.",
                          "info: Total data size: 12288 bytes."};
        EXPECT_EQ(Head(Lines(loader.lines.begin() + 1, loader.lines.end()), 2), sizes);
        if (c.uploaded) {
            EXPECT_EQ(loader.lines.back(), "success: Upload succeeded!");
            continue;
        }
        ASSERT_EQ(loader.lines.size(), 7u);
        EXPECT_EQ(loader.lines.back(), "error: Not enough memory in the device!");
        const Lines reads = c.failRead ? Lines{trace::FailedGet(item::kMemorySize, 8),
                                               trace::FailedGet(item::kMemorySize, 8)}
                                       : Lines{trace::Get(item::kMemorySize, c.memory, 8),
                                               trace::Get(item::kMemorySize, c.memory, 8)};
        EXPECT_EQ(Trace(), reads);
    }
}

// A 6 GiB track (sparse raw file) keeps its whole size and meets the memory check.
TEST_F(UploadScenarioTest, AudioBeyondFourGibibytesIsRefusedByTheMemoryCheck) {
    settings.audio = Path("long.bin");
    folder.write("long.bin", std::string());
    std::filesystem::resize_file(settings.audio, uint64_t{3} << 30);
    EXPECT_FALSE(UploadScenarioContent(loader, settings));
    ASSERT_EQ(loader.lines.size(), 7u);
    EXPECT_EQ(loader.lines[2], "info: Total data size: 6442450944 bytes.");
    EXPECT_EQ(loader.lines[5], "info: Audio data size: 6442450944 bytes.");
    EXPECT_EQ(loader.lines[6], "error: Not enough memory in the device!");
    EXPECT_EQ(Trace().size(), 2u);
}

TEST_F(UploadScenarioTest, PacketDataOverTheLimitsResetsTheLayout) {
    Packet("pk000.bin", 1);
    settings.packets = Path("pk000.bin");
    std::string zeros2048 = "0";
    for (int i = 1; i < 2048; ++i) zeros2048 += ",0";
    // 64 frames, so that 256 steps of 2047 packets each pass the step check.
    for (int i = 0; i < 64; ++i) {
        char name[24];  // room for any int: GCC at -O1 cannot bound i
        std::snprintf(name, sizeof name, "f%03d.bin", i);
        folder.write(name, std::string("x"));
    }
    const std::string item2047 = "0-63:1:" + zeros2048.substr(2) + ":256";
    struct Case {
        bool video;
        std::string porder;
        std::string summary;
        std::string limit;
    };
    const Case cases[] = {
        {false, "0:1:" + zeros2048 + ":256", "1steps; total duration 1 frames",
         "Too many packets in one step!"},
        {true, item2047 + ";" + item2047 + ";" + item2047 + ";" + item2047,
         "256steps; total duration 256 frames", "Too many steps with packets!"},
    };
    for (const Case& c : cases) {
        settings.video = c.video ? Path("f000.bin") : "";
        settings.porder = c.porder;
        loader.lines.clear();
        EXPECT_FALSE(UploadScenarioContent(loader, settings)) << c.summary;
        EXPECT_EQ(loader.lines, (Lines{"info: Scenario: " + c.summary, "error: " + c.limit,
                                       "info: Resetting memory layout"}));
        EXPECT_EQ(Trace(), ResetToPatternLines());
        EXPECT_EQ(loader.videoLoads, 0);
    }
}

TEST_F(UploadScenarioTest, EachDeviceRefusalIsReportedAndEndsTheUpload) {
    struct Case {
        uint32_t item;        // refused item, or
        uint32_t reg;         // refused register
        std::string refused;  // the trace's last line
        std::string message;
    };
    const Case cases[] = {
        {item::kMemoryLayout, 0, LayoutLine({0, 12288}, -1), "Memory layout: FAIL!"},
        {item::kPatternMemoryBlock, 0, trace::RefusedSet(item::kPatternMemoryBlock, 0) + "1",
         "Failed setting memory block for pattern generator!"},
        {item::kPlaybackMemoryBlock, 0, trace::RefusedSet(item::kPlaybackMemoryBlock, 0) + "1",
         "Failed setting memory block for playback!"},
        {0, reg::kAudioMemoryBlock, trace::RefusedSet(item::kRegisterWrite, 1) + "1",
         "Failed setting memory block for audio generator!"},
        {item::kPlaybackScenario, 0, PlayingOrderLine("", -1),
         "fatal: failed to load playback scenario!"},
    };
    AudioOnly();
    for (const Case& c : cases) {
        hlxsim::ClearFaults();
        if (c.item != 0) hlxsim::FailSet(c.item);
        if (c.reg != 0) hlxsim::FailRegister(c.reg);
        loader.lines.clear();
        EXPECT_FALSE(UploadScenarioContent(loader, settings)) << c.message;
        EXPECT_EQ(loader.lines.back(), "error: " + c.message);
        EXPECT_EQ(std::count_if(loader.lines.begin(), loader.lines.end(),
                                [](const std::string& l) { return StartsWith(l, "error: "); }),
                  1);
        const Lines all = Trace();
        EXPECT_EQ(all.back(), c.refused) << c.message;
    }
}

TEST_F(UploadScenarioTest, FailedVideoLoadAddsNoMessageAndStopsTheUpload) {
    folder.write("a000.bin", std::vector<uint8_t>(kFrameBytes + 1, 0));
    settings.video = Path("a000.bin");
    settings.audio = Wav("tone.wav", 4);
    EXPECT_FALSE(UploadScenarioContent(loader, settings));
    EXPECT_EQ(loader.videoLoads, 1);
    std::string framePath = Path("a000.bin");
    std::replace(framePath.begin(), framePath.end(), '/', '\\');  // as the sequence names it
    EXPECT_EQ(Lines(loader.lines.end() - 2, loader.lines.end()),
              (Lines{"error: Not expected image size 257 for 16x4, Bpp = 4",
                     "error: Failed to load " + framePath}));
    const Lines all = Trace();
    EXPECT_EQ(ContentLines(all), Lines{SelectLine(0)});  // nothing of the audio
    EXPECT_TRUE(StartsWith(all.back(), "HLX_TS_SetConfigItem(0x00000884"));
}

}  // namespace
