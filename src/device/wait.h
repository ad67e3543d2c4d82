#pragma once

#include <cstdint>

// Blocks the calling thread until `milliseconds` from now; 0 returns at once.
void SleepMilliseconds(uint32_t milliseconds);
