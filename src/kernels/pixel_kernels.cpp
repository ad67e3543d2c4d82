#include "kernels/pixel_kernels.h"

#include "kernels/block_shuffle.h"
#include "kernels/cpu_features.h"
#include "kernels/word_access.h"

#ifdef TAVREL_X86_KERNELS
#include <immintrin.h>
#endif

// The loops run over fixed-size chunks with a scalar tail: at -O2 GCC vectorises
// a fixed-count body but not an open-ended loop that would need an epilogue.
namespace {

constexpr size_t kChunk = 16;

inline void widenOne(const uint8_t* src, uint8_t* dst) {
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
    dst[3] = 0;
}

// (b0,b1,b2,b3) -> (b2,b0,b1,b3); b0 is the low byte.
inline uint32_t rotateLowBytes(uint32_t v) {
    return ((v >> 16) & 0xFFu) | ((v & 0xFFFFu) << 8) | (v & 0xFF000000u);
}

inline void rotateWords(uint8_t* px) {
    const uint16_t w0 = load16(px);
    const uint16_t w1 = load16(px + 2);
    const uint16_t w2 = load16(px + 4);
    store16(px, w2);
    store16(px + 2, w0);
    store16(px + 4, w1);
}

#ifdef TAVREL_X86_KERNELS
// Eight pixels per step: two 16-byte loads of four pixels each (the upper one at
// byte 12) and one byte shuffle per 128-bit lane. Every 3-byte frame passes here,
// and this takes about a quarter less time than the portable loop on a whole upload.
__attribute__((target("avx2"))) size_t widenAvx2(const uint8_t* src, uint8_t* dst, size_t pixels) {
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0,
                                            1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    size_t p = 0;
    // The upper load ends 28 bytes after pixel p, inside the source while p + 10 <= pixels.
    for (; p + 10 <= pixels; p += 8) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * p));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * p + 12));
        const __m256i both = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 4 * p),
                            _mm256_shuffle_epi8(both, spread));
    }
    return p;
}
#endif

}  // namespace

void WidenPixels3To4(const uint8_t* src, uint8_t* dst, size_t pixels) {
    size_t p = 0;
#ifdef TAVREL_X86_KERNELS
    if (CpuHasAvx2()) p = widenAvx2(src, dst, pixels);
#endif
    // Two pixels per 8-byte load; the last load of a chunk reaches 2 bytes past it,
    // so a chunk needs at least one whole pixel after it.
    for (; p + kChunk < pixels; p += kChunk) {
        const uint8_t* in = src + 3 * p;
        uint8_t* out = dst + 4 * p;
        for (size_t i = 0; i < kChunk; i += 2) {
            const uint64_t v = load64(in + 3 * i);
            store64(out + 4 * i, (v & 0xFFFFFFu) | ((v << 8) & 0xFFFFFF00000000u));
        }
    }
    for (; p < pixels; ++p) widenOne(src + 3 * p, dst + 4 * p);
}

void ReorderYuv444Bytes(uint8_t* data, size_t groups) {
    size_t g = 0;
    for (; g + kChunk <= groups; g += kChunk) {
        uint8_t* block = data + 4 * g;
        for (size_t i = 0; i < kChunk; ++i) {
            store32(block + 4 * i, rotateLowBytes(load32(block + 4 * i)));
        }
    }
    for (; g < groups; ++g) store32(data + 4 * g, rotateLowBytes(load32(data + 4 * g)));
}

void ReorderYuv444Words(uint8_t* data, size_t pixels) {
    size_t p = ShuffleBlocks(data, 6 * pixels, kRotateWords) / 6;
    for (; p + kChunk <= pixels; p += kChunk) {
        uint8_t* block = data + 6 * p;
        for (size_t i = 0; i < kChunk; ++i) rotateWords(block + 6 * i);
    }
    for (; p < pixels; ++p) rotateWords(data + 6 * p);
}

void ShiftWordsLeft(uint8_t* data, size_t words, unsigned shift) {
    if (shift == 0 || words == 0) return;  // an empty frame may come with no buffer at all
    if (shift >= 16) {
        std::memset(data, 0, 2 * words);
        return;
    }
    size_t i = 0;
#if defined(TAVREL_X86_KERNELS) && defined(__SSE2__)
    // SSE2 is always there on x86-64; the compiler does not vectorise this loop by itself.
    const __m128i count = _mm_cvtsi32_si128(static_cast<int>(shift));
    for (; i + 8 <= words; i += 8) {
        auto* block = reinterpret_cast<__m128i*>(data + 2 * i);
        _mm_storeu_si128(block, _mm_sll_epi16(_mm_loadu_si128(block), count));
    }
#endif
    for (; i + kChunk <= words; i += kChunk) {
        uint8_t* block = data + 2 * i;
        for (size_t j = 0; j < kChunk; ++j) {
            store16(block + 2 * j, static_cast<uint16_t>(load16(block + 2 * j) << shift));
        }
    }
    for (; i < words; ++i) {
        store16(data + 2 * i, static_cast<uint16_t>(load16(data + 2 * i) << shift));
    }
}
