// The one-pass frame conversion: vector kernels that read the file's bytes once and
// stream the converted pixels out, and a portable path that converts small chunks
// while they are in the cache.
#include <algorithm>
#include <cstring>

#include "kernels/block_shuffle.h"
#include "kernels/cpu_features.h"
#include "kernels/pixel_kernels.h"

#ifdef TAVREL_X86_KERNELS
#include <immintrin.h>
#endif

namespace {

// Pixels per portable chunk: small enough that its bytes stay in the first-level cache
// between the copy and the in-place passes; a multiple of 2, so every chunk starts on a
// whole 16-bit word at any bytes per pixel.
constexpr size_t kCachePixels = 1024;

bool isReorderable(const PixelSteps& steps) {
    return steps.reorder && (steps.widen || steps.bpp == 4 || steps.bpp == 6);
}

void convertInCache(const uint8_t* src, uint8_t* dst, size_t pixels, const PixelSteps& steps) {
    const uint32_t out = OutputBpp(steps);
    if (steps.widen) {
        WidenPixels3To4(src, dst, pixels);
    } else {
        std::memcpy(dst, src, pixels * steps.bpp);
    }
    if (isReorderable(steps)) {
        if (out == 6) {
            ReorderYuv444Words(dst, pixels);
        } else {
            ReorderYuv444Bytes(dst, pixels);
        }
    }
    ShiftWordsLeft(dst, pixels * out / 2, steps.shift);
}

void convertPortable(const uint8_t* src, uint8_t* dst, size_t pixels, const PixelSteps& steps) {
    const uint32_t out = OutputBpp(steps);
    for (size_t done = 0; done < pixels;) {
        const size_t count = std::min(pixels - done, kCachePixels);
        convertInCache(src + done * steps.bpp, dst + done * out, count, steps);
        done += count;
    }
}

#ifdef TAVREL_X86_KERNELS

// Stores that bypass the caches need aligned addresses; elsewhere plain stores.
template <bool Stream>
__attribute__((target("avx2"))) inline void store32(uint8_t* p, __m256i v) {
    if constexpr (Stream) {
        _mm256_stream_si256(reinterpret_cast<__m256i*>(p), v);
    } else {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
    }
}

template <bool Stream>
__attribute__((target("avx2"))) inline void store16(uint8_t* p, __m128i v) {
    if constexpr (Stream) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(p), v);
    } else {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
    }
}

// The processor's own prefetch stops at every 4 KiB page of the file's mapping; asking
// 2 KiB ahead keeps the loads streaming (a fifth less time on a mapped 4K frame).
// Prefetching past the end is harmless: it never faults.
inline void prefetchAhead(const uint8_t* p) {
    _mm_prefetch(reinterpret_cast<const char*>(p + 2048), _MM_HINT_T0);
}

__attribute__((target("avx2"))) inline __m256i shift256(__m256i v, __m128i count) {
    return _mm256_sll_epi16(v, count);
}

// 4-byte pixels, 8 at a time, the third byte of each moved first as ReorderYuv444Bytes
// does.
template <bool Stream>
__attribute__((target("avx2"))) size_t rotate4(const uint8_t* src, uint8_t* dst, size_t pixels,
                                               unsigned shift) {
    const __m256i order = _mm256_setr_epi8(2, 0, 1, 3, 6, 4, 5, 7, 10, 8, 9, 11, 14, 12, 13, 15, 2,
                                           0, 1, 3, 6, 4, 5, 7, 10, 8, 9, 11, 14, 12, 13, 15);
    const __m128i count = _mm_cvtsi32_si128(static_cast<int>(shift));
    size_t p = 0;
    for (; p + 8 <= pixels; p += 8) {
        prefetchAhead(src + 4 * p);
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + 4 * p));
        store32<Stream>(dst + 4 * p, shift256(_mm256_shuffle_epi8(v, order), count));
    }
    return p;
}

// Any bytes per pixel without a reorder: the words are shifted as they are copied.
template <bool Stream>
__attribute__((target("avx2"))) size_t copyBytes(const uint8_t* src, uint8_t* dst, size_t bytes,
                                                 unsigned shift) {
    const __m128i count = _mm_cvtsi32_si128(static_cast<int>(shift));
    size_t i = 0;
    for (; i + 64 <= bytes; i += 64) {
        prefetchAhead(src + i);
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i + 32));
        store32<Stream>(dst + i, shift256(a, count));
        store32<Stream>(dst + i + 32, shift256(b, count));
    }
    return i;
}

// 3-byte pixels widened to 4, 8 at a time as in WidenPixels3To4; `rotate` also moves
// the third byte first.
template <bool Stream>
__attribute__((target("avx2"))) size_t widen(const uint8_t* src, uint8_t* dst, size_t pixels,
                                             bool rotate, unsigned shift) {
    const __m256i plain = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0,
                                           1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m256i rotated = _mm256_setr_epi8(2, 0, 1, -1, 5, 3, 4, -1, 8, 6, 7, -1, 11, 9, 10, -1,
                                             2, 0, 1, -1, 5, 3, 4, -1, 8, 6, 7, -1, 11, 9, 10, -1);
    const __m256i spread = rotate ? rotated : plain;
    const __m128i count = _mm_cvtsi32_si128(static_cast<int>(shift));
    size_t p = 0;
    // The upper load ends 28 bytes after pixel p, inside the source while p + 10 <= pixels.
    for (; p + 10 <= pixels; p += 8) {
        prefetchAhead(src + 3 * p);
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * p));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * p + 12));
        const __m256i both = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
        store32<Stream>(dst + 4 * p, shift256(_mm256_shuffle_epi8(both, spread), count));
    }
    return p;
}

template <bool Stream>
__attribute__((target("avx2"))) size_t copy6(const uint8_t* src, uint8_t* dst, size_t pixels,
                                             unsigned shift) {
    __m128i masks[3][3];
    for (size_t o = 0; o < 3; ++o) {
        for (size_t v = 0; v < 3; ++v) {
            masks[o][v] =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(kRotateWords[o][v].data()));
        }
    }
    const __m128i count = _mm_cvtsi32_si128(static_cast<int>(shift));
    size_t p = 0;
    for (; p + 8 <= pixels; p += 8) {
        prefetchAhead(src + 6 * p);
        __m128i in[3];
        for (size_t v = 0; v < 3; ++v) {
            in[v] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 6 * p + 16 * v));
        }
        for (size_t o = 0; o < 3; ++o) {
            const __m128i out = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(in[0], masks[o][0]),
                                                          _mm_shuffle_epi8(in[1], masks[o][1])),
                                             _mm_shuffle_epi8(in[2], masks[o][2]));
            store16<Stream>(dst + 6 * p + 16 * o, _mm_sll_epi16(out, count));
        }
    }
    return p;
}

// Pixels done by the vector kernel; the caller converts the rest.
template <bool Stream>
size_t convertVector(const uint8_t* src, uint8_t* dst, size_t pixels, const PixelSteps& steps) {
    const bool rotate = isReorderable(steps);
    if (steps.widen) return widen<Stream>(src, dst, pixels, rotate, steps.shift);
    if (rotate && steps.bpp == 6) return copy6<Stream>(src, dst, pixels, steps.shift);
    if (rotate) return rotate4<Stream>(src, dst, pixels, steps.shift);
    // An even count, so the rest starts on a whole word at odd bytes per pixel too.
    return copyBytes<Stream>(src, dst, pixels * steps.bpp, steps.shift) / steps.bpp / 2 * 2;
}

#endif

}  // namespace

uint32_t OutputBpp(const PixelSteps& steps) {
    return steps.widen ? 4 : steps.bpp;
}

void ConvertPixels(const uint8_t* src, uint8_t* dst, size_t pixels, const PixelSteps& steps) {
    if (steps.bpp == 0 || (steps.widen && steps.bpp != 3)) return;
    size_t done = 0;
#ifdef TAVREL_X86_KERNELS
    // A shift of 16 or more clears every word: the portable path does that.
    if (CpuHasAvx2() && steps.shift < 16) {
        if (reinterpret_cast<uintptr_t>(dst) % 32 == 0) {
            done = convertVector<true>(src, dst, pixels, steps);
            _mm_sfence();  // streamed stores are ordered before whatever reads the frame
        } else {
            done = convertVector<false>(src, dst, pixels, steps);
        }
    }
#endif
    const uint32_t out = OutputBpp(steps);
    convertPortable(src + done * steps.bpp, dst + done * out, pixels - done, steps);
}
