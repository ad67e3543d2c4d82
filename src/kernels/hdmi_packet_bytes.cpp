#include "kernels/hdmi_packet_bytes.h"

#include <array>

#include "kernels/block_shuffle.h"
#include "kernels/cpu_features.h"

#ifdef TAVREL_X86_KERNELS
#include <immintrin.h>
#endif

namespace {

constexpr size_t kPacketBytes = 32;

// The device takes an HDMI packet in rows: three rows of 9 bytes (header byte r, then
// bytes 2r and 2r+1 of each of the four 7-byte subpackets that follow the 3 header
// bytes) and a row of 5 (file byte 31, then byte 6 of each subpacket).
// kSource[p] is the file byte that lands at device byte p.
constexpr std::array<uint8_t, kPacketBytes> MakeSource() {
    std::array<uint8_t, kPacketBytes> source{};
    for (size_t row = 0; row < 3; ++row) {
        source[9 * row] = static_cast<uint8_t>(row);
        for (size_t sub = 0; sub < 4; ++sub) {
            const size_t first = 3 + 7 * sub + 2 * row;
            source[9 * row + 1 + 2 * sub] = static_cast<uint8_t>(first);
            source[9 * row + 2 + 2 * sub] = static_cast<uint8_t>(first + 1);
        }
    }
    source[27] = 31;
    for (size_t sub = 0; sub < 4; ++sub) source[28 + sub] = static_cast<uint8_t>(3 + 7 * sub + 6);
    return source;
}

constexpr std::array<uint8_t, kPacketBytes> kSource = MakeSource();

#ifdef TAVREL_X86_KERNELS
// kHalfMasks[o][h]: which byte of input half h goes to each byte of output half o.
constexpr ShuffleMasks<2> kHalfMasks = MakeShuffleMasks<2>([](size_t p) { return kSource[p]; });

inline __m128i LoadMask(size_t o, size_t h) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(kHalfMasks[o][h].data()));
}

// Four shuffles and two ORs per packet; the loads and stores are unaligned since
// packet files lie 36 bytes apart. (A packet per 256-bit vector, with a lane swap
// and three shuffles, measured slower: its 32-byte loads split cache lines.)
__attribute__((target("ssse3"))) void WriteSsse3(const uint8_t* files, size_t stride, size_t count,
                                                 uint8_t* out) {
    const __m128i lowFromLow = LoadMask(0, 0);
    const __m128i lowFromHigh = LoadMask(0, 1);
    const __m128i highFromLow = LoadMask(1, 0);
    const __m128i highFromHigh = LoadMask(1, 1);
    for (size_t i = 0; i < count; ++i, files += stride, out += kPacketBytes) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(files));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(files + 16));
        const __m128i outLow =
            _mm_or_si128(_mm_shuffle_epi8(low, lowFromLow), _mm_shuffle_epi8(high, lowFromHigh));
        const __m128i outHigh =
            _mm_or_si128(_mm_shuffle_epi8(low, highFromLow), _mm_shuffle_epi8(high, highFromHigh));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), outLow);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), outHigh);
    }
}
#endif

void WritePortable(const uint8_t* files, size_t stride, size_t count, uint8_t* out) {
    for (size_t i = 0; i < count; ++i, files += stride, out += kPacketBytes) {
        for (size_t p = 0; p < kPacketBytes; ++p) out[p] = files[kSource[p]];
    }
}

}  // namespace

std::vector<HdmiPacketKernel> AvailableHdmiPacketKernels() {
    std::vector<HdmiPacketKernel> kernels{HdmiPacketKernel::kPortable};
    if (CpuHasSsse3()) kernels.push_back(HdmiPacketKernel::kSsse3);
    return kernels;
}

void WriteHdmiPacketBytesWith(HdmiPacketKernel kernel, const uint8_t* files, size_t stride,
                              size_t count, uint8_t* out) {
    switch (kernel) {
#ifdef TAVREL_X86_KERNELS
        case HdmiPacketKernel::kSsse3:
            return WriteSsse3(files, stride, count, out);
#endif
        default:
            return WritePortable(files, stride, count, out);
    }
}

void WriteHdmiPacketBytes(const uint8_t* files, size_t stride, size_t count, uint8_t* out) {
    static const HdmiPacketKernel fastest = AvailableHdmiPacketKernels().back();
    WriteHdmiPacketBytesWith(fastest, files, stride, count, out);
}
