// Baselines of the frame kernels and audio layouts: memcpy of as many bytes as
// they write. (The stereo and packet benchmarks bring their own.)
#include <cstring>

#include "bench_support.h"

namespace {

void Memcpy(benchmark::State& state) {
    const size_t bytes = static_cast<size_t>(state.range(0));
    const std::vector<uint8_t> src = Pattern(bytes);
    std::vector<uint8_t> dst(bytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    CountOutputBytes(state, bytes);
}
BENCHMARK(Memcpy)->Arg(kFrame4Bytes)->Arg(kFrame6Bytes);

}  // namespace
