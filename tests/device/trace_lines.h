// Expected simulator trace lines for item and register accesses.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace trace {

inline std::string LittleEndianHex(uint64_t value, size_t bytes) {
    std::string hex;
    char pair[3];
    for (size_t i = 0; i < bytes; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned>((value >> (8 * i)) & 0xFF));
        hex += pair;
    }
    return hex;
}

inline std::string Set(uint32_t item, uint64_t value, size_t bytes = 4) {
    char line[128];
    std::snprintf(line, sizeof line, "HLX_TS_SetConfigItem(0x%08X, %zu, %s) = 0", item, bytes,
                  LittleEndianHex(value, bytes).c_str());
    return line;
}

// The start of a refused set; the failure status follows.
inline std::string RefusedSet(uint32_t item, uint64_t value, size_t bytes = 4) {
    std::string line = Set(item, value, bytes);
    return line.substr(0, line.size() - 1) + "-";
}

inline std::string Get(uint32_t item, uint64_t value, size_t bytes = 4) {
    char line[128];
    std::snprintf(line, sizeof line, "HLX_TS_GetConfigItem(0x%08X, %zu) = %zu %s", item, bytes,
                  bytes, LittleEndianHex(value, bytes).c_str());
    return line;
}

inline std::vector<std::string> WriteRegister(uint32_t address, uint32_t value) {
    return {Set(0x0FF00000, address), Set(0x0FF00003, value)};
}

}  // namespace trace
