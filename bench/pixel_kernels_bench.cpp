// Frame conversion kernels on a 1920x1080 frame; compare their bytes_per_second
// with that of Memcpy of the same number of bytes (memcpy_bench.cpp).
#include "bench_support.h"
#include "kernels/pixel_kernels.h"

namespace {

constexpr size_t kPixels = kFramePixels;

void Widen3To4(benchmark::State& state) {
    const std::vector<uint8_t> src = Pattern(kPixels * 3);
    std::vector<uint8_t> dst(kPixels * 4);
    for (auto _ : state) {
        WidenPixels3To4(src.data(), dst.data(), kPixels);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, dst.size());
}
BENCHMARK(Widen3To4);

void ReorderYuv444Bytes4(benchmark::State& state) {
    std::vector<uint8_t> data = Pattern(kPixels * 4);
    for (auto _ : state) {
        ReorderYuv444Bytes(data.data(), kPixels);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, data.size());
}
BENCHMARK(ReorderYuv444Bytes4);

void ReorderYuv444Words6(benchmark::State& state) {
    std::vector<uint8_t> data = Pattern(kPixels * 6);
    for (auto _ : state) {
        ReorderYuv444Words(data.data(), kPixels);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, data.size());
}
BENCHMARK(ReorderYuv444Words6);

void ShiftWords(benchmark::State& state) {
    std::vector<uint8_t> data = Pattern(kPixels * 6);
    for (auto _ : state) {
        ShiftWordsLeft(data.data(), data.size() / 2, 6);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, data.size());
}
BENCHMARK(ShiftWords);

// The upload's conversion of a YUV444 10-bit frame: reorder and shift on the way
// from the file's bytes into the frame buffer.
void ConvertYuv444Words6(benchmark::State& state) {
    const std::vector<uint8_t> src = Pattern(kPixels * 6);
    std::vector<uint8_t> dst(kPixels * 6);
    for (auto _ : state) {
        ConvertPixels(src.data(), dst.data(), kPixels, PixelSteps{6, false, true, 6});
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, dst.size());
}
BENCHMARK(ConvertYuv444Words6);

}  // namespace
