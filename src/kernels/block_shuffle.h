// In-place byte permutations over 48-byte blocks (three 16-byte vectors), for
// samples and pixels whose sizes (3 or 6 bytes) do not fit a vector lane.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// masks[o][v][i]: which byte of input vector v goes to byte i of output vector o;
// 0x80 (a zero byte) where that byte comes from another vector.
template <size_t Vectors>
using ShuffleMasks = std::array<std::array<std::array<uint8_t, 16>, Vectors>, Vectors>;
using BlockMasks = ShuffleMasks<3>;

// The masks of the permutation over `Vectors` 16-byte vectors in which output byte p is
// input byte from(p).
template <size_t Vectors, typename From>
constexpr ShuffleMasks<Vectors> MakeShuffleMasks(From from) {
    ShuffleMasks<Vectors> masks{};
    for (size_t p = 0; p < 16 * Vectors; ++p) {
        const size_t source = from(p);
        for (size_t v = 0; v < Vectors; ++v) {
            masks[p / 16][v][p % 16] = source / 16 == v ? static_cast<uint8_t>(source % 16) : 0x80;
        }
    }
    return masks;
}

// 8 pixels of 6 bytes make one block; output word j of a pixel is its input word
// (j + 2) mod 3.
inline constexpr BlockMasks kRotateWords =
    MakeShuffleMasks<3>([](size_t p) { return p / 6 * 6 + 2 * ((p % 6 / 2 + 2) % 3) + p % 2; });

// Permutes every whole block of `size` bytes when the processor has byte shuffles;
// returns how many bytes it did (0 without them), leaving the rest to the caller.
size_t ShuffleBlocks(uint8_t* data, size_t size, const BlockMasks& masks);
