// The device memory as one scenario divides it: one block per video item, in the order
// of the `video` items, then the packets block, then the audio block. The sizes are sent
// to the device as they stand; each engine is pointed at its block by index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScenarioFiles;
struct PacketContent;
struct Timing;

// Packet and audio blocks are sized in multiples of this many bytes.
inline constexpr uint32_t kBlockAlignment = 12288;

// Bytes reserved for one frame of the timing, whatever the pixel size of its files: 4 and
// 2 bytes a pixel, each part of a line rounded up. Never wrapped: at most UINT64_MAX.
uint64_t FrameReservation(const Timing& timing);
// The largest reservation a frame can have, as the device addresses a frame in 32 bits.
inline constexpr uint64_t kMaxFrameReservation = UINT32_MAX;

struct MemoryLayout {
    std::vector<uint64_t> blocks;  // video items, packets, audio

    // The block each engine reads. With no video the pattern generator and the playback
    // engine share the packets block.
    static constexpr uint32_t kPatternBlock = 0;
    uint32_t PacketsBlock() const { return static_cast<uint32_t>(blocks.size()) - 2; }
    uint32_t AudioBlock() const { return static_cast<uint32_t>(blocks.size()) - 1; }

    uint64_t Total() const;
    uint64_t PacketsBytes() const { return blocks[PacketsBlock()]; }
    uint64_t AudioBytes() const { return blocks[AudioBlock()]; }
    uint64_t VideoBytes() const { return Total() - PacketsBytes() - AudioBytes(); }
};

// The blocks of the scenario's content: a frame reservation of the timing for each file
// found, its packet data (none when it cannot be used) and its audio data.
MemoryLayout ComputeMemoryBlocks(const Timing& timing, const ScenarioFiles& files,
                                 const PacketContent& packets, uint64_t audioBytes);

// The data sizes of a layout as the upload reports them: total, video, packets, audio.
std::vector<std::string> DataSizeLines(const MemoryLayout& layout);
