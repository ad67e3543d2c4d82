// In-place byte permutations over 48-byte blocks (three 16-byte vectors), for
// samples and pixels whose sizes (3 or 6 bytes) do not fit a vector lane.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// masks[o][v][i]: which byte of input vector v goes to byte i of output vector o;
// 0x80 where that byte comes from another vector.
using BlockMasks = std::array<std::array<std::array<uint8_t, 16>, 3>, 3>;

// The masks of the permutation in which output byte p of a block is input byte from(p).
template <typename From>
constexpr BlockMasks MakeBlockMasks(From from) {
    BlockMasks masks{};
    for (size_t p = 0; p < 48; ++p) {
        const size_t source = from(p);
        for (size_t v = 0; v < 3; ++v) {
            masks[p / 16][v][p % 16] = source / 16 == v ? static_cast<uint8_t>(source % 16) : 0x80;
        }
    }
    return masks;
}

// Permutes every whole block of `size` bytes when the processor has byte shuffles;
// returns how many bytes it did (0 without them), leaving the rest to the caller.
size_t ShuffleBlocks(uint8_t* data, size_t size, const BlockMasks& masks);
