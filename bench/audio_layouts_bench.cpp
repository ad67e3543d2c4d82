// WAV sample layouts besides the stereo ones of audio_bench.cpp, converted in place
// as the upload does it, on enough frames for 8294400 bytes of records (compare with
// Memcpy/8294400). The buffer is converted again every round: the kernels do the
// same work whatever the bytes hold.
#include "bench_support.h"
#include "kernels/audio_kernels.h"

namespace {

// Args: bytes per sample, channels, words per record, big-endian input.
void WavSamples(benchmark::State& state) {
    SampleLayout layout;
    layout.bytesPerSample = static_cast<uint32_t>(state.range(0));
    layout.channels = static_cast<uint32_t>(state.range(1));
    layout.wordsPerRecord = static_cast<uint32_t>(state.range(2));
    layout.bigEndian = state.range(3) != 0;
    const size_t recordBytes = size_t{4} * layout.wordsPerRecord;
    const auto frames = static_cast<uint32_t>(kFrame4Bytes / recordBytes);
    std::vector<uint8_t> buffer = Pattern(kFrame4Bytes);
    const size_t inputOffset = buffer.size() - frames * InputFrameBytes(layout);
    for (auto _ : state) {
        if (!ConvertSamplesInPlace(buffer.data(), buffer.size(), inputOffset, frames, layout)) {
            state.SkipWithError("layout refused");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, buffer.size());
}
BENCHMARK(WavSamples)
    ->Args({1, 2, 2, 0})   // 8-bit stereo
    ->Args({2, 6, 8, 0})   // 16-bit 5.1 in 8-word records
    ->Args({2, 2, 2, 1});  // 16-bit stereo, big-endian

// Byte order fixes applied to big-endian input before the conversion.
void SwapSamplePairs(benchmark::State& state) {
    std::vector<uint8_t> data = Pattern(kFrame4Bytes);
    for (auto _ : state) {
        SwapBytePairs(data.data(), data.size());
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, data.size());
}
BENCHMARK(SwapSamplePairs);

void ReverseSamples24(benchmark::State& state) {
    std::vector<uint8_t> data = Pattern(kFrame4Bytes);
    for (auto _ : state) {
        ReverseSampleBytes(data.data(), data.size(), 3);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, data.size());
}
BENCHMARK(ReverseSamples24);

}  // namespace
