// Short forms of the item calls for the simulator's own tests.
#pragma once

#include <cstdint>
#include <vector>

#include "device/hlx.h"

namespace simtest {

inline std::vector<uint8_t> le(uint64_t value, size_t width) {
    std::vector<uint8_t> bytes(width);
    for (size_t i = 0; i < width; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    return bytes;
}

inline int32_t set(uint32_t item, const std::vector<uint8_t>& bytes) {
    return HLX_TS_SetConfigItem(item, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

inline int32_t set32(uint32_t item, uint32_t value) {
    return set(item, le(value, 4));
}

inline int32_t setLayout(const std::vector<uint64_t>& blocks) {
    return HLX_TS_SetConfigItem(2179, blocks.data(), static_cast<uint32_t>(blocks.size()));
}

// Reads into a buffer filled with 0xFF, so bytes never written stand out.
inline int32_t get(uint32_t item, std::vector<uint8_t>& bytes, uint32_t size) {
    bytes.assign(size, 0xFF);
    return HLX_TS_GetConfigItem(item, bytes.data(), size);
}

inline uint64_t value(const std::vector<uint8_t>& bytes, size_t width) {
    uint64_t v = 0;
    for (size_t i = width; i-- > 0;) v = v << 8 | bytes[i];
    return v;
}

inline int32_t writeRegister(uint32_t address, uint32_t v) {
    int32_t status = set32(0xFF00000, address);
    return status < 0 ? status : set32(0xFF00003, v);
}

}  // namespace simtest
