// The content memory: its block layout and the data written into the blocks.
#pragma once

#include <cstdint>

namespace hlxsim {

constexpr int32_t kRefused = -1;

int32_t ResetLayout();
int32_t SetLayout(const uint8_t* entries, uint32_t count);
int32_t SelectBlock(uint32_t index);
int32_t AppendToBlock(const uint8_t* data, uint32_t size);
bool IsBlockIndex(uint64_t index);

}  // namespace hlxsim
