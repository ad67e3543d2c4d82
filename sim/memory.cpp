#include "memory.h"

#include <chrono>
#include <thread>
#include <vector>

#include "sim_control.h"
#include "state.h"

namespace hlxsim {

int32_t ResetLayout() {
    SimState& s = State();
    s.layout.clear();
    s.blocks.clear();
    s.selectedBlock = -1;
    return 0;
}

int32_t SetLayout(const uint8_t* entries, uint32_t count) {
    SimState& s = State();
    if (count == 0) return kRefused;
    std::vector<uint64_t> layout(count);
    uint64_t total = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint64_t size = 0;
        for (int b = 7; b >= 0; --b) size = size << 8 | entries[8 * i + static_cast<uint32_t>(b)];
        // A sum that wraps would pass the comparison below.
        if (size > s.profile.memory - total) return kRefused;
        total += size;
        layout[i] = size;
    }
    s.layout = std::move(layout);
    s.blocks.assign(count, Block{});
    for (uint32_t i = 0; i < count; ++i) s.blocks[i].size = s.layout[i];
    s.selectedBlock = -1;
    return 0;
}

bool IsBlockIndex(uint64_t index) {
    return index < State().blocks.size();
}

int32_t SelectBlock(uint32_t index) {
    SimState& s = State();
    if (!IsBlockIndex(index)) return kRefused;
    Block& block = s.blocks[index];
    block.fill = 0;
    block.crc = 0;
    block.bytes.clear();
    block.bytes.shrink_to_fit();
    s.selectedBlock = index;
    return 0;
}

namespace {

// The time the data would take over a link of the profile's rate; the call returns after it.
void PaceWrite(uint32_t size) {
    const uint64_t rate = State().profile.writeRate;
    if (rate == 0) return;
    std::this_thread::sleep_for(std::chrono::duration<double>(static_cast<double>(size) / rate));
}

}  // namespace

int32_t AppendToBlock(const uint8_t* data, uint32_t size) {
    SimState& s = State();
    if (s.selectedBlock < 0) return kRefused;
    Block& block = s.blocks[static_cast<size_t>(s.selectedBlock)];
    if (size > block.size - block.fill) return kRefused;
    PaceWrite(size);
    switch (s.profile.store) {
        case StoreMode::kFull:
            block.bytes.insert(block.bytes.end(), data, data + size);
            break;
        case StoreMode::kDigest:
            block.crc = Crc32(data, size, block.crc);
            break;
        case StoreMode::kNone:
            break;
    }
    block.fill += size;
    return 0;
}

}  // namespace hlxsim
