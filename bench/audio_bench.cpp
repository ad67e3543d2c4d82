// WAV sample conversion (in place, as the upload does it) next to a memcpy of the
// bytes it writes. Compare the bytes_per_second columns. The kernel's work does not
// depend on the sample values, so the buffer is converted again each round.
#include <cstring>
#include <vector>

#include "bench_support.h"
#include "kernels/audio_kernels.h"
#include "upload/wave_reader.h"

namespace {

constexpr uint32_t kRate = 48000;

// Device data for `seconds` of stereo at `bytesPerSample`, its samples at the tail.
struct StereoBuffer {
    StereoBuffer(uint32_t seconds, uint32_t bytesPerSample)
        : frames(kRate * seconds),
          layout{2, bytesPerSample, 2, false},
          data(AudioDeviceDataSize(2, frames), 0) {
        const size_t input = size_t{bytesPerSample} * 2 * frames;
        offset = data.size() - input;
        for (size_t i = 0; i < input; ++i) data[offset + i] = static_cast<uint8_t>(i * 7 + 3);
    }
    uint32_t frames;
    SampleLayout layout;
    std::vector<uint8_t> data;
    size_t offset = 0;
};

void AudioMemcpy(benchmark::State& state) {
    TimeMemcpy(state, AudioDeviceDataSize(2, kRate * static_cast<uint32_t>(state.range(0))));
}
BENCHMARK(AudioMemcpy)->Arg(1)->Arg(10);

void ConvertStereo(benchmark::State& state, uint32_t bytesPerSample) {
    StereoBuffer buffer(static_cast<uint32_t>(state.range(0)), bytesPerSample);
    for (auto _ : state) {
        ConvertSamplesInPlace(buffer.data.data(), buffer.data.size(), buffer.offset, buffer.frames,
                              buffer.layout);
        benchmark::DoNotOptimize(buffer.data.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * buffer.data.size()));
}

void ConvertStereo16(benchmark::State& state) {
    ConvertStereo(state, 2);
}
BENCHMARK(ConvertStereo16)->Arg(1)->Arg(10);

void ConvertStereo24(benchmark::State& state) {
    ConvertStereo(state, 3);
}
BENCHMARK(ConvertStereo24)->Arg(1)->Arg(10);

}  // namespace
