// The WAV header reader: RIFF (little-endian) or RIFX (big-endian) files holding PCM,
// including RIFF files with the extensible header whose sub-format is PCM.
// The parse is pure over bytes; WaveReader adds the file around it. Every refusal can
// name its reason in `why`, worded to follow the file's name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "files/file_ptr.h"

struct WaveHeader {
    bool bigEndian = false;  // RIFX
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    // Bytes each sample occupies (block align / channels): 1 to 4. The file reads as the
    // one with 8 x this many bits, a 4-byte sample as the 3 bytes above its lowest one.
    uint16_t sampleBytes = 0;
    uint32_t fmtSize = 0;
    uint64_t dataOffset = 0;  // file offset of the first sample byte
    uint32_t dataSize = 0;    // sample bytes, cut to whole frames the file really holds
    uint32_t frames = 0;
};

// Bytes from the start of the file up to the end of the mandatory fmt fields.
inline constexpr size_t kWaveFormatBytes = 36;
// Bytes of the data chunk header.
inline constexpr size_t kWaveChunkHeaderBytes = 8;

// Bytes of device audio data for the stream: its records plus 4 trailing bytes.
uint64_t AudioDeviceDataSize(uint32_t channels, uint32_t frames);
// Channels one device record holds; files with more are refused.
inline constexpr uint16_t kMaxWaveChannels = 8;
// The bytes of each sample when a frame of `blockAlign` bytes splits into `channels`
// samples of 1 to 4 bytes, at most kMaxWaveChannels of them; 0 when it does not.
uint16_t WaveSampleBytes(uint16_t blockAlign, uint16_t channels);
// Bits of the samples the device gets from the file: 8, 16 or 24.
uint16_t WaveDeviceBits(const WaveHeader& header);

// Checks the first kWaveFormatBytes bytes and fills the format fields and dataOffset.
// Refuses other byte-order marks, forms and chunk IDs, format tags other than 0, 1 and
// extensible, more than 8 channels, and frames that do not split into samples of 1 to
// 4 bytes each wide enough for the bits (block align 0 or not a multiple of the channels).
bool ParseWaveFormat(const uint8_t* head, WaveHeader& header, std::string* why = nullptr);
// Reads a data chunk header (its ID is not looked at). The data size is cut to the
// whole frames of the `fileSize` bytes the file holds.
void ParseWaveDataChunk(const uint8_t* chunk, uint64_t fileSize, WaveHeader& header);

// Reads `size` bytes at a file offset inside the file; false when it cannot.
using WaveByteReader = std::function<bool(uint64_t offset, uint8_t* out, size_t size)>;
// The rest of the header after ParseWaveFormat: refuses an extensible format whose
// sub-format is not PCM, then finds the samples after the fmt chunk: the first chunk
// whose ID is "data" (other chunks, such as LIST or fact, are skipped), else the chunk
// right after fmt. Fills dataOffset, dataSize and frames; false when no chunk header
// follows fmt.
bool ReadWaveChunks(const WaveByteReader& read, uint64_t fileSize, WaveHeader& header,
                    std::string* why = nullptr);

// The whole header of a file held in memory.
bool ParseWaveHeader(const uint8_t* data, size_t size, WaveHeader& header,
                     std::string* why = nullptr);

class WaveReader {
  public:
    // Opens the file and reads its header; false when it cannot be used, and problem()
    // says why.
    bool open(const std::string& path);
    const std::string& problem() const { return problem_; }
    const WaveHeader& header() const { return header_; }
    uint32_t frames() const { return header_.frames; }
    uint32_t dataSize() const { return header_.dataSize; }
    // Size of the device audio data the file gives; 0 before a successful open.
    uint64_t deviceDataSize() const;
    // Reads up to `size` sample bytes, continuing where the last read stopped;
    // returns the number read (fewer when the file ends early).
    size_t readSamples(uint8_t* destination, size_t size);

  private:
    FilePtr file_;
    WaveHeader header_;
    std::string problem_;
    bool valid_ = false;
};
