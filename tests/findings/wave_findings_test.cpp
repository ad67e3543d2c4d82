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

// A RIFX stream of 33 channels whose block align is too small for its samples: once
// it reached the conversion with a byte reversal pointed before the buffer; its header
// is refused now.
TEST(WaveFindings, ManyBigEndianChannelsWithShortBlockAlignAreRefused) {
    const std::vector<uint8_t> file = CorpusFile("wav_fuzz/finding_rifx_33_channels");
    ASSERT_FALSE(file.empty());
    WaveHeader header;
    std::string why;
    EXPECT_FALSE(ParseWaveHeader(file.data(), file.size(), header, &why));
    EXPECT_NE(why.find("is smaller than one frame"), std::string::npos) << why;
}

}  // namespace
