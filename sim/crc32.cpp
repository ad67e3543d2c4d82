// CRC-32 (IEEE 802.3, reflected, as zlib computes it), slicing by eight bytes.
#include <array>

#include "sim_control.h"

namespace hlxsim {
namespace {

using Tables = std::array<std::array<uint32_t, 256>, 8>;

Tables makeTables() {
    Tables tables{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n) {
        for (size_t t = 1; t < 8; ++t) {
            uint32_t prev = tables[t - 1][n];
            tables[t][n] = (prev >> 8) ^ tables[0][prev & 0xFF];
        }
    }
    return tables;
}

const Tables& tables() {
    static const Tables t = makeTables();
    return t;
}

}  // namespace

uint32_t Crc32(const void* data, size_t size, uint32_t crc) {
    const Tables& t = tables();
    const auto* p = static_cast<const uint8_t*>(data);
    uint32_t c = ~crc;
    while (size >= 8) {
        // Composed byte by byte so the order is right on any host; compilers make it one load.
        uint32_t lo = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                      static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
        uint32_t hi = static_cast<uint32_t>(p[4]) | static_cast<uint32_t>(p[5]) << 8 |
                      static_cast<uint32_t>(p[6]) << 16 | static_cast<uint32_t>(p[7]) << 24;
        lo ^= c;
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^
            t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
        p += 8;
        size -= 8;
    }
    while (size-- > 0) c = t[0][(c ^ *p++) & 0xFF] ^ (c >> 8);
    return ~c;
}

}  // namespace hlxsim
