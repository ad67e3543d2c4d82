#include "upload/memory_layout.h"

#include "format/arithmetic.h"
#include "scenario/scenario.h"
#include "upload/content_plan.h"
#include "upload/packets.h"

namespace {

constexpr uint32_t kLinePartAlignment = 1024;

}  // namespace

// Every line is reserved as two parts of 4 and 2 bytes a pixel, each rounded to 1 KiB.
uint64_t FrameReservation(const Timing& timing) {
    const uint64_t width = timing.hactive;
    const uint64_t line =
        RoundUp(4 * width, kLinePartAlignment) + RoundUp(2 * width, kLinePartAlignment);
    return SaturatingMultiply(line, timing.vactive);
}

uint64_t MemoryLayout::Total() const {
    uint64_t total = 0;
    for (uint64_t block : blocks) total = SaturatingAdd(total, block);
    return total;
}

MemoryLayout ComputeMemoryBlocks(const Timing& timing, const ScenarioFiles& files,
                                 const PacketContent& packets, uint64_t audioBytes) {
    MemoryLayout layout;
    const uint64_t frameBytes = FrameReservation(timing);
    for (const std::vector<SequenceFile>& item : files.frames) {
        layout.blocks.push_back(SaturatingMultiply(frameBytes, item.size()));
    }
    const bool usable = packets.loaded && packets.status == PacketDataStatus::kOk;
    layout.blocks.push_back(usable ? RoundUp(packets.data.size(), kBlockAlignment) : 0);
    // Long multi-channel audio can pass 4 GiB of device data: it then meets the memory
    // check instead of a block far too small.
    layout.blocks.push_back(RoundUp(audioBytes, kBlockAlignment));
    return layout;
}

std::vector<std::string> DataSizeLines(const MemoryLayout& layout) {
    return {"Total data size: " + std::to_string(layout.Total()) + " bytes.",
            "Video data size: " + std::to_string(layout.VideoBytes()) + " bytes.",
            "Packets data size: " + std::to_string(layout.PacketsBytes()) + " bytes.",
            "Audio data size: " + std::to_string(layout.AudioBytes()) + " bytes."};
}
