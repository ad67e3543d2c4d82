// Frame conversion kernels on a 1920x1080 frame, each next to a memcpy of the
// bytes it writes. Compare the bytes_per_second columns.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "upload/pixel_kernels.h"

namespace {

constexpr size_t kPixels = 1920 * 1080;

std::vector<uint8_t> Pattern(size_t bytes) {
    std::vector<uint8_t> data(bytes);
    for (size_t i = 0; i < bytes; ++i) data[i] = static_cast<uint8_t>(i * 7 + 3);
    return data;
}

void Memcpy(benchmark::State& state) {
    const size_t bytes = static_cast<size_t>(state.range(0));
    const std::vector<uint8_t> src = Pattern(bytes);
    std::vector<uint8_t> dst(bytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(Memcpy)->Arg(kPixels * 4)->Arg(kPixels * 6);

void Widen3To4(benchmark::State& state) {
    const std::vector<uint8_t> src = Pattern(kPixels * 3);
    std::vector<uint8_t> dst(kPixels * 4);
    for (auto _ : state) {
        WidenPixels3To4(src.data(), dst.data(), kPixels);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * dst.size()));
}
BENCHMARK(Widen3To4);

void ReorderYuv444Bytes4(benchmark::State& state) {
    std::vector<uint8_t> data = Pattern(kPixels * 4);
    for (auto _ : state) {
        ReorderYuv444Bytes(data.data(), kPixels);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(ReorderYuv444Bytes4);

void ReorderYuv444Words6(benchmark::State& state) {
    std::vector<uint8_t> data = Pattern(kPixels * 6);
    for (auto _ : state) {
        ReorderYuv444Words(data.data(), kPixels);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(ReorderYuv444Words6);

void ShiftWords(benchmark::State& state) {
    std::vector<uint8_t> data = Pattern(kPixels * 6);
    for (auto _ : state) {
        ShiftWordsLeft(data.data(), data.size() / 2, 6);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(ShiftWords);

}  // namespace
