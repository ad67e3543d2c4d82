#include "upload/memory_layout.h"

#include "files/paths.h"
#include "scenario/scenario.h"
#include "scenario/selection.h"
#include "upload/audio.h"
#include "upload/checks.h"
#include "upload/packets.h"
#include "upload/wave_reader.h"

namespace {

constexpr uint32_t kLinePartAlignment = 1024;

// Sizes stop at the largest value rather than wrap: such a layout fails the memory check.
uint64_t SaturatedProduct(uint64_t a, uint64_t b) {
    return a != 0 && b > UINT64_MAX / a ? UINT64_MAX : a * b;
}

}  // namespace

uint32_t RoundUp(uint32_t value, uint32_t alignment) {
    if (alignment == 0) return 0;
    const uint32_t sum = value - 1 + alignment;
    return sum - sum % alignment;
}

uint64_t RoundUp64(uint64_t value, uint64_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

// In 64 bits: a 32-bit product would wrap a large timing to a block far smaller than
// the frames written into it.
uint64_t FrameReservation(const Timing& timing) {
    const uint64_t width = timing.hactive;
    const uint64_t line =
        RoundUp64(4 * width, kLinePartAlignment) + RoundUp64(2 * width, kLinePartAlignment);
    return SaturatedProduct(line, timing.vactive);
}

// Sized by the same extension rule the audio reader uses.
uint64_t AudioDataSize(const std::string& path) {
    switch (AudioFileKindOf(path)) {
        case AudioFileKind::kRaw: {
            const int64_t size = fileSize(path);
            return size < 0 ? 0 : 2 * static_cast<uint64_t>(size);
        }
        case AudioFileKind::kWave: {
            WaveReader reader;
            return reader.open(path) ? reader.deviceDataSize() : 0;
        }
        case AudioFileKind::kUnknown:
            break;
    }
    return 0;
}

uint64_t MemoryLayout::Total() const {
    uint64_t total = 0;
    for (uint64_t block : blocks) total = block > UINT64_MAX - total ? UINT64_MAX : total + block;
    return total;
}

MemoryLayout ComputeMemoryBlocks(const ScenarioSettings& settings, const ScenarioFiles& files,
                                 const PacketContent& packets) {
    MemoryLayout layout;
    const uint64_t frameBytes = FrameReservation(settings.timing);
    for (const std::vector<SequenceFile>& item : files.frames) {
        layout.blocks.push_back(SaturatedProduct(frameBytes, item.size()));
    }
    uint64_t packetBytes = 0;
    if (packets.loaded) {
        if (packets.status != PacketDataStatus::kOk) return {};
        packetBytes = RoundUp(static_cast<uint32_t>(packets.data.size()), kBlockAlignment);
    }
    layout.blocks.push_back(packetBytes);
    const uint64_t audioBytes = IsSelected(settings.audio) ? AudioDataSize(settings.audio) : 0;
    // Rounded in 64 bits: long multi-channel audio can pass 4 GiB of device data, and a
    // 32-bit rounding would wrap it to a far too small block instead of meeting the memory
    // check.
    layout.blocks.push_back(RoundUp64(audioBytes, kBlockAlignment));
    return layout;
}

std::vector<std::string> DataSizeLines(const MemoryLayout& layout) {
    return {"Total data size: " + std::to_string(layout.Total()) + " bytes.",
            "Video data size: " + std::to_string(layout.VideoBytes()) + " bytes.",
            "Packets data size: " + std::to_string(layout.PacketsBytes()) + " bytes.",
            "Audio data size: " + std::to_string(layout.AudioBytes()) + " bytes."};
}
