// Builders for expected simulator trace lines.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

inline std::string HexLE(uint64_t value, int bytes) {
    std::string text;
    char pair[3];
    for (int i = 0; i < bytes; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned>((value >> (8 * i)) & 0xFF));
        text += pair;
    }
    return text;
}

inline std::string ItemText(uint32_t item) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", item);
    return text;
}

inline std::string SetLine(uint32_t item, uint32_t size, const std::string& bytes, int status = 0) {
    return "HLX_TS_SetConfigItem(" + ItemText(item) + ", " + std::to_string(size) + ", " + bytes +
           ") = " + std::to_string(status);
}

inline std::string Set32(uint32_t item, uint32_t value, int status = 0) {
    return SetLine(item, 4, HexLE(value, 4), status);
}

inline std::string Set64(uint32_t item, uint64_t value, int status = 0) {
    return SetLine(item, 8, HexLE(value, 8), status);
}

// A get that delivered `size` bytes holding `value`.
inline std::string Get(uint32_t item, uint32_t size, uint64_t value) {
    return "HLX_TS_GetConfigItem(" + ItemText(item) + ", " + std::to_string(size) + ") = " +
           std::to_string(size) + " " + HexLE(value, static_cast<int>(size));
}

inline std::string GetFailed(uint32_t item, uint32_t size) {
    return "HLX_TS_GetConfigItem(" + ItemText(item) + ", " + std::to_string(size) + ") = -1";
}

// A register write through the window: address, then value.
inline std::vector<std::string> RegWrite(uint32_t address, uint32_t value) {
    return {Set32(0xFF00000, address), Set32(0xFF00003, value)};
}

inline std::vector<std::string> RegRead(uint32_t address, uint64_t value) {
    return {Set32(0xFF00000, address), Get(0xFF00001, 8, value)};
}

inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}
