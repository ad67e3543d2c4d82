// HDMI packet bytes and the packet data of a playback sequence, each next to a
// memcpy of the bytes it writes. Compare the bytes_per_second columns.
#include <cstring>
#include <vector>

#include "bench_support.h"
#include "kernels/hdmi_packet_bytes.h"
#include "upload/packets.h"

namespace {

constexpr size_t kPackets = 4096;
constexpr uint32_t kSteps = 990;
// The packet data of kSteps steps: 990 x 512 bytes of packets after twice the index,
// rounded to 1024. PacketData is compared with a copy of exactly this many bytes.
constexpr size_t kPacketDataBytes = 523264;

std::vector<uint8_t> PacketFiles() {
    std::vector<uint8_t> files(kPackets * kPacketFileMinBytes);
    for (size_t i = 0; i < files.size(); ++i) files[i] = static_cast<uint8_t>(i * 7 + 3);
    return files;
}

// Steps of 16 packets each, the way a long InfoFrame sequence looks.
PacketSet Sequence() {
    PacketSet set;
    const std::vector<uint8_t> files = PacketFiles();
    for (size_t i = 0; i < 64; ++i) {
        std::vector<uint8_t> layout;
        ParsePacket(files.data() + i * kPacketFileMinBytes, kPacketFileMinBytes, true, layout);
        set.packets.push_back(layout);
    }
    for (uint32_t s = 0; s < kSteps; ++s) {
        PlayingOrderStep step;
        for (uint32_t p = 0; p < 16; ++p) step.packetIndices.push_back((s + p) % 64);
        set.steps.push_back(step);
    }
    return set;
}

void PacketMemcpy(benchmark::State& state) {
    TimeMemcpy(state, static_cast<size_t>(state.range(0)));
}
// The packet bytes written, and the packet data of Sequence().
BENCHMARK(PacketMemcpy)->Arg(kPackets* kHdmiPacketBytes)->Arg(kPacketDataBytes);

// A whole sequence of loaded packet files (padded to 36 bytes) in one call.
void HdmiPacketBytes(benchmark::State& state) {
    const std::vector<uint8_t> files = PacketFiles();
    std::vector<uint8_t> layouts(kPackets * kHdmiPacketBytes);
    for (auto _ : state) {
        WriteHdmiPacketBytes(files.data(), kPacketFileMinBytes, kPackets, layouts.data());
        benchmark::DoNotOptimize(layouts.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * layouts.size()));
}
BENCHMARK(HdmiPacketBytes);

void PacketData(benchmark::State& state) {
    const PacketSet set = Sequence();
    std::vector<uint8_t> data;
    for (auto _ : state) {
        BuildPacketData(set, data);
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    if (data.size() != kPacketDataBytes) state.SkipWithError("packet data size changed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(PacketData);

}  // namespace
