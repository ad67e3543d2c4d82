#include "kernels/audio_kernels.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "kernels/block_shuffle.h"
#include "kernels/cpu_features.h"
#include "kernels/word_access.h"

#ifdef TAVREL_X86_KERNELS
#include <immintrin.h>
#endif

namespace {

// Written in place of a sample whose size the device format has no rule for.
constexpr uint32_t kUnknownSampleWord = 0x00AAAAAA;
// Frames converted per restrict-qualified chunk; bounded so the gap check stays cheap.
constexpr size_t kChunkFrames = 4096;

bool IsReadSampleSize(uint32_t bytes) {
    return bytes >= 1 && bytes <= 4;
}

// A 4-byte sample gives its 3 most significant bytes: the device takes 24 bits.
template <uint32_t Bytes, bool Big>
inline uint32_t SampleWord(const uint8_t* in) {
    if constexpr (Bytes == 4) {
        return Big ? (uint32_t{in[0]} << 16 | uint32_t{in[1]} << 8 | in[2])
                   : (in[1] | uint32_t{in[2]} << 8 | uint32_t{in[3]} << 16);
    } else if constexpr (Bytes == 1) {
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
            store32(out + 4 * c, SampleWord<Bytes, Big>(in + c * Bytes));
        for (uint32_t c = ch; c < k; ++c) store32(out + 4 * c, 0);
        out += 4 * k;
        in += Bytes * ch;
    }
}

// Both words of a stereo record from one frame, through whole-word loads.
template <uint32_t Bytes, bool Big>
inline uint64_t StereoRecord(const uint8_t* in) {
    uint32_t left, right;
    if constexpr (Bytes == 1) {
        left = uint32_t{in[0]} << 16;
        right = uint32_t{in[1]} << 16;
    } else if constexpr (Bytes == 2) {
        const uint32_t v = load32(in);
        left = Big ? __builtin_bswap16(static_cast<uint16_t>(v)) : (v & 0xFFFF);
        right = Big ? __builtin_bswap16(static_cast<uint16_t>(v >> 16)) : (v >> 16);
        left <<= 8;
        right <<= 8;
    } else if constexpr (Bytes == 4) {
        const uint32_t a = load32(in);
        const uint32_t b = load32(in + 4);
        left = (Big ? __builtin_bswap32(a) : a) >> 8;
        right = (Big ? __builtin_bswap32(b) : b) >> 8;
    } else {
        const uint32_t a = load32(in);
        const uint32_t b = load16(in + 4);
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
            store64(out + 8 * (f + i), record);
        }
    }
    for (; f < frames; ++f) {
        const uint64_t record = StereoRecord<Bytes, Big>(in + 2 * Bytes * f);
        store64(out + 8 * f, record);
    }
}

// One frame where its records may overlap its own input: each sample is read before
// the word that could cover it is written.
template <uint32_t Bytes, bool Big>
void ConvertFrameOrdered(uint8_t* out, const uint8_t* in, uint32_t channels, uint32_t words) {
    for (uint32_t c = 0; c < channels; ++c) {
        const uint32_t value = SampleWord<Bytes, Big>(in + c * Bytes);
        store32(out + 4 * c, value);
    }
    for (uint32_t c = channels; c < words; ++c) store32(out + 4 * c, 0);
}

#ifdef TAVREL_X86_KERNELS
// Byte masks that turn 8 samples into 8 words, sample value in bits 8 (16-bit), 16
// (8-bit) or 0 (24-bit) up; lane 1 takes its samples 4 on (24-bit: 12 bytes on, loaded
// separately). -1 writes a zero byte.
template <uint32_t Bytes, bool Big>
constexpr std::array<int8_t, 32> StereoMask() {
    std::array<int8_t, 32> mask{};
    for (int i = 0; i < 32; ++i) {
        const int lane = i / 16, word = i % 16 / 4, byte = i % 4;
        const int first = Bytes == 3
                              ? 3 * word
                              : lane * 4 * static_cast<int>(Bytes) + static_cast<int>(Bytes) * word;
        const int high = static_cast<int>(Bytes) - 1;  // the sample's top byte lands here
        const int low = Bytes == 3 ? 0 : 4 - static_cast<int>(Bytes) - 1;
        const int k = byte - low;  // the sample's k-th byte from the least significant
        mask[static_cast<size_t>(i)] =
            byte < low || k > high ? -1 : static_cast<int8_t>(first + (Big ? high - k : k));
    }
    return mask;
}

// Stereo records straight from the file's bytes, 4 frames a step; the caller converts
// the rest. Plain stores: each fresh page of the device data was just cleared by the
// system and is still in the cache (stores that bypass it took an eighth longer).
template <uint32_t Bytes, bool Big>
__attribute__((target("avx2"))) size_t ConvertStereoAvx2(uint8_t* out, const uint8_t* in,
                                                         size_t frames) {
    if (!CpuHasAvx2()) return 0;
    static constexpr std::array<int8_t, 32> kMask = StereoMask<Bytes, Big>();
    const __m256i mask = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kMask.data()));
    const size_t inputBytes = 2 * Bytes * frames;
    size_t f = 0;
    // Each step loads 16 bytes at its start (24-bit: also at 12 bytes on).
    for (; f + 4 <= frames && 2 * Bytes * f + (Bytes == 3 ? 28 : 16) <= inputBytes; f += 4) {
        const uint8_t* at = in + 2 * Bytes * f;
        _mm_prefetch(reinterpret_cast<const char*>(at + 2048), _MM_HINT_T0);
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i high =
            Bytes == 3 ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 12)) : low;
        const __m256i both = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 8 * f),
                            _mm256_shuffle_epi8(both, mask));
    }
    return f;
}
#endif

// Where the records are written: over their own input (in place) or elsewhere.
struct Records {
    uint8_t* out;
    const uint8_t* in;
    bool inPlace;
};

template <uint32_t Bytes, bool Big, uint32_t Channels, uint32_t Words>
void ConvertAll(Records records, uint32_t frames, uint32_t channels, uint32_t words) {
    const size_t recordBytes = size_t{4} * words;
    const size_t inputBytes = size_t{Bytes} * channels;
    uint8_t* out = records.out;
    const uint8_t* in = records.in;
    size_t left = frames;
#ifdef TAVREL_X86_KERNELS
    if constexpr (Channels == 2 && Words == 2 && Bytes <= 3) {
        if (!records.inPlace) {
            const size_t done = ConvertStereoAvx2<Bytes, Big>(out, in, left);
            out += done * recordBytes;
            in += done * inputBytes;
            left -= done;
        }
    }
#endif
    while (left > 0) {
        // In place, records of a chunk must end before the chunk's input begins.
        const size_t gap = records.inPlace ? static_cast<size_t>(in - out) : SIZE_MAX;
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
void ConvertBySize(Records records, uint32_t frames, uint32_t channels, uint32_t words) {
    if (channels == 2 && words == 2) {
        ConvertAll<Bytes, Big, 2, 2>(records, frames, channels, words);
    } else if (channels == 6 && words == 8) {  // 5.1, the usual multichannel file
        ConvertAll<Bytes, Big, 6, 8>(records, frames, channels, words);
    } else {
        ConvertAll<Bytes, Big, 0, 0>(records, frames, channels, words);
    }
}

template <bool Big>
void ConvertByEndian(Records records, uint32_t frames, const SampleLayout& layout) {
    const uint32_t ch = layout.channels;
    const uint32_t k = layout.wordsPerRecord;
    switch (layout.bytesPerSample) {
        case 1:
            return ConvertBySize<1, Big>(records, frames, ch, k);
        case 2:
            return ConvertBySize<2, Big>(records, frames, ch, k);
        case 3:
            return ConvertBySize<3, Big>(records, frames, ch, k);
        default:
            return ConvertBySize<4, Big>(records, frames, ch, k);
    }
}

void FillUnknownSamples(uint8_t* buffer, uint32_t frames, const SampleLayout& layout) {
    uint8_t* out = buffer;
    for (uint32_t f = 0; f < frames; ++f) {
        for (uint32_t c = 0; c < layout.channels; ++c, out += 4) store32(out, kUnknownSampleWord);
        for (uint32_t c = layout.channels; c < layout.wordsPerRecord; ++c, out += 4)
            store32(out, 0);
    }
}

void Convert(Records records, uint32_t frames, const SampleLayout& layout) {
    if (InputFrameBytes(layout) == 0) {
        FillUnknownSamples(records.out, frames, layout);
    } else if (layout.bigEndian) {
        ConvertByEndian<true>(records, frames, layout);
    } else {
        ConvertByEndian<false>(records, frames, layout);
    }
}

// 16 samples of 3 bytes make one 48-byte block.
constexpr BlockMasks kReverse24 =
    MakeShuffleMasks<3>([](size_t p) { return p / 3 * 3 + 2 - p % 3; });

}  // namespace

uint64_t InputFrameBytes(const SampleLayout& layout) {
    if (!IsReadSampleSize(layout.bytesPerSample)) return 0;
    return uint64_t{layout.bytesPerSample} * layout.channels;
}

bool ConvertSamplesInPlace(uint8_t* buffer, size_t size, size_t inputOffset, uint32_t frames,
                           const SampleLayout& layout) {
    if (layout.wordsPerRecord < layout.channels || layout.wordsPerRecord == 0) return false;
    const uint64_t recordBytes = RecordBytes(layout);
    const uint64_t frameInput = InputFrameBytes(layout);
    if (frames > size / recordBytes || inputOffset > size) return false;
    if (frameInput != 0) {
        // Sample sizes above 4 bytes are never read, so frameInput <= recordBytes here.
        if (frames > (size - inputOffset) / frameInput) return false;
        if ((recordBytes - frameInput) * frames > inputOffset) return false;
    }
    if (frames == 0) return true;
    Convert(Records{buffer, buffer + inputOffset, true}, frames, layout);
    return true;
}

bool ConvertSamples(const uint8_t* input, uint8_t* records, uint32_t frames,
                    const SampleLayout& layout) {
    if (layout.wordsPerRecord < layout.channels || layout.wordsPerRecord == 0) return false;
    if (frames != 0) Convert(Records{records, input, false}, frames, layout);
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
