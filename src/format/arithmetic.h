// Sizes and clocks computed from values in files: rounded up and multiplied without
// wrapping, so that an absurd value gives a huge size that fails its check instead of a
// small one that passes it.
#pragma once

#include <cstdint>
#include <limits>

inline constexpr uint64_t kSaturated = std::numeric_limits<uint64_t>::max();

constexpr uint64_t SaturatingMultiply(uint64_t a, uint64_t b) {
    uint64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? kSaturated : product;
}

constexpr uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
    return b > kSaturated - a ? kSaturated : a + b;
}

// `value` rounded up to a multiple of `alignment` (not 0); saturates near the top.
constexpr uint64_t RoundUp(uint64_t value, uint64_t alignment) {
    if (value > kSaturated - (alignment - 1)) return kSaturated;
    return (value + alignment - 1) / alignment * alignment;
}

// The step check prints its clock estimate from a product that wraps, as it always has;
// named, so that nobody mends it into a saturating one by accident.
constexpr uint64_t WrappingMultiply(uint64_t a, uint64_t b) {
    return a * b;
}
