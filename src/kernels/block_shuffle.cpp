#include "kernels/block_shuffle.h"

#include "kernels/cpu_features.h"

#ifdef TAVREL_X86_KERNELS
#include <immintrin.h>

namespace {

__attribute__((target("ssse3"))) size_t shuffleSsse3(uint8_t* data, size_t size,
                                                     const BlockMasks& table) {
    __m128i masks[3][3];
    for (size_t o = 0; o < 3; ++o) {
        for (size_t v = 0; v < 3; ++v) {
            masks[o][v] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table[o][v].data()));
        }
    }
    size_t i = 0;
    for (; i + 48 <= size; i += 48) {
        __m128i in[3];
        for (size_t v = 0; v < 3; ++v) {
            in[v] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 16 * v));
        }
        for (size_t o = 0; o < 3; ++o) {
            const __m128i out = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(in[0], masks[o][0]),
                                                          _mm_shuffle_epi8(in[1], masks[o][1])),
                                             _mm_shuffle_epi8(in[2], masks[o][2]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(data + i + 16 * o), out);
        }
    }
    return i;
}

}  // namespace

size_t ShuffleBlocks(uint8_t* data, size_t size, const BlockMasks& masks) {
    return CpuHasSsse3() ? shuffleSsse3(data, size, masks) : 0;
}

#else

size_t ShuffleBlocks(uint8_t*, size_t, const BlockMasks&) {
    return 0;
}

#endif
