// Inputs the fuzzers found, kept so the faults stay fixed. Each case replays the exact
// bytes from fuzz/corpus/ through the same calls the fuzz target makes.
#include <gtest/gtest.h>

#include <cstring>

#include "support.h"
#include "upload/audio.h"
#include "upload/wave_reader.h"

namespace {

std::vector<uint8_t> CorpusFile(const std::string& name) {
    const std::string text = ReadFileText(std::string(TAVREL_SOURCE_DIR) + "/fuzz/corpus/" + name);
    return std::vector<uint8_t>(text.begin(), text.end());
}

// A RIFX stream of 33 channels whose block align is too small for its samples: nothing
// is read, and the byte reversal must not be pointed before the buffer.
TEST(WaveFindings, ManyBigEndianChannelsWithShortBlockAlignReadNothing) {
    const std::vector<uint8_t> file = CorpusFile("wav_fuzz/finding_rifx_33_channels");
    ASSERT_FALSE(file.empty());
    WaveHeader header;
    ASSERT_TRUE(ParseWaveHeader(file.data(), file.size(), header));
    ASSERT_TRUE(header.bigEndian);
    ASSERT_GT(header.channels, 8);
    int reads = 0;
    const SampleSource source = [&reads](uint8_t*, size_t) {
        ++reads;
        return size_t{0};
    };
    std::vector<uint8_t> data;
    ASSERT_TRUE(BuildWaveAudioData(header, source, data));
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(data.size(), AudioDeviceDataSize(header.channels, header.frames));
    EXPECT_EQ(data, std::vector<uint8_t>(data.size(), 0));
}

}  // namespace
