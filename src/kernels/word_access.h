// Loads and stores of 16-, 32- and 64-bit words at any byte address, in the host's order.
// Frame files, audio records and the device's words are little-endian, and so must the
// host be for these to move them unchanged.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "words assume a little-endian host");

template <typename Word>
inline Word loadWord(const uint8_t* p) {
    Word v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename Word>
inline void storeWord(uint8_t* p, Word v) {
    std::memcpy(p, &v, sizeof v);
}

inline uint16_t load16(const uint8_t* p) {
    return loadWord<uint16_t>(p);
}
inline uint32_t load32(const uint8_t* p) {
    return loadWord<uint32_t>(p);
}
inline uint64_t load64(const uint8_t* p) {
    return loadWord<uint64_t>(p);
}
inline void store16(uint8_t* p, uint16_t v) {
    storeWord(p, v);
}
inline void store32(uint8_t* p, uint32_t v) {
    storeWord(p, v);
}
inline void store64(uint8_t* p, uint64_t v) {
    storeWord(p, v);
}
