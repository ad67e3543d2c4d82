// The generator's configuration items and registers that the simulator answers, numbered
// from the device description. Kept apart from the program's own table on purpose: a wrong
// number on one side shows up as a refused or ignored call in the tests.
#pragma once

#include <cstdint>

namespace hlxsim {
namespace item {
inline constexpr uint32_t kPatternMemoryBlock = 0x719;  // 1817
inline constexpr uint32_t kImageData = 0x720;           // 1824
inline constexpr uint32_t kDpLaneCount = 0x78B;         // 1931
inline constexpr uint32_t kDpLinkRate = 0x78C;          // 1932
inline constexpr uint32_t kMemorySize = 0x880;          // 2176
inline constexpr uint32_t kMemoryLayoutReset = 0x882;   // 2178
inline constexpr uint32_t kMemoryLayout = 0x883;        // 2179
inline constexpr uint32_t kMemoryBlockSelect = 0x884;   // 2180
inline constexpr uint32_t kMemoryBlockData = 0x885;     // 2181
inline constexpr uint32_t kSinkEdid = 0x1100;           // 4352
inline constexpr uint32_t kRegisterAddress = 0xFF00000;
inline constexpr uint32_t kRegisterRead = 0xFF00001;
inline constexpr uint32_t kRegisterWrite = 0xFF00003;
inline constexpr uint32_t kRegisterBlockWrite = 0xFF00004;
inline constexpr uint32_t kPlaybackState = 0x5002B000;
inline constexpr uint32_t kPlaybackMemoryBlock = 0x5002B002;
inline constexpr uint32_t kPlaybackScenario = 0x5002B00E;
inline constexpr uint32_t kInformation = 0x80000001;
}  // namespace item

namespace reg {
inline constexpr uint32_t kAudioMemoryBlock = 0x200D;  // 8205
}  // namespace reg
}  // namespace hlxsim
