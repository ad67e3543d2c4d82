#include "upload/packets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "device/config_items.h"
#include "scenario/paths.h"
#include "scenario/scenario.h"
#include "upload/frame_sequence.h"
#include "upload/layout_indexes.h"
#include "upload/loader.h"
#include "scenario/selection.h"
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

inline void Copy2(uint8_t* out, const uint8_t* in) {
    std::memcpy(out, in, 2);
}

// The device takes an HDMI packet in rows: three rows of 9 bytes (header byte r, then
// bytes 2r and 2r+1 of each of the four 7-byte subpackets that follow the 3 header
// bytes) and a row of 5 (file byte 31, then byte 6 of each subpacket).
bool ParseHdmi(const uint8_t* data, size_t size, std::vector<uint8_t>& layout) {
    if (size < kHdmiPacketFileBytes) return false;
    layout.resize(kHdmiPacketBytes);
    uint8_t* out = layout.data();
    out[0] = data[0];
    out[9] = data[1];
    out[18] = data[2];
    out[27] = size > kHdmiPacketFileBytes ? data[31] : 0;
    for (size_t sub = 0; sub < 4; ++sub) {
        const uint8_t* in = data + 3 + 7 * sub;
        Copy2(out + 1 + 2 * sub, in);
        Copy2(out + 10 + 2 * sub, in + 2);
        Copy2(out + 19 + 2 * sub, in + 4);
        out[28 + sub] = in[6];
    }
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

// HDMI packets all have one size: a fixed-size copy is a few moves, not a call.
inline uint8_t* CopyPacket(uint8_t* out, const std::vector<uint8_t>& packet) {
    if (packet.size() == kHdmiPacketBytes) {
        std::memcpy(out, packet.data(), kHdmiPacketBytes);
    } else {
        std::memcpy(out, packet.data(), packet.size());
    }
    return out + packet.size();
}

struct StepPlace {
    uint32_t offset = 0;
    uint32_t bytes = 0;
};

// Offsets and sizes of every step; the end offset in `end`.
PacketDataStatus PlaceSteps(const PacketSet& set, uint64_t indexBytes,
                            std::vector<StepPlace>& places, uint64_t& end) {
    places.resize(set.steps.size());
    uint64_t offset = indexBytes;
    for (size_t i = 0; i < set.steps.size(); ++i) {
        uint64_t bytes = 0;
        for (const uint32_t index : set.steps[i].packetIndices) {
            if (index >= set.packets.size()) return PacketDataStatus::kMissingPacket;
            bytes += set.packets[index].size();
            if (bytes > kMaxStepBytes) return PacketDataStatus::kStepTooLarge;
        }
        places[i] = StepPlace{static_cast<uint32_t>(offset), static_cast<uint32_t>(bytes)};
        offset = RoundUp64(offset + bytes, kStepAlign);
        if (offset >= kOffsetLimit) return PacketDataStatus::kDataTooLarge;
    }
    end = offset;
    return PacketDataStatus::kOk;
}

void WriteIndexEntry(uint8_t* entry, const StepPlace& place) {
    StoreLe16(entry, place.offset & 0xFFFF);
    StoreLe16(entry + 2, place.bytes);
    StoreLe16(entry + 6, place.offset >> 16);
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
    data.clear();
    const uint64_t indexBytes = RoundUp64(kIndexEntryBytes * set.steps.size(), kStepAlign);
    std::vector<StepPlace> places;
    uint64_t end = 0;
    const PacketDataStatus status = PlaceSteps(set, indexBytes, places, end);
    if (status != PacketDataStatus::kOk) return status;
    // The index is counted once more on top of the end offset, as the device expects.
    const uint64_t total = RoundUp64(end + indexBytes, kDataAlign);
    data.assign(total, 0);
    for (size_t i = 0; i < places.size(); ++i) {
        WriteIndexEntry(data.data() + kIndexEntryBytes * i, places[i]);
        uint8_t* out = data.data() + places[i].offset;
        for (const uint32_t index : set.steps[i].packetIndices) {
            out = CopyPacket(out, set.packets[index]);
        }
    }
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
