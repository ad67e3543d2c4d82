// The device memory as one scenario divides it: one block per video item, in the order
// of the `video` items, then the packets block, then the audio block. The sizes are sent
// to the device as they stand; each engine is pointed at its block by index.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScenarioSettings;
struct ScenarioFiles;
struct PacketContent;
struct Timing;

// Packet and audio blocks are sized in multiples of this many bytes.
inline constexpr uint32_t kBlockAlignment = 12288;

// `value` rounded up to a multiple of `alignment` in 32-bit arithmetic (0 when the
// alignment is 0; a value that rounds past 2^32 wraps).
uint32_t RoundUp(uint32_t value, uint32_t alignment);
// The same in 64 bits, for sizes that can pass 4 GiB; `alignment` is not 0.
uint64_t RoundUp64(uint64_t value, uint64_t alignment);

// Bytes reserved for one frame of the timing, whatever the pixel size of its files: 4 and
// 2 bytes a pixel, each part of a line rounded up. Never wrapped: at most UINT64_MAX.
uint64_t FrameReservation(const Timing& timing);
// The largest reservation a frame can have, as the device addresses a frame in 32 bits.
inline constexpr uint64_t kMaxFrameReservation = UINT32_MAX;
// Bytes of device audio data the audio file gives, sized by its extension from its
// header or size alone; 0 when it cannot be read.
uint64_t AudioDataSize(const std::string& path);

struct MemoryLayout {
    std::vector<uint64_t> blocks;  // video items, packets, audio; empty: no layout can be built

    bool empty() const { return blocks.empty(); }
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

// The blocks of the scenario's content: the files found for it and its packet data,
// prepared once for both sizing and upload. Empty when the packet data is over its limits.
MemoryLayout ComputeMemoryBlocks(const ScenarioSettings& settings, const ScenarioFiles& files,
                                 const PacketContent& packets);

// The data sizes of a layout as the upload reports them: total, video, packets, audio.
std::vector<std::string> DataSizeLines(const MemoryLayout& layout);
