#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "audio_files.h"
#include "device/config_items.h"
#include "files/paths.h"
#include "kernels/audio_kernels.h"
#include "scenario/scenario.h"
#include "sim_device.h"
#include "support.h"
#include "trace_lines.h"
#include "upload/audio.h"
#include "upload/memory_layout.h"
#include "upload/recording_loader.h"
#include "upload/wave_reader.h"

namespace {

class AudioUploadTest : public ::testing::Test {
  protected:
    AudioUploadTest() { sim.open(); }
    // Lays out `blocks` empty blocks before the audio block, then forgets the trace.
    void Layout(size_t blocks) {
        layout.blocks.assign(blocks, 0);
        layout.blocks.push_back(1 << 20);
        ASSERT_TRUE(SetMemoryLayout(layout.blocks));
        sim.trace();
    }
    bool Upload() { return UploadAudio(loader, settings, PlanAudio(settings), layout); }
    void Wav(const WavSpec& wav, const std::vector<uint8_t>& samples) {
        settings.audio = folder.write("audio.wav", MakeWav(wav, samples));
    }
    SimDevice sim;
    TempFolder folder;
    ScenarioSettings settings;
    RecordingLoader loader;
    MemoryLayout layout;
};

TEST_F(AudioUploadTest, HdmiStereoWritesDataThenConfiguresTheGenerator) {
    Layout(1);
    Wav({}, {0x34, 0x12, 0x78, 0x56, 0xBC, 0x9A, 0xF0, 0xDE});
    settings.hdmi = true;
    settings.audiosync = true;
    ASSERT_TRUE(Upload());

    std::vector<uint8_t> data{0x00, 0x34, 0x12, 0x00, 0x00, 0x78, 0x56, 0x00, 0x00, 0xBC,
                              0x9A, 0x00, 0x00, 0xF0, 0xDE, 0x00, 0xBC, 0x9A, 0xF0, 0xDE};
    std::vector<uint8_t> status(48, 0);
    status[0] = status[24] = 4;
    status[3] = status[27] = 2;
    status[4] = status[28] = 2;
    std::vector<std::string> expected{trace::Set(0x884, 1),
                                      trace::SetBytes(0x885, 20, trace::Hex(data))};
    trace::Append(expected, trace::WriteRegister(8202, 20));
    trace::Append(expected, trace::ReadRegister(8193, 0));  // compressed flag cleared
    trace::Append(expected, trace::WriteRegister(8193, 0));
    trace::Append(expected, trace::ReadRegister(8193, 0));  // channel status
    trace::Append(expected, trace::WriteRegister(8193, 0x8));
    trace::Append(expected, trace::ReadRegister(8193, 0x8));
    trace::Append(expected, trace::WriteRegister(8193, 0x8));
    expected.push_back(trace::Set(0x0FF00000, 8198));
    expected.push_back(trace::SetBytes(0x0FF00004, 48, trace::Hex(status)));
    trace::Append(expected, trace::ReadRegister(8193, 0x8));  // packet type
    trace::Append(expected, trace::WriteRegister(8193, 0x108));
    trace::Append(expected, trace::ReadRegister(8193, 0x108));
    trace::Append(expected, trace::WriteRegister(8193, 0x1108));
    trace::Append(expected, trace::WriteRegister(8197, 0));
    trace::Append(expected, trace::WriteRegister(8194, 2));
    trace::Append(expected, trace::WriteRegister(8195, 48000));
    trace::Append(expected, trace::WriteRegister(8196, 16));
    trace::Append(expected, trace::WriteRegister(8200, 1));
    trace::Append(expected, trace::WriteRegister(8192, 0x40000001));
    EXPECT_EQ(sim.trace(), expected);
    EXPECT_EQ(loader.lines,
              (std::vector<std::string>{"info: Set STS OK", "info: Set packet type 0 OK",
                                        "info: Set audio parameters [2, 48000, 16] OK"}));
    EXPECT_EQ(hlxsim::BlockBytes(1), data);
}

TEST_F(AudioUploadTest, CompressedEightChannelsGoAfterTheVideoBlocks) {
    Layout(3);
    settings.video = "a000.bin;;b000.bin";  // two video items and packets: audio in block 3
    settings.hdmi = true;
    settings.audiocompressed = true;
    WavSpec wav;
    wav.channels = 8;
    wav.rate = 192000;
    Wav(wav, std::vector<uint8_t>(16 * 3, 0x7F));
    ASSERT_TRUE(Upload());
    EXPECT_EQ(hlxsim::BlockFill(3), 3u * 32 + 4);
    const std::vector<uint8_t> status = hlxsim::RegisterBytes(8198);
    ASSERT_EQ(status.size(), 48u);
    EXPECT_EQ(status[0], 6);
    EXPECT_EQ(status[3], 0x39);
    EXPECT_EQ(status[4], 2);
    EXPECT_EQ(hlxsim::Register(8197), 3u);
    EXPECT_EQ(hlxsim::Register(8195), 192000u);
    EXPECT_EQ(hlxsim::Register(8193) & 0x4, 0x4u);
    EXPECT_EQ(hlxsim::Register(8192), 1u);
    EXPECT_EQ(loader.lines[1], "info: Set packet type 3 OK");
}

TEST_F(AudioUploadTest, DisplayPortSetsNoPacketType) {
    Layout(1);
    WavSpec wav;
    wav.channels = 8;
    wav.rate = 96000;
    Wav(wav, std::vector<uint8_t>(16, 0));
    ASSERT_TRUE(Upload());
    EXPECT_EQ(loader.lines,
              (std::vector<std::string>{"info: Set STS OK",
                                        "info: Set audio parameters [8, 96000, 16] OK"}));
    EXPECT_EQ(hlxsim::Register(8193), 0x8u);
}

TEST_F(AudioUploadTest, EachFailingStepReportsItsMessage) {
    struct Case {
        uint32_t reg;  // 0: the block write fails instead
        bool uploaded;
        std::string message;
    };
    const Case cases[] = {
        {0, false, "error: Fatal: failed to transfer audio"},
        {8202, false, "error: Fatal: failed setting audio size!"},
        {8193, false, "error: Fatal: failed setting compressed parameter!"},
        {8198, true, "info: Fatal: failed to setting STS!"},
        {8197, true, "info: Failed to set packet type"},
        {8195, false, "error: Failed to set audio parameters"},
        {8200, false, "error: Fatal: failed enabling mute!"},
        {8192, false, "error: Fatal: failed enabling audio!"},
    };
    Wav({}, std::vector<uint8_t>(8, 0));
    settings.hdmi = true;
    for (const Case& c : cases) {
        Layout(1);
        hlxsim::ClearFaults();
        if (c.reg == 0) {
            hlxsim::FailSet(0x885);
        } else {
            hlxsim::FailRegister(c.reg);
        }
        loader.lines.clear();
        EXPECT_EQ(Upload(), c.uploaded) << c.reg;
        const auto& lines = loader.lines;
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.message), lines.end()) << c.reg;
        if (!c.uploaded) {
            EXPECT_EQ(lines.back(), c.message);
        }
    }
}

TEST_F(AudioUploadTest, RefusedFilesAreNamedWithTheReasonAndTouchNothing) {
    WavSpec floating;
    floating.formatTag = 3;
    WavSpec narrow;
    narrow.blockAlign = 2;
    WavSpec nine;
    nine.channels = 9;
    WavSpec uneven;
    uneven.blockAlign = 5;
    const std::vector<uint8_t> zeros(16, 0);
    struct Case {
        std::string name;
        std::vector<uint8_t> content;
        std::string why;
    };
    const Case cases[] = {
        {"tone.wav", MakeWav(floating, zeros), "format tag 3 is not PCM"},
        {"tone.wav", MakeWav(narrow, zeros), "block align 2 is smaller than one frame of 4 bytes"},
        {"tone.wav", MakeWav(nine, zeros), "9 channels are more than the 8 a device record holds"},
        {"tone.wav", MakeWav(uneven, zeros),
         "block align 5 does not split into 2 samples of 1 to 4 bytes"},
        {"tone.wave", std::vector<uint8_t>(64, 'x'), "the file is not a RIFF/RIFX WAVE file"},
        {"audio.WAV", MakeWav({}, zeros), "the extension is neither wav, wave nor bin"},
        {"raw.bin", zeros, "audiosampling code 4 gives no sample rate"},
    };
    Layout(1);
    settings.audiosampling = 4;
    for (const Case& c : cases) {
        loader.lines.clear();
        settings.audio = folder.write(c.name, c.content);
        EXPECT_FALSE(Upload());
        EXPECT_EQ(loader.lines,
                  (std::vector<std::string>{"error: " + c.name + ": " + c.why,
                                            "error: Fatal: failed to read audio file"}));
    }
    EXPECT_TRUE(sim.trace().empty());
}

// What the device got from one upload on a fresh generator: the trace, the messages
// and the audio block's bytes.
std::vector<std::string> UploadOnFreshDevice(const ScenarioSettings& settings) {
    SimDevice sim;
    sim.open();
    const MemoryLayout layout{{0, 1 << 20}};
    EXPECT_TRUE(SetMemoryLayout(layout.blocks));
    RecordingLoader loader;
    EXPECT_TRUE(UploadAudio(loader, settings, PlanAudio(settings), layout));
    std::vector<std::string> seen = sim.trace();
    seen.insert(seen.end(), loader.lines.begin(), loader.lines.end());
    seen.push_back(trace::Hex(hlxsim::BlockBytes(1)));
    return seen;
}

// Samples wider than the device takes upload exactly as the twin file of the bytes it
// gets: 32-bit as the 24-bit file of their top three bytes, a container wider than its
// bits as the file with 8 x its bytes.
TEST_F(AudioUploadTest, WideSamplesUploadAsTheirTwinFile) {
    struct Case {
        WavSpec file, twin;
        bool dropLowByte;  // the twin keeps 3 of every 4 sample bytes
    };
    const Case cases[] = {
        {{2, 48000, 32}, {2, 48000, 24}, true},
        {{6, 96000, 32, 1, 16, true}, {6, 96000, 24, 1, 16, true}, true},
        {{2, 44100, 20, 1, 16, false, 6}, {2, 44100, 24}, false},
        {{1, 48000, 12, 1, 16, false, 2}, {1, 48000, 16}, false},
        {{8, 48000, 16, 1, 16, false, 32}, {8, 48000, 24}, true},
    };
    settings.hdmi = true;
    for (const Case& c : cases) {
        const size_t container = c.file.blockAlign < 0
                                     ? c.file.bits / 8u
                                     : static_cast<size_t>(c.file.blockAlign) / c.file.channels;
        std::vector<uint8_t> samples(c.file.channels * container * 7);  // 7 frames
        for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i * 37 + 11);
        std::vector<uint8_t> twin;
        for (size_t i = 0; i < samples.size(); ++i) {
            const bool low = c.file.rifx ? i % 4 == 3 : i % 4 == 0;
            if (!c.dropLowByte || !low) twin.push_back(samples[i]);
        }
        settings.audio = folder.write("file.wav", MakeWav(c.file, samples));
        const std::vector<std::string> file = UploadOnFreshDevice(settings);
        settings.audio = folder.write("twin.wav", MakeWav(c.twin, twin));
        EXPECT_EQ(file, UploadOnFreshDevice(settings)) << c.file.bits << " bits";
    }
}

bool HaveSox() {
    return std::system("sox --version >/dev/null 2>&1") == 0;
}

// sox writes the reference: the same WAV decoded to 32-bit little-endian samples. Its
// 24-bit, 32-bit and multichannel files carry the extensible header (format tag 0xFFFE).
TEST(AudioSoxTest, DecodedWordsMatchSox) {
    if (!HaveSox()) GTEST_SKIP() << "sox is not installed";
    TempFolder folder;
    for (const auto& [channels, bits] : {std::pair{2, 16}, {2, 24}, {6, 16}, {2, 32}}) {
        const std::string wav = folder.path() + "/tone" + std::to_string(bits) + ".wav";
        const std::string raw = folder.path() + "/tone" + std::to_string(bits) + ".raw";
        const std::string make = "sox -D -n -r 48000 -c " + std::to_string(channels) + " -b " +
                                 std::to_string(bits) + " " + wav +
                                 " synth 0.25 sine 440 sine 997 gain -1";
        const std::string decode = "sox -D " + wav + " -t raw -e signed-integer -b 32 -L " + raw;
        ASSERT_EQ(std::system(make.c_str()), 0);
        ASSERT_EQ(std::system(decode.c_str()), 0);
        ScenarioSettings settings;
        settings.audio = wav;
        PageBuffer buffer;
        AudioFormat format;
        ASSERT_TRUE(ReadAudioFile(settings, buffer, format));
        const std::vector<uint8_t> data(buffer.begin(), buffer.end());
        std::vector<uint8_t> reference;
        ASSERT_TRUE(readWholeFile(raw, reference));
        const size_t words = AudioRecordWords(channels);
        ASSERT_EQ(data.size(), reference.size() / channels * words + 4) << bits;
        for (size_t i = 0; i < reference.size() / 4; ++i) {
            ASSERT_EQ(WordAt(data, i / channels * words + i % channels), WordAt(reference, i) >> 8)
                << channels << " channels, " << bits << " bits, sample " << i;
        }
    }
}

}  // namespace
