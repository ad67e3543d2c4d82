// Expected simulator trace lines for item and register accesses.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "sim_control.h"

namespace trace {

inline std::string Hex(const std::vector<uint8_t>& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string text;
    for (const uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

// Bytes as the trace shows them: hex up to 64 bytes, else "#" and their CRC-32.
inline std::string Shown(const std::vector<uint8_t>& bytes) {
    if (bytes.size() <= 64) return Hex(bytes);
    char text[16];
    std::snprintf(text, sizeof text, "#%08x", hlxsim::Crc32(bytes.data(), bytes.size()));
    return text;
}

inline std::string LittleEndianHex(uint64_t value, size_t bytes) {
    std::string hex;
    char pair[3];
    for (size_t i = 0; i < bytes; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned>((value >> (8 * i)) & 0xFF));
        hex += pair;
    }
    return hex;
}

// A set of `size` bytes shown as `hex`, answered with `status`.
inline std::string SetBytes(uint32_t item, size_t size, const std::string& hex, int status = 0) {
    char head[64];
    std::snprintf(head, sizeof head, "HLX_TS_SetConfigItem(0x%08X, %zu, ", item, size);
    return head + hex + ") = " + std::to_string(status);
}

inline std::string SetData(uint32_t item, const std::vector<uint8_t>& bytes, int status = 0) {
    return SetBytes(item, bytes.size(), Shown(bytes), status);
}

inline std::string Set(uint32_t item, uint64_t value, size_t bytes = 4, int status = 0) {
    return SetBytes(item, bytes, LittleEndianHex(value, bytes), status);
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

inline std::string FailedGet(uint32_t item, size_t bytes = 4) {
    char line[128];
    std::snprintf(line, sizeof line, "HLX_TS_GetConfigItem(0x%08X, %zu) = -1", item, bytes);
    return line;
}

inline std::vector<std::string> WriteRegister(uint32_t address, uint32_t value) {
    return {Set(0x0FF00000, address), Set(0x0FF00003, value)};
}

inline std::vector<std::string> ReadRegister(uint32_t address, uint64_t value) {
    return {Set(0x0FF00000, address), Get(0x0FF00001, value, 8)};
}

// A get that delivered `bytes` (of `size` asked for).
inline std::string GetData(uint32_t item, size_t size, const std::vector<uint8_t>& bytes) {
    char head[64];
    std::snprintf(head, sizeof head, "HLX_TS_GetConfigItem(0x%08X, %zu) = %zu ", item, size,
                  bytes.size());
    return head + Shown(bytes);
}

inline void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace trace
