#include "upload/audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "audio_files.h"
#include "scenario/scenario.h"
#include "support.h"
#include "upload/wave_reader.h"
#include "upload/wave_samples.h"

namespace {

class AudioFileTest : public ::testing::Test {
  protected:
    bool Read(const std::string& name, const std::vector<uint8_t>& content) {
        settings.audio = folder.write(name, content);
        return ReadAgain();
    }
    bool ReadAgain() {
        PageBuffer buffer;
        const bool ok = ReadAudioFile(settings, buffer, format);
        data.assign(buffer.begin(), buffer.end());
        return ok;
    }
    TempFolder folder;
    ScenarioSettings settings;
    std::vector<uint8_t> data;
    AudioFormat format;
};

TEST_F(AudioFileTest, OneSecondOfSixteenBitStereo) {
    ASSERT_TRUE(Read("tone.wav", MakeWav({}, std::vector<uint8_t>(192000, 0x11))));
    EXPECT_EQ(data.size(), 384004u);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.sampleRate, 48000u);
    EXPECT_EQ(format.bitsPerSample, 16);
    EXPECT_EQ(WordAt(data, 0), 0x00111100u);
    EXPECT_EQ(WordAt(data, 95999), 0x00111100u);
}

TEST_F(AudioFileTest, SampleSizesConvertToTwentyFourBitWords) {
    struct Case {
        uint16_t bits;
        std::vector<uint8_t> sample;
        uint32_t word;
    };
    const std::vector<Case> cases = {
        {8, {0x80}, 0x00800000},
        {16, {0x34, 0x12}, 0x00123400},
        {24, {0x56, 0x34, 0x12}, 0x00123456},
        {32, {0x78, 0x56, 0x34, 0x12}, 0x00123456},  // the top three bytes
    };
    for (const Case& c : cases) {
        WavSpec wav;
        wav.bits = c.bits;
        std::vector<uint8_t> samples;
        for (int i = 0; i < 6; ++i) samples.insert(samples.end(), c.sample.begin(), c.sample.end());
        ASSERT_TRUE(Read("s.wav", MakeWav(wav, samples))) << c.bits;
        ASSERT_EQ(data.size(), 3u * 8 + 4);
        for (size_t w = 0; w < 6; ++w) EXPECT_EQ(WordAt(data, w), c.word) << c.bits << " bits";
    }
}

TEST_F(AudioFileTest, RifxSamplesReadMostSignificantByteFirst) {
    WavSpec wav;
    wav.rifx = true;
    wav.bits = 24;
    ASSERT_TRUE(Read("s.wav", MakeWav(wav, {0x12, 0x34, 0x56, 0xAB, 0xCD, 0xEF})));
    EXPECT_EQ(WordAt(data, 0), 0x00123456u);
    EXPECT_EQ(WordAt(data, 1), 0x00ABCDEFu);
    const std::vector<uint8_t> big = data;
    wav.rifx = false;  // the same samples in a RIFF file give the same bytes, the last 4 too
    ASSERT_TRUE(Read("s.wav", MakeWav(wav, {0x56, 0x34, 0x12, 0xEF, 0xCD, 0xAB})));
    EXPECT_EQ(big, data);
}

TEST_F(AudioFileTest, SixChannelsFillEightWordRecordsWithZeros) {
    WavSpec wav;
    wav.channels = 6;
    wav.bits = 24;
    std::vector<uint8_t> samples(2 * 18, 0xFF);
    ASSERT_TRUE(Read("six.wav", MakeWav(wav, samples)));
    ASSERT_EQ(data.size(), 2u * 32 + 4);
    for (size_t record = 0; record < 2; ++record) {
        for (size_t w = 0; w < 6; ++w) EXPECT_EQ(WordAt(data, 8 * record + w), 0x00FFFFFFu);
        EXPECT_EQ(WordAt(data, 8 * record + 6), 0u);
        EXPECT_EQ(WordAt(data, 8 * record + 7), 0u);
    }
}

// Converting from the file (mapped, or read piece by piece) gives the bytes of the
// general in-memory path, the trailing 4 bytes included; a file that shrank after its
// header was read fails either way.
TEST_F(AudioFileTest, FileConversionMatchesTheGeneralPath) {
    const struct {
        uint16_t channels, bits;
        bool rifx;
        uint32_t frames;
    } cases[] = {{1, 8, false, 1},     {1, 16, false, 1}, {2, 16, false, 40000},
                 {2, 24, true, 20001}, {2, 16, true, 3},  {6, 24, false, 1000},
                 {8, 8, true, 17},     {3, 16, false, 0}, {2, 32, false, 40001},
                 {8, 32, true, 9},     {1, 32, true, 1}};
    for (const auto& c : cases) {
        WavSpec wav{c.channels, 48000, c.bits, 1, 16, c.rifx};
        std::vector<uint8_t> samples(size_t{c.bits / 8u} * c.channels * c.frames);
        for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i * 13 + 5);
        const std::vector<uint8_t> file = MakeWav(wav, samples);
        const std::string path = folder.write("case.wav", file);
        WaveHeader header;
        ASSERT_TRUE(ParseWaveHeader(file.data(), file.size(), header));
        size_t at = static_cast<size_t>(header.dataOffset);
        PageBuffer expected;
        const SampleSource source = [&](uint8_t* to, size_t n) {
            std::copy_n(file.begin() + static_cast<ptrdiff_t>(at), n, to);
            at += n;
            return n;
        };
        ASSERT_TRUE(BuildWaveAudioData(header, source, expected));
        for (const bool map : {true, false}) {
            WaveReader reader;
            ASSERT_TRUE(reader.open(path));
            PageBuffer got;
            ASSERT_EQ(ConvertWaveFile(path, reader, got, map), WaveSamples::kDone);
            EXPECT_TRUE(std::equal(got.begin(), got.end(), expected.begin(), expected.end()))
                << c.channels << " ch, " << c.bits << " bits, " << c.frames << " frames, map "
                << map;
            if (samples.size() < 65536) continue;  // a small file is in the reader's buffer
            ASSERT_TRUE(reader.open(path));
            folder.write("case.wav", std::vector<uint8_t>(file.begin(), file.end() - 2));
            EXPECT_EQ(ConvertWaveFile(path, reader, got, map), WaveSamples::kFailed);
            folder.write("case.wav", file);
        }
    }
}

TEST_F(AudioFileTest, HeaderThatPromisesMoreThanTheFileHoldsReadsOnlyWhatIsThere) {
    WavSpec wav;
    wav.dataSize = 0x7FFFFFFF;
    ASSERT_TRUE(Read("long.wav", MakeWav(wav, {1, 2, 3, 4, 5})));
    EXPECT_EQ(data.size(), 12u);
    EXPECT_EQ(WordAt(data, 0), 0x00020100u);
}

TEST_F(AudioFileTest, BlockAlignTooSmallForTheSamplesIsRefused) {
    WavSpec wav;
    wav.blockAlign = 2;  // four sample bytes a frame
    EXPECT_FALSE(Read("odd.wav", MakeWav(wav, std::vector<uint8_t>(16, 0x55))));
    wav.rifx = true;  // found by fuzzing: many channels, too small a block align
    wav.channels = 14;
    wav.bits = 24;
    wav.blockAlign = 18;
    EXPECT_FALSE(Read("wide.wav", MakeWav(wav, std::vector<uint8_t>(84, 0x55))));
}

TEST_F(AudioFileTest, ExtensionsAreCaseSensitive) {
    const std::vector<uint8_t> wav = MakeWav({}, std::vector<uint8_t>(8, 0));
    EXPECT_TRUE(Read("a.wav", wav));
    EXPECT_TRUE(Read("a.wave", wav));
    EXPECT_FALSE(Read("a.WAV", wav));
    EXPECT_FALSE(Read("a.mp3", wav));
    settings.audio = folder.path() + "/missing.wav";
    EXPECT_FALSE(ReadAgain());
}

TEST_F(AudioFileTest, RawSixteenBitFillsTwiceTheFileSize) {
    settings.audiochannels = 0;
    settings.audiosampling = 3;
    settings.audiobits = 0;
    ASSERT_TRUE(Read("raw.bin", {0x34, 0x12, 0x78, 0x56, 0xBC, 0x9A, 0xF0, 0xDE}));
    EXPECT_EQ(data.size(), 16u);
    EXPECT_EQ(format.channels, 2);
    EXPECT_EQ(format.sampleRate, 192000u);
    EXPECT_EQ(format.bitsPerSample, 16);
    EXPECT_EQ(WordAt(data, 0), 0x00123400u);
    EXPECT_EQ(WordAt(data, 3), 0x00DEF000u);

    settings.audioswap = true;
    ASSERT_TRUE(Read("raw.bin", {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x01}));
    EXPECT_EQ(data.size(), 16u);  // the odd byte is no whole frame
    EXPECT_EQ(WordAt(data, 0), 0x00123400u);
    EXPECT_EQ(WordAt(data, 3), 0x00DEF000u);
}

TEST_F(AudioFileTest, RawTwentyFourBitEightChannels) {
    settings.audiochannels = 1;
    settings.audiosampling = 1;
    settings.audiobits = 1;
    std::vector<uint8_t> frame;
    for (int c = 0; c < 8; ++c) frame.insert(frame.end(), {0x03, 0x02, static_cast<uint8_t>(c)});
    ASSERT_TRUE(Read("raw8.bin", frame));
    ASSERT_EQ(data.size(), 32u);
    for (size_t c = 0; c < 8; ++c) EXPECT_EQ(WordAt(data, c), 0x00000203u | c << 16);
}

TEST_F(AudioFileTest, RawCodesWithoutAUsableFormatAreRefused) {
    struct Case {
        uint32_t channels, bits;
    };
    for (const Case& c : {Case{2, 0}, Case{3, 0}, Case{7, 0}, Case{0, 2}, Case{0, 3}, Case{0, 9}}) {
        settings.audiochannels = c.channels;
        settings.audiobits = c.bits;
        EXPECT_FALSE(Read("raw.bin", std::vector<uint8_t>(64, 1))) << c.channels << " / " << c.bits;
    }
}

TEST(ChannelStatusTest, BytesFollowTheStream) {
    struct Case {
        AudioFormat format;
        bool compressed;
        uint8_t byte0, byte3, byte4;
        uint32_t packetType;
    };
    const Case cases[] = {
        {{8, 192000, 16}, true, 6, 0x39, 2, 3},  // high bit rate: 768 kHz on the link
        {{8, 48000, 24}, false, 4, 2, 11, 0},       {{8, 96000, 24}, false, 4, 10, 11, 3},
        {{2, 192000, 16}, true, 6, 14, 2, 0},       {{2, 44100, 20}, false, 4, 0, 10, 0},
        {{2, 22050, 8}, false, 4, 4, 0, 0},         {{2, 12345, 32}, false, 4, 1, 0, 0},
        {{6, 48000, 16}, true, 6, 14 + 0x30, 2, 0},  // four times the rate on the link
    };
    for (const Case& c : cases) {
        const ChannelStatus status = BuildChannelStatus(c.format, c.compressed);
        ChannelStatus expected{};
        expected[0] = expected[24] = c.byte0;
        expected[3] = expected[27] = c.byte3;
        expected[4] = expected[28] = c.byte4;
        EXPECT_EQ(status, expected) << c.format.channels << " ch " << c.format.sampleRate;
        EXPECT_EQ(AudioPacketType(c.format, c.compressed), c.packetType);
    }
}

}  // namespace
