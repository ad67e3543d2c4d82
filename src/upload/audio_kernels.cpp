#include "upload/audio_kernels.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

#include "upload/block_shuffle.h"

// Words are moved through native integers; the device's words are little-endian.
static_assert(std::endian::native == std::endian::little, "kernels assume a little-endian host");

namespace {

// Written in place of a sample whose size the device format has no rule for.
constexpr uint32_t kUnknownSampleWord = 0x00AAAAAA;
// Frames converted per restrict-qualified chunk; bounded so the gap check stays cheap.
constexpr size_t kChunkFrames = 4096;

bool IsReadSampleSize(uint32_t bytes) {
    return bytes >= 1 && bytes <= 3;
}

inline void StoreWord(uint8_t* out, uint32_t value) {
    std::memcpy(out, &value, 4);
}

template <uint32_t Bytes, bool Big>
inline uint32_t SampleWord(const uint8_t* in) {
    if constexpr (Bytes == 1) {
        return uint32_t{in[0]} << 16;
    } else if constexpr (Bytes == 2) {
        const uint32_t value =
            Big ? (uint32_t{in[0]} << 8 | in[1]) : (in[0] | uint32_t{in[1]} << 8);
        return value << 8;
    } else {
        return Big ? (uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2])
                   : (in[0] | uint32_t{in[1]} << 8 | uint32_t{in[2]} << 16);
    }
}

// `Channels` and `Words` are 0 when only known at run time; fixed values let the
// compiler unroll and vectorise the common stereo case.
template <uint32_t Bytes, bool Big, uint32_t Channels, uint32_t Words>
void ConvertChunk(uint8_t* __restrict out, const uint8_t* __restrict in, size_t frames,
                  uint32_t channels, uint32_t words) {
    const uint32_t ch = Channels ? Channels : channels;
    const uint32_t k = Words ? Words : words;
    for (size_t f = 0; f < frames; ++f) {
        for (uint32_t c = 0; c < ch; ++c)
            StoreWord(out + 4 * c, SampleWord<Bytes, Big>(in + c * Bytes));
        for (uint32_t c = ch; c < k; ++c) StoreWord(out + 4 * c, 0);
        out += 4 * k;
        in += Bytes * ch;
    }
}

inline uint32_t Load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline uint16_t Load16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

// Both words of a stereo record from one frame, through whole-word loads.
template <uint32_t Bytes, bool Big>
inline uint64_t StereoRecord(const uint8_t* in) {
    uint32_t left, right;
    if constexpr (Bytes == 1) {
        left = uint32_t{in[0]} << 16;
        right = uint32_t{in[1]} << 16;
    } else if constexpr (Bytes == 2) {
        const uint32_t v = Load32(in);
        left = Big ? __builtin_bswap16(static_cast<uint16_t>(v)) : (v & 0xFFFF);
        right = Big ? __builtin_bswap16(static_cast<uint16_t>(v >> 16)) : (v >> 16);
        left <<= 8;
        right <<= 8;
    } else {
        const uint32_t a = Load32(in);
        const uint32_t b = Load16(in + 4);
        if constexpr (Big) {
            left = __builtin_bswap32(a) >> 8;
            right = (a >> 24) << 16 | __builtin_bswap16(static_cast<uint16_t>(b));
        } else {
            left = a & 0xFFFFFF;
            right = a >> 24 | b << 8;
        }
    }
    return left | uint64_t{right} << 32;
}

// Stereo in fixed blocks: GCC vectorises a fixed-count body at -O2, not an open loop.
template <uint32_t Bytes, bool Big>
void ConvertStereoChunk(uint8_t* __restrict out, const uint8_t* __restrict in, size_t frames) {
    constexpr size_t kBlock = 16;
    size_t f = 0;
    for (; f + kBlock <= frames; f += kBlock) {
        for (size_t i = 0; i < kBlock; ++i) {
            const uint64_t record = StereoRecord<Bytes, Big>(in + 2 * Bytes * (f + i));
            std::memcpy(out + 8 * (f + i), &record, 8);
        }
    }
    for (; f < frames; ++f) {
        const uint64_t record = StereoRecord<Bytes, Big>(in + 2 * Bytes * f);
        std::memcpy(out + 8 * f, &record, 8);
    }
}

// One frame where its records may overlap its own input: each sample is read before
// the word that could cover it is written.
template <uint32_t Bytes, bool Big>
void ConvertFrameOrdered(uint8_t* out, const uint8_t* in, uint32_t channels, uint32_t words) {
    for (uint32_t c = 0; c < channels; ++c) {
        const uint32_t value = SampleWord<Bytes, Big>(in + c * Bytes);
        StoreWord(out + 4 * c, value);
    }
    for (uint32_t c = channels; c < words; ++c) StoreWord(out + 4 * c, 0);
}

template <uint32_t Bytes, bool Big, uint32_t Channels, uint32_t Words>
void ConvertAll(uint8_t* buffer, size_t inputOffset, uint32_t frames, uint32_t channels,
                uint32_t words) {
    const size_t recordBytes = size_t{4} * words;
    const size_t inputBytes = size_t{Bytes} * channels;
    uint8_t* out = buffer;
    const uint8_t* in = buffer + inputOffset;
    size_t left = frames;
    while (left > 0) {
        // Records of a chunk must end before the chunk's input begins.
        const size_t gap = static_cast<size_t>(in - out);
        const size_t chunk = std::min({left, gap / recordBytes, kChunkFrames});
        if (chunk == 0) {
            ConvertFrameOrdered<Bytes, Big>(out, in, channels, words);
            out += recordBytes;
            in += inputBytes;
            --left;
            continue;
        }
        if constexpr (Channels == 2 && Words == 2) {
            ConvertStereoChunk<Bytes, Big>(out, in, chunk);
        } else {
            ConvertChunk<Bytes, Big, Channels, Words>(out, in, chunk, channels, words);
        }
        out += chunk * recordBytes;
        in += chunk * inputBytes;
        left -= chunk;
    }
}

template <uint32_t Bytes, bool Big>
void ConvertBySize(uint8_t* buffer, size_t inputOffset, uint32_t frames, uint32_t channels,
                   uint32_t words) {
    if (channels == 2 && words == 2) {
        ConvertAll<Bytes, Big, 2, 2>(buffer, inputOffset, frames, channels, words);
    } else if (channels == 6 && words == 8) {  // 5.1, the usual multichannel file
        ConvertAll<Bytes, Big, 6, 8>(buffer, inputOffset, frames, channels, words);
    } else {
        ConvertAll<Bytes, Big, 0, 0>(buffer, inputOffset, frames, channels, words);
    }
}

template <bool Big>
void ConvertByEndian(uint8_t* buffer, size_t inputOffset, uint32_t frames,
                     const SampleLayout& layout) {
    const uint32_t ch = layout.channels;
    const uint32_t k = layout.wordsPerRecord;
    switch (layout.bytesPerSample) {
        case 1:
            return ConvertBySize<1, Big>(buffer, inputOffset, frames, ch, k);
        case 2:
            return ConvertBySize<2, Big>(buffer, inputOffset, frames, ch, k);
        default:
            return ConvertBySize<3, Big>(buffer, inputOffset, frames, ch, k);
    }
}

void FillUnknownSamples(uint8_t* buffer, uint32_t frames, const SampleLayout& layout) {
    uint8_t* out = buffer;
    for (uint32_t f = 0; f < frames; ++f) {
        for (uint32_t c = 0; c < layout.channels; ++c, out += 4) StoreWord(out, kUnknownSampleWord);
        for (uint32_t c = layout.channels; c < layout.wordsPerRecord; ++c, out += 4)
            StoreWord(out, 0);
    }
}

// 16 samples of 3 bytes make one 48-byte block.
constexpr BlockMasks kReverse24 = MakeBlockMasks([](size_t p) { return p / 3 * 3 + 2 - p % 3; });

}  // namespace

uint64_t InputFrameBytes(const SampleLayout& layout) {
    if (!IsReadSampleSize(layout.bytesPerSample)) return 0;
    return uint64_t{layout.bytesPerSample} * layout.channels;
}

bool ConvertSamplesInPlace(uint8_t* buffer, size_t size, size_t inputOffset, uint32_t frames,
                           const SampleLayout& layout) {
    if (layout.wordsPerRecord < layout.channels || layout.wordsPerRecord == 0) return false;
    const uint64_t recordBytes = uint64_t{4} * layout.wordsPerRecord;
    const uint64_t frameInput = InputFrameBytes(layout);
    if (frames > size / recordBytes || inputOffset > size) return false;
    if (frameInput != 0) {
        // Sample sizes above 3 bytes are never read, so frameInput < recordBytes here.
        if (frames > (size - inputOffset) / frameInput) return false;
        if ((recordBytes - frameInput) * frames > inputOffset) return false;
    }
    if (frames == 0) return true;
    if (frameInput == 0) {
        FillUnknownSamples(buffer, frames, layout);
    } else if (layout.bigEndian) {
        ConvertByEndian<true>(buffer, inputOffset, frames, layout);
    } else {
        ConvertByEndian<false>(buffer, inputOffset, frames, layout);
    }
    return true;
}

void ReverseSampleBytes(uint8_t* data, size_t size, uint32_t bytesPerSample) {
    if (bytesPerSample < 2) return;
    const size_t whole = size - size % bytesPerSample;
    size_t i = bytesPerSample == 3 ? ShuffleBlocks(data, whole, kReverse24) : 0;
    for (; i < whole; i += bytesPerSample) {
        std::reverse(data + i, data + i + bytesPerSample);
    }
}

void SwapBytePairs(uint8_t* data, size_t size) {
    for (size_t i = 0; i + 1 < size; i += 2) std::swap(data[i], data[i + 1]);
}
