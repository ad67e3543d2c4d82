// Baselines of the frame kernels and audio layouts: memcpy of as many bytes as
// they write. (The stereo and packet baselines live beside their kernels.)
#include <cstring>

#include "bench_support.h"

namespace {

void Memcpy(benchmark::State& state) {
    TimeMemcpy(state, static_cast<size_t>(state.range(0)));
}
BENCHMARK(Memcpy)->Arg(kFrame4Bytes)->Arg(kFrame6Bytes);

}  // namespace
