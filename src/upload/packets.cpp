#include "upload/packets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "device/config_items.h"
#include "scenario/paths.h"
#include "scenario/scenario.h"
#include "scenario/selection.h"
#include "upload/frame_sequence.h"
#include "upload/hdmi_layout.h"
#include "upload/layout_indexes.h"
#include "upload/loader.h"
#include "upload/upload_scenario.h"

namespace {

constexpr const char* kLoadFailed = "Fatal: failed to read/upload packets!";
constexpr const char* kRelaxed = "Relaxed settings validation.";
constexpr const char* kStepTooLarge = "Too many packets in one step!";
constexpr const char* kDataTooLarge = "Too many steps with packets!";
constexpr const char* kTransferFailed = "Fatal: failed to transfer packets!";
constexpr const char* kLoaded = "Loaded packet(s)";

constexpr uint64_t kIndexEntryBytes = 8;
constexpr uint64_t kStepAlign = 64;
constexpr uint64_t kDataAlign = 1024;
constexpr uint64_t kMaxStepBytes = 65535;    // the index keeps a step's size in 16 bits
constexpr uint64_t kOffsetLimit = 1u << 24;  // and its offset in 24 usable bits

uint64_t RoundUp64(uint64_t value, uint64_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

void StoreLe16(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

bool ParseHdmi(const uint8_t* data, size_t size, std::vector<uint8_t>& layout) {
    if (size < kHdmiPacketFileBytes) return false;
    layout.resize(kHdmiPacketBytes);
    if (size >= kHdmiPacketBytes) {
        LayoutHdmiPackets(data, kHdmiPacketBytes, 1, layout.data());
        return true;
    }
    // The layout reads 32 bytes; a 31-byte packet has a zero last byte.
    uint8_t padded[kHdmiPacketBytes] = {};
    std::memcpy(padded, data, kHdmiPacketFileBytes);
    LayoutHdmiPackets(padded, kHdmiPacketBytes, 1, layout.data());
    return true;
}

bool ParseDisplayPort(const uint8_t* data, size_t size, std::vector<uint8_t>& layout) {
    if (size < kDpHeaderBytes) return false;
    const size_t payload = size - kDpHeaderBytes;
    if (payload % kDpPayloadUnit != 0 || payload > kDpMaxPayloadBytes) return false;
    layout.assign(4 * 4 + payload, 0);
    layout[0] = data[0];
    layout[1] = static_cast<uint8_t>(payload / kDpPayloadUnit);
    layout[4] = data[1];
    layout[8] = data[2];
    layout[12] = data[3];
    if (payload != 0) std::memcpy(layout.data() + 16, data + kDpHeaderBytes, payload);
    return true;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The bytes of a packet file that can matter: an HDMI packet uses its first 32, a
// DisplayPort packet is never longer than its header and largest payload. So a huge
// file is neither read whole nor held in memory.
bool ReadPacketFile(const std::string& path, bool hdmi, std::vector<uint8_t>& bytes) {
    const int64_t size = fileSize(path);
    if (size <= 0) return false;
    const uint64_t length = static_cast<uint64_t>(size);
    if (!hdmi && length > kDpHeaderBytes + kDpMaxPayloadBytes) return false;
    bytes.resize(static_cast<size_t>(hdmi ? std::min<uint64_t>(length, kHdmiPacketBytes) : length));
    const std::unique_ptr<std::FILE, FileCloser> file(openFile(path, "rb"));
    return file && std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool LoadPacketFile(const std::string& path, bool hdmi, std::vector<uint8_t>& bytes,
                    std::vector<uint8_t>& layout) {
    if (fileExtension(path) != "bin") return false;
    if (!ReadPacketFile(path, hdmi, bytes)) return false;
    if (bytes.size() < kPacketFileMinBytes) bytes.resize(kPacketFileMinBytes, 0);
    return ParsePacket(bytes.data(), bytes.size(), hdmi, layout);
}

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

struct StepPlace {
    uint32_t offset = 0;
    uint32_t bytes = 0;
};

// Offsets and sizes of every step, from the packet sizes alone; the end offset in `end`.
PacketDataStatus PlaceSteps(const std::vector<PlayingOrderStep>& steps, const FlatPackets& flat,
                            uint64_t indexBytes, std::vector<StepPlace>& places, uint64_t& end) {
    const size_t packets = flat.offsets.size() - 1;
    places.resize(steps.size());
    uint64_t offset = indexBytes;
    for (size_t i = 0; i < steps.size(); ++i) {
        uint64_t bytes = 0;
        for (const uint32_t index : steps[i].packetIndices) {
            if (index >= packets) return PacketDataStatus::kMissingPacket;
            bytes += flat.offsets[index + 1] - flat.offsets[index];
            if (bytes > kMaxStepBytes) return PacketDataStatus::kStepTooLarge;
        }
        places[i] = StepPlace{static_cast<uint32_t>(offset), static_cast<uint32_t>(bytes)};
        offset = RoundUp64(offset + bytes, kStepAlign);
        if (offset >= kOffsetLimit) return PacketDataStatus::kDataTooLarge;
    }
    end = offset;
    return PacketDataStatus::kOk;
}

// Offset low 16 bits, size, two zero bytes, offset high bits.
void WriteIndexEntry(uint8_t* entry, const StepPlace& place) {
    StoreLe16(entry, place.offset & 0xFFFF);
    StoreLe16(entry + 2, place.bytes);
    StoreLe16(entry + 4, 0);
    StoreLe16(entry + 6, place.offset >> 16);
}

// HDMI packets all have one size: a fixed-size copy is a few moves, not a call.
inline uint8_t* CopyRun(uint8_t* out, const uint8_t* in, size_t bytes) {
    if (bytes == kHdmiPacketBytes) {
        std::memcpy(out, in, kHdmiPacketBytes);
    } else if (bytes != 0) {
        std::memcpy(out, in, bytes);
    }
    return out + bytes;
}

void CopyStep(uint8_t* out, const std::vector<uint32_t>& indices, const FlatPackets& flat) {
    const uint64_t* offsets = flat.offsets.data();
    for (size_t i = 0; i < indices.size();) {
        const uint64_t begin = offsets[indices[i]];
        uint64_t end = offsets[indices[i] + 1];
        for (++i; i < indices.size() && offsets[indices[i]] == end; ++i) {
            end = offsets[indices[i] + 1];
        }
        out = CopyRun(out, flat.bytes.data() + begin, end - begin);
    }
}

// Every byte is written once: packets by copy, everything between them as zero, so
// that a reused buffer needs no clearing first.
void WritePacketData(const PacketSet& set, const FlatPackets& flat,
                     const std::vector<StepPlace>& places, std::vector<uint8_t>& data) {
    uint8_t* const base = data.data();
    for (size_t i = 0; i < places.size(); ++i) {
        WriteIndexEntry(base + kIndexEntryBytes * i, places[i]);
    }
    uint64_t written = kIndexEntryBytes * places.size();
    for (size_t i = 0; i < places.size(); ++i) {
        std::memset(base + written, 0, places[i].offset - written);
        CopyStep(base + places[i].offset, set.steps[i].packetIndices, flat);
        written = uint64_t{places[i].offset} + places[i].bytes;
    }
    std::memset(base + written, 0, data.size() - written);
}

}  // namespace

bool ParsePacket(const uint8_t* data, size_t size, bool hdmi, std::vector<uint8_t>& layout) {
    return hdmi ? ParseHdmi(data, size, layout) : ParseDisplayPort(data, size, layout);
}

bool LoadPackets(const ScenarioSettings& settings, PacketSet& set) {
    set = PacketSet{};
    const std::vector<std::string> files = ExpandFileSequence(settings.packets);
    if (files.empty()) return false;
    PlayingOrder order = parsePlayingOrder(settings);
    if (order.tooManySteps) return false;
    set.steps = std::move(order.steps);
    std::vector<uint8_t> bytes;
    for (const std::string& path : files) {
        std::vector<uint8_t> layout;
        if (!LoadPacketFile(path, settings.hdmi, bytes, layout)) return false;
        set.packets.push_back(std::move(layout));
    }
    return true;
}

PacketDataStatus BuildPacketData(const PacketSet& set, std::vector<uint8_t>& data) {
    const uint64_t indexBytes = RoundUp64(kIndexEntryBytes * set.steps.size(), kStepAlign);
    const FlatPackets flat = Flatten(set.packets);
    std::vector<StepPlace> places;
    uint64_t end = 0;
    const PacketDataStatus status = PlaceSteps(set.steps, flat, indexBytes, places, end);
    if (status != PacketDataStatus::kOk) {
        data.clear();
        return status;
    }
    // The index is counted once more on top of the end offset, as the device expects.
    data.resize(RoundUp64(end + indexBytes, kDataAlign));
    if (!data.empty()) WritePacketData(set, flat, places, data);
    return PacketDataStatus::kOk;
}

bool UploadPackets(DataLoaderBase& loader, const ScenarioSettings& settings) {
    const bool selected = IsSelected(settings.packets);
    PacketSet set;
    if (selected && !LoadPackets(settings, set)) {
        loader.ReportError(kLoadFailed);
        return false;
    }
    if (!settings.strict) loader.ReportInfo(kRelaxed);
    if (!selected) return true;
    std::vector<uint8_t> data;
    switch (BuildPacketData(set, data)) {
        case PacketDataStatus::kOk:
            break;
        case PacketDataStatus::kStepTooLarge:
            loader.ReportError(kStepTooLarge);
            return false;
        case PacketDataStatus::kDataTooLarge:
            loader.ReportError(kDataTooLarge);
            return false;
        case PacketDataStatus::kMissingPacket:
            loader.ReportError(kLoadFailed);
            return false;
    }
    if (!WriteMemoryBlock(PacketsBlockIndex(settings), data)) {
        loader.ReportError(kTransferFailed);
        return false;
    }
    loader.ReportInfo(kLoaded);
    return true;
}
