// Helpers shared by the kernel benchmarks: test data and the byte counts that the
// bytes_per_second column is computed from (always the bytes a kernel writes).
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

inline std::vector<uint8_t> Pattern(size_t bytes) {
    std::vector<uint8_t> data(bytes);
    for (size_t i = 0; i < bytes; ++i) data[i] = static_cast<uint8_t>(i * 7 + 3);
    return data;
}

inline void CountOutputBytes(benchmark::State& state, size_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytesPerIteration));
}

// The baseline every kernel is held against: memcpy of `bytes` bytes.
inline void TimeMemcpy(benchmark::State& state, size_t bytes) {
    const std::vector<uint8_t> src = Pattern(bytes);
    std::vector<uint8_t> dst(bytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, bytes);
}

// Sizes of the memcpy baselines (Memcpy/<bytes>): every kernel is compared with a
// copy of exactly the bytes it writes.
inline constexpr size_t kFramePixels = 1920 * 1080;
inline constexpr size_t kFrame4Bytes = kFramePixels * 4;
inline constexpr size_t kFrame6Bytes = kFramePixels * 6;
