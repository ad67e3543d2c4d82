#include "upload/packets.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "device/config_items.h"
#include "files/file_ptr.h"
#include "files/paths.h"
#include "kernels/hdmi_packet_bytes.h"
#include "scenario/scenario.h"
#include "scenario/selection.h"
#include "upload/frame_sequence.h"
#include "upload/loader.h"
#include "upload/memory_layout.h"

namespace {

constexpr const char* kLoadFailed = "Fatal: failed to read/upload packets!";
constexpr const char* kRelaxed = "Relaxed settings validation.";
constexpr const char* kStepTooLarge = "Too many packets in one step!";
constexpr const char* kDataTooLarge = "Too many steps with packets!";
constexpr const char* kTransferFailed = "Fatal: failed to transfer packets!";
constexpr const char* kLoaded = "Loaded packet(s)";
constexpr const char* kNotBin = "the extension is not bin";
constexpr const char* kEmpty = "the file is empty";

bool ParseHdmi(const uint8_t* data, size_t size, std::vector<uint8_t>& layout) {
    if (size < kHdmiPacketFileBytes) return false;
    layout.resize(kHdmiPacketBytes);
    if (size >= kHdmiPacketBytes) {
        WriteHdmiPacketBytes(data, kHdmiPacketBytes, 1, layout.data());
        return true;
    }
    // WriteHdmiPacketBytes reads 32 bytes; a 31-byte packet has a zero last byte.
    uint8_t padded[kHdmiPacketBytes] = {};
    std::memcpy(padded, data, kHdmiPacketFileBytes);
    WriteHdmiPacketBytes(padded, kHdmiPacketBytes, 1, layout.data());
    return true;
}

std::string DisplayPortLengthProblem(uint64_t length) {
    const std::string packet = "a DisplayPort packet of " + std::to_string(length) + " bytes ";
    if (length > kDpHeaderBytes + kDpMaxPayloadBytes) {
        return packet + "is longer than its " + std::to_string(kDpHeaderBytes) +
               " header bytes and " + std::to_string(kDpMaxPayloadBytes) + " payload bytes";
    }
    return packet + "has a payload of " + std::to_string(length - kDpHeaderBytes) +
           " bytes, not a whole number of " + std::to_string(kDpPayloadUnit) + "-byte units";
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

// The bytes of a packet file that can matter: an HDMI packet uses its first 32, a
// DisplayPort packet is never longer than its header and largest payload. So a huge
// file is neither read whole nor held in memory. Empty when read, else why not.
std::string ReadPacketFile(const std::string& path, bool hdmi, std::vector<uint8_t>& bytes) {
    const int64_t size = fileSize(path);
    if (size < 0) return kFileCannotBeOpened;
    if (size == 0) return kEmpty;
    const uint64_t length = static_cast<uint64_t>(size);
    if (!hdmi && length > kDpHeaderBytes + kDpMaxPayloadBytes) {
        return DisplayPortLengthProblem(length);
    }
    bytes.resize(static_cast<size_t>(hdmi ? std::min<uint64_t>(length, kHdmiPacketBytes) : length));
    const FilePtr file(openFile(path, "rb"));
    if (!file || std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        return kFileCannotBeRead;
    }
    return {};
}

// Empty when the file makes a packet, else why not.
std::string LoadPacketFile(const std::string& path, bool hdmi, std::vector<uint8_t>& bytes,
                           std::vector<uint8_t>& layout) {
    if (fileExtension(path) != "bin") return kNotBin;
    std::string why = ReadPacketFile(path, hdmi, bytes);
    if (!why.empty()) return why;
    if (bytes.size() < kPacketFileMinBytes) bytes.resize(kPacketFileMinBytes, 0);
    // Padded, an HDMI packet always has its 31 bytes: only a DisplayPort length can fail.
    if (!ParsePacket(bytes.data(), bytes.size(), hdmi, layout)) {
        return DisplayPortLengthProblem(bytes.size());
    }
    return {};
}

}  // namespace

bool ParsePacket(const uint8_t* data, size_t size, bool hdmi, std::vector<uint8_t>& layout) {
    return hdmi ? ParseHdmi(data, size, layout) : ParseDisplayPort(data, size, layout);
}

bool LoadPackets(const ScenarioSettings& settings, PacketSet& set) {
    return LoadPacketFiles(settings, ExpandFileSequence(settings.packets), set);
}

bool LoadPacketFiles(const ScenarioSettings& settings, const std::vector<std::string>& files,
                     PacketSet& set, std::string* refusal) {
    return LoadPacketFiles(files, parsePlayingOrder(settings), settings.hdmi, set, refusal);
}

bool LoadPacketFiles(const std::vector<std::string>& files, PlayingOrder order, bool hdmi,
                     PacketSet& set, std::string* refusal) {
    set = PacketSet{};
    if (files.empty() || order.tooManySteps) return false;
    set.steps = std::move(order.steps);
    std::vector<uint8_t> bytes;
    for (const std::string& path : files) {
        std::vector<uint8_t> layout;
        const std::string why = LoadPacketFile(path, hdmi, bytes, layout);
        if (!why.empty()) {
            if (refusal) *refusal = fileName(path) + ": " + why;
            return false;
        }
        set.packets.push_back(std::move(layout));
        set.fileBytes.push_back(bytes);
    }
    return true;
}

PacketContent PreparePackets(const ScenarioSettings& settings,
                             const std::vector<std::string>& files, PlayingOrder order) {
    PacketContent content;
    PacketSet set;
    content.loaded = LoadPacketFiles(files, std::move(order), settings.hdmi, set, &content.refusal);
    if (content.loaded) content.status = BuildPacketData(set, content.data);
    content.fileBytes = std::move(set.fileBytes);
    return content;
}

std::vector<std::string> PacketProblem(const PacketContent& content) {
    if (!content.loaded) {
        if (content.refusal.empty()) return {kLoadFailed};
        return {content.refusal, kLoadFailed};
    }
    switch (content.status) {
        case PacketDataStatus::kOk:
            return {};
        case PacketDataStatus::kStepTooLarge:
            return {kStepTooLarge};
        case PacketDataStatus::kDataTooLarge:
            return {kDataTooLarge};
        case PacketDataStatus::kMissingPacket:
            break;
    }
    return {kLoadFailed};
}

bool UploadPackets(DataLoaderBase& loader, const ScenarioSettings& settings,
                   const PacketContent& content, const MemoryLayout& layout,
                   const Findings& findings) {
    const bool selected = IsSelected(settings.packets);
    if (selected && findings.refusesAt(FindingPoint::kPackets)) {
        return ReportFindings(loader, findings, FindingPoint::kPackets);
    }
    if (!settings.strict) loader.ReportInfo(kRelaxed);
    if (!selected) return true;
    // Packet data over its limits has no block to go to.
    if (findings.refusesAt(FindingPoint::kLayout)) {
        return ReportFindings(loader, findings, FindingPoint::kLayout);
    }
    if (!WriteMemoryBlock(layout.PacketsBlock(), content.data.data(),
                          static_cast<uint32_t>(content.data.size()))) {
        loader.ReportError(kTransferFailed);
        return false;
    }
    ReportFindings(loader, findings, FindingPoint::kPackets);  // what the sink is told
    loader.ReportInfo(kLoaded);
    return true;
}
