// Sample conversion into the generator's audio records: one 32-bit little-endian word
// per channel holding a 24-bit value (bits 24 to 31 zero), then zero words up to the
// record's width. Pure byte work, so benchmarks and fuzzers can call it alone.
#pragma once

#include <cstddef>
#include <cstdint>

struct SampleLayout {
    uint32_t channels = 0;        // samples per frame in the input
    uint32_t bytesPerSample = 0;  // 1 to 4 are read (4: the top 3); other sizes write 0x00AAAAAA
    uint32_t wordsPerRecord = 0;  // words per output record, at least `channels`
    bool bigEndian = false;       // input samples hold their most significant byte first
};

// Bytes of one word of a record.
inline constexpr uint32_t kAudioWordBytes = 4;
// Words per record of the device's audio data: 2 up to stereo, else 8.
constexpr uint32_t AudioRecordWords(uint32_t channels) {
    return channels <= 2 ? 2 : 8;
}
// Bytes of one output record of the layout.
constexpr uint64_t RecordBytes(const SampleLayout& layout) {
    return uint64_t{kAudioWordBytes} * layout.wordsPerRecord;
}

// Bytes of input one frame consumes: 0 for sample sizes that are not read at all.
uint64_t InputFrameBytes(const SampleLayout& layout);

// Converts `frames` frames whose samples start at buffer[inputOffset] into records
// written from buffer[0]. One pass, in place: the input has to lie far enough behind
// the records it becomes (inputOffset >= frames x (record bytes - input frame bytes)) and
// inside the buffer. False, with nothing written, when the layout or the offsets do not
// allow that.
bool ConvertSamplesInPlace(uint8_t* buffer, size_t size, size_t inputOffset, uint32_t frames,
                           const SampleLayout& layout);

// The same from `input` into `records`, which do not overlap: the samples are
// converted as they are read from wherever they lie (a mapped file). False, with
// nothing written, for a layout that ConvertSamplesInPlace refuses.
bool ConvertSamples(const uint8_t* input, uint8_t* records, uint32_t frames,
                    const SampleLayout& layout);

// Reverses the bytes of every `bytesPerSample`-byte sample; a partial last sample stays.
void ReverseSampleBytes(uint8_t* data, size_t size, uint32_t bytesPerSample);

// Swaps the two bytes of every 16-bit word; an odd last byte stays.
void SwapBytePairs(uint8_t* data, size_t size);
