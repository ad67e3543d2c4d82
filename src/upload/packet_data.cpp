// The playback engine's packet data, built in one pass over the steps: each step is
// sized, placed and copied while its packet numbers are at hand.
#include <algorithm>
#include <cstring>
#include <vector>

#include "format/arithmetic.h"
#include "kernels/word_access.h"
#include "upload/packets.h"

namespace {

constexpr uint64_t kIndexEntryBytes = 8;
constexpr uint64_t kStepAlign = 64;
constexpr uint64_t kDataAlign = 1024;
constexpr uint64_t kMaxStepBytes = 65535;    // the index keeps a step's size in 16 bits
constexpr uint64_t kOffsetLimit = 1u << 24;  // and its offset in 24 usable bits

// Every packet back to back, so that a step naming packets that follow each other
// (the usual sequence order) is copied as one run.
struct FlatPackets {
    std::vector<uint8_t> bytes;
    std::vector<uint64_t> offsets;  // one more than packets: packet i is [offsets[i], offsets[i+1])
};

FlatPackets Flatten(const std::vector<std::vector<uint8_t>>& packets) {
    FlatPackets flat;
    flat.offsets.reserve(packets.size() + 1);
    uint64_t total = 0;
    for (const std::vector<uint8_t>& packet : packets) {
        flat.offsets.push_back(total);
        total += packet.size();
    }
    flat.offsets.push_back(total);
    flat.bytes.resize(total);
    for (size_t i = 0; i < packets.size(); ++i) {
        if (!packets[i].empty()) {
            std::memcpy(flat.bytes.data() + flat.offsets[i], packets[i].data(), packets[i].size());
        }
    }
    return flat;
}

struct Run {
    uint64_t source;  // in FlatPackets::bytes
    uint64_t bytes;
};

// True when every packet number is one more than the one before it.
bool AllConsecutive(const uint32_t* numbers, size_t count) {
    // Numbers[k] - k all equal: summed up without an early exit and over whole
    // vectors for the usual counts, so that the compiler vectorises it.
    const uint32_t first = numbers[0];
    uint32_t gaps = 0;
    for (size_t k = 0; k < count; ++k) gaps |= (numbers[k] - static_cast<uint32_t>(k)) ^ first;
    return gaps == 0;
}

// Where the packet numbers counting up by one from numbers[k] stop.
size_t ConsecutiveEnd(const uint32_t* numbers, size_t k, size_t count) {
    size_t end = k + 1;
    while (end < count && numbers[end] == numbers[end - 1] + 1u) ++end;
    return end;
}

// HDMI packets all have one size: a fixed-size copy is a few moves, not a call.
inline void CopyRun(uint8_t* out, const uint8_t* in, uint64_t bytes) {
    if (bytes == kHdmiPacketBytes) {
        std::memcpy(out, in, kHdmiPacketBytes);
    } else {
        std::memcpy(out, in, bytes);
    }
}

// Writes the steps one by one. Every byte is written once, packets by copy and
// everything between them as zero, so that a reused buffer needs no clearing first.
class PacketDataWriter {
  public:
    PacketDataWriter(const FlatPackets& flat, std::vector<uint8_t>& data, size_t steps)
        : flat_(flat),
          packets_(flat.offsets.size() - 1),
          data_(data),
          indexBytes_(RoundUp(kIndexEntryBytes * steps, kStepAlign)),
          offset_(indexBytes_),
          written_(kIndexEntryBytes * steps) {
        Reserve(indexBytes_);
    }

    PacketDataStatus AddStep(size_t step, const std::vector<uint32_t>& indices) {
        Run single{};
        if (SingleStretch(indices, single)) {
            if (single.bytes > kMaxStepBytes) return PacketDataStatus::kStepTooLarge;
            return Place(step, &single, 1, single.bytes);
        }
        uint64_t bytes = 0;
        const PacketDataStatus status = GatherRuns(indices, bytes);
        if (status != PacketDataStatus::kOk) return status;
        return Place(step, runs_.data(), runs_.size(), bytes);
    }

    // The index is counted once more on top of the end offset, as the device expects.
    void Finish() {
        data_.resize(RoundUp(offset_ + indexBytes_, kDataAlign));
        if (data_.size() > written_) {
            std::memset(data_.data() + written_, 0, data_.size() - written_);
        }
    }

  private:
    // The buffer holding at least `end` bytes; grown geometrically.
    uint8_t* Reserve(uint64_t end) {
        if (end > data_.size()) {
            if (end > data_.capacity())
                data_.reserve(std::max<uint64_t>(end, 2 * data_.capacity()));
            data_.resize(end);
        }
        return data_.data();
    }

    // The usual step: packet numbers counting up by one, all in range, so one run.
    bool SingleStretch(const std::vector<uint32_t>& indices, Run& run) const {
        const size_t count = indices.size();
        if (count == 0 || !AllConsecutive(indices.data(), count)) return false;
        const uint64_t first = indices.front();
        const uint64_t last = indices.back();
        // Numbers that wrapped past the largest one are out of range as well.
        if (last >= packets_ || last - first != count - 1) return false;
        const uint64_t* const offsets = flat_.offsets.data();
        run = Run{offsets[first], offsets[last + 1] - offsets[first]};
        return true;
    }

    PacketDataStatus Place(size_t step, const Run* runs, size_t count, uint64_t bytes) {
        uint8_t* const base = Reserve(offset_ + bytes);
        WriteIndexEntry(base + kIndexEntryBytes * step, bytes);
        if (offset_ != written_) std::memset(base + written_, 0, offset_ - written_);
        uint8_t* out = base + offset_;
        for (size_t r = 0; r < count; ++r) {
            CopyRun(out, flat_.bytes.data() + runs[r].source, runs[r].bytes);
            out += runs[r].bytes;
        }
        written_ = offset_ + bytes;
        offset_ = RoundUp(written_, kStepAlign);
        return offset_ >= kOffsetLimit ? PacketDataStatus::kDataTooLarge : PacketDataStatus::kOk;
    }

    // Offset low 16 bits, size, two zero bytes, offset high bits.
    void WriteIndexEntry(uint8_t* entry, uint64_t bytes) {
        store16(entry, static_cast<uint16_t>(offset_));
        store16(entry + 2, static_cast<uint16_t>(bytes));
        store16(entry + 4, 0);
        store16(entry + 6, static_cast<uint16_t>(offset_ >> 16));
    }

    void AddRun(uint64_t begin, uint64_t end) {
        if (end == begin) return;
        if (!runs_.empty() && runs_.back().source + runs_.back().bytes == begin) {
            runs_.back().bytes += end - begin;
        } else {
            runs_.push_back(Run{begin, end - begin});
        }
    }

    // The step's runs in runs_ and its size, or why it cannot be placed.
    PacketDataStatus GatherRuns(const std::vector<uint32_t>& indices, uint64_t& bytes) {
        runs_.clear();
        bytes = 0;
        if (!GatherByNumbers(indices, bytes)) return GatherOneByOne(indices, bytes);
        return bytes > kMaxStepBytes ? PacketDataStatus::kStepTooLarge : PacketDataStatus::kOk;
    }

    // Packets numbered one after another lie back to back, so each stretch of
    // consecutive numbers is one run, found without reading every packet's offset.
    // False when a number is out of range: the exact way then finds the error.
    bool GatherByNumbers(const std::vector<uint32_t>& indices, uint64_t& bytes) {
        const uint32_t* const numbers = indices.data();
        const size_t count = indices.size();
        const uint64_t* const offsets = flat_.offsets.data();
        size_t k = 0;
        while (k < count) {
            const size_t stop = ConsecutiveEnd(numbers, k, count);
            const uint64_t first = numbers[k];
            const uint64_t last = numbers[stop - 1];
            // A stretch that wrapped past the largest number is out of range as well.
            if (last >= packets_ || last - first != stop - 1 - k) return false;
            AddRun(offsets[first], offsets[last + 1]);
            bytes += offsets[last + 1] - offsets[first];
            k = stop;
        }
        return true;
    }

    // Packet by packet, stopping at the first one missing or making the step too
    // large, whichever comes first.
    PacketDataStatus GatherOneByOne(const std::vector<uint32_t>& indices, uint64_t& bytes) {
        runs_.clear();
        bytes = 0;
        const uint64_t* const offsets = flat_.offsets.data();
        for (const uint32_t index : indices) {
            if (index >= packets_) return PacketDataStatus::kMissingPacket;
            AddRun(offsets[index], offsets[index + 1]);
            bytes += offsets[index + 1] - offsets[index];
            if (bytes > kMaxStepBytes) return PacketDataStatus::kStepTooLarge;
        }
        return PacketDataStatus::kOk;
    }

    const FlatPackets& flat_;
    const size_t packets_;
    std::vector<uint8_t>& data_;
    const uint64_t indexBytes_;
    uint64_t offset_;   // where the next step goes
    uint64_t written_;  // the end of the bytes written so far
    std::vector<Run> runs_;
};

}  // namespace

PacketDataStatus BuildPacketData(const PacketSet& set, std::vector<uint8_t>& data) {
    const FlatPackets flat = Flatten(set.packets);
    PacketDataWriter writer(flat, data, set.steps.size());
    for (size_t i = 0; i < set.steps.size(); ++i) {
        const PacketDataStatus status = writer.AddStep(i, set.steps[i].packetIndices);
        if (status != PacketDataStatus::kOk) {
            data.clear();
            return status;
        }
    }
    writer.Finish();
    return PacketDataStatus::kOk;
}
