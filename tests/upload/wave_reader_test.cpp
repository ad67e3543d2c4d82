#include "upload/wave_reader.h"

#include <gtest/gtest.h>

#include "audio_files.h"
#include "support.h"

namespace {

WaveHeader Parse(const std::vector<uint8_t>& file, bool* ok = nullptr) {
    WaveHeader header;
    const bool parsed = ParseWaveHeader(file.data(), file.size(), header);
    if (ok) *ok = parsed;
    return header;
}

bool Accepts(const std::vector<uint8_t>& file) {
    bool ok = false;
    Parse(file, &ok);
    return ok;
}

TEST(WaveReaderTest, ReadsTheFieldsOfAPlainHeader) {
    bool ok = false;
    const WaveHeader h = Parse(MakeWav({}, std::vector<uint8_t>(40, 1)), &ok);
    ASSERT_TRUE(ok);
    EXPECT_FALSE(h.bigEndian);
    EXPECT_EQ(h.channels, 2);
    EXPECT_EQ(h.sampleRate, 48000u);
    EXPECT_EQ(h.bitsPerSample, 16);
    EXPECT_EQ(h.blockAlign, 4);
    EXPECT_EQ(h.dataOffset, 44u);
    EXPECT_EQ(h.dataSize, 40u);
    EXPECT_EQ(h.frames, 10u);
}

TEST(WaveReaderTest, LongerFmtBodyMovesTheSamples) {
    WavSpec wav;
    wav.fmtSize = 18;
    const WaveHeader h = Parse(MakeWav(wav, std::vector<uint8_t>(8, 1)));
    EXPECT_EQ(h.dataOffset, 46u);
    EXPECT_EQ(h.frames, 2u);
}

TEST(WaveReaderTest, RifxNumbersAreBigEndian) {
    WavSpec wav;
    wav.rifx = true;
    wav.channels = 6;
    wav.bits = 24;
    wav.rate = 96000;
    bool ok = false;
    const WaveHeader h = Parse(MakeWav(wav, std::vector<uint8_t>(36, 0)), &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(h.bigEndian);
    EXPECT_EQ(h.channels, 6);
    EXPECT_EQ(h.sampleRate, 96000u);
    EXPECT_EQ(h.blockAlign, 18);
    EXPECT_EQ(h.frames, 2u);
}

TEST(WaveReaderTest, FormatTagsOtherThanZeroAndOneAreRefused) {
    for (const uint16_t tag : {0, 1, 2, 3, 0xFFFE}) {
        WavSpec wav;
        wav.formatTag = tag;
        EXPECT_EQ(Accepts(MakeWav(wav, std::vector<uint8_t>(4, 0))), tag <= 1) << tag;
    }
}

TEST(WaveReaderTest, ExtensibleHeadersAreReadWithThePcmSubFormat) {
    WavSpec wav;
    wav.formatTag = 0xFFFE;
    wav.fmtSize = 40;
    std::vector<uint8_t> file = MakeWav(wav, std::vector<uint8_t>(8, 0));
    const uint8_t pcm[] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    std::copy(pcm, pcm + 16, file.begin() + 44);  // the last 16 bytes of the fmt body
    EXPECT_EQ(Parse(file).frames, 2u);
    file[44] = 3;  // floating point
    EXPECT_FALSE(Accepts(file));
}

TEST(WaveReaderTest, RefusesFramesThatCannotBeConvertedSafely) {
    struct Case {
        uint16_t channels, bits;
        int32_t blockAlign;
        bool accepted;
    };
    const Case cases[] = {
        {0, 16, -1, false},   // no channels: no frame size
        {1, 4, -1, false},    // 4 bits a frame
        {1, 4, 1, true},      // 4 bits in a byte: read as 8-bit
        {2, 4, 1, false},     // two samples in one byte
        {2, 16, 0, false},    // block align 0
        {2, 16, 2, false},    // smaller than the frame's samples
        {16, 24, -1, false},  // more channels than a record holds
        {9, 8, -1, false},    // one channel too many
        {8, 32, -1, true},    // exactly one record
        {2, 20, 6, true},     // 20 bits in 3 bytes
        {2, 32, 9, false},    // no whole bytes per sample
        {2, 16, 10, false},   // 5-byte samples
    };
    for (const Case& c : cases) {
        WavSpec wav;
        wav.channels = c.channels;
        wav.bits = c.bits;
        wav.blockAlign = c.blockAlign;
        EXPECT_EQ(Accepts(MakeWav(wav, std::vector<uint8_t>(64, 0))), c.accepted)
            << c.channels << " channels, " << c.bits << " bits";
    }
}

TEST(WaveReaderTest, RefusesOtherIdsAndShortHeaders) {
    const std::vector<uint8_t> good = MakeWav({}, std::vector<uint8_t>(4, 0));
    ASSERT_TRUE(Accepts(good));
    for (const size_t at : {0u, 8u, 12u}) {
        std::vector<uint8_t> bad = good;
        bad[at + 1] ^= 0x20;  // "rIFF", "WaVE", "fMt "
        EXPECT_FALSE(Accepts(bad)) << at;
    }
    for (const size_t size : {0u, 35u, 36u, 43u}) {
        EXPECT_FALSE(Accepts(std::vector<uint8_t>(good.begin(), good.begin() + size))) << size;
    }
    EXPECT_TRUE(Accepts(std::vector<uint8_t>(good.begin(), good.begin() + 44)));
    std::vector<uint8_t> huge = good;
    huge[19] = 0xFF;  // a fmt body far beyond the file
    EXPECT_FALSE(Accepts(huge));
}

TEST(WaveReaderTest, DataSizeIsCutToTheWholeFramesTheFileHolds) {
    WavSpec wav;
    wav.dataSize = 0xFFFFFFFF;
    const WaveHeader h = Parse(MakeWav(wav, std::vector<uint8_t>(43, 0)));
    EXPECT_EQ(h.frames, 10u);
    EXPECT_EQ(h.dataSize, 40u);
    wav.dataSize = 6;  // a smaller declared size wins, still in whole frames
    EXPECT_EQ(Parse(MakeWav(wav, std::vector<uint8_t>(43, 0))).frames, 1u);
}

// A LIST chunk of 5 bytes (padded to 6) between fmt and data, as many tools write one.
std::vector<uint8_t> WithListChunk(std::vector<uint8_t> wav, const char* dataId) {
    const std::vector<uint8_t> list{'L', 'I', 'S', 'T', 5, 0, 0, 0, 'I', 'N', 'F', 'O', '!', 0};
    wav.insert(wav.begin() + 36, list.begin(), list.end());
    std::copy(dataId, dataId + 4, wav.begin() + 36 + list.size());
    return wav;
}

TEST(WaveReaderTest, ChunksBeforeTheDataAreSkipped) {
    const std::vector<uint8_t> samples{1, 2, 3, 4, 5, 6, 7, 8};
    const WaveHeader h = Parse(WithListChunk(MakeWav({}, samples), "data"));
    EXPECT_EQ(h.dataOffset, 36u + 14 + 8);
    EXPECT_EQ(h.frames, 2u);
    // Without any "data" chunk the one after fmt is taken, whatever its ID.
    const WaveHeader none = Parse(WithListChunk(MakeWav({}, samples), "dat_"));
    EXPECT_EQ(none.dataOffset, 44u);
    EXPECT_EQ(none.frames, 1u);
}

TEST(WaveReaderTest, OpensAFileAndReadsItsSamples) {
    TempFolder folder;
    std::vector<uint8_t> samples;
    for (int i = 0; i < 12; ++i) samples.push_back(static_cast<uint8_t>(i));
    WavSpec wav;
    wav.fmtSize = 20;
    wav.dataSize = 100;
    const std::string path = folder.write("tone.wav", MakeWav(wav, samples));
    WaveReader reader;
    ASSERT_TRUE(reader.open(path));
    EXPECT_EQ(reader.frames(), 3u);
    EXPECT_EQ(reader.dataSize(), 12u);
    EXPECT_EQ(reader.deviceDataSize(), 3u * 8 + 4);
    std::vector<uint8_t> read(20, 0xFF);
    EXPECT_EQ(reader.readSamples(read.data(), read.size()), 12u);
    EXPECT_EQ(std::vector<uint8_t>(read.begin(), read.begin() + 12), samples);

    WaveReader missing;
    EXPECT_FALSE(missing.open(folder.path() + "/none.wav"));
    EXPECT_EQ(missing.deviceDataSize(), 0u);
}

TEST(WaveReaderTest, DeviceSizeUsesTwoOrEightWordRecords) {
    EXPECT_EQ(AudioDeviceDataSize(2, 48000), 384004u);
    EXPECT_EQ(AudioDeviceDataSize(1, 10), 84u);
    EXPECT_EQ(AudioDeviceDataSize(3, 10), 324u);
    EXPECT_EQ(AudioDeviceDataSize(8, 0xFFFFFFFF), 32ull * 0xFFFFFFFF + 4);
}

}  // namespace
